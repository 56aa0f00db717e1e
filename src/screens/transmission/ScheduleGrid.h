#pragma once

#include <QStringList>

#include <functional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;
struct ScheduleRowView;

// The "Scheduler" frame of the windows that own schedule rows: a heading
// line, then per row its box, last and next run and Settings button.
class ScheduleGrid {
public:
    // switched: the operator ticked or unticked a row's box; settings: a
    // row's Settings button.
    ScheduleGrid(QWidget* owner, const QStringList& captions, std::function<void(int index, bool on)> switched,
                 std::function<void(int index)> settings);

    QGroupBox* Frame() const { return m_frame; }
    // The grid's row of schedule row index, for widgets beside it.
    QGridLayout* Layout() const { return m_layout; }
    static int GridRow(int index) { return 1 + 2 * index; }

    QCheckBox* chkScheduler(int index) const { return m_chk.at(size_t(index)); }
    QLineEdit* txtLastRan(int index) const { return m_lastRan.at(size_t(index)); }
    QLineEdit* txtNextRun(int index) const { return m_nextRun.at(size_t(index)); }
    QPushButton* cmdSchSettings(int index) const { return m_settings.at(size_t(index)); }

    void Show(int index, const ScheduleRowView& view);

private:
    QGroupBox* m_frame;
    QGridLayout* m_layout;
    std::vector<QCheckBox*> m_chk;
    std::vector<QLineEdit*> m_lastRan;
    std::vector<QLineEdit*> m_nextRun;
    std::vector<QPushButton*> m_settings;
};
