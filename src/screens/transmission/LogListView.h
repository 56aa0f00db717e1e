#pragma once

#include <QListView>
#include <QStringList>

#include <cstdint>

class LogLines;
class QStringListModel;

// A log list on a model, so that a three-month history stays quick to
// fill and to scroll: the lines wrapped to the list's width.
class LogListView : public QListView {
    Q_OBJECT

public:
    explicit LogListView(QWidget* parent = nullptr);

    // Refills the list with the lines whose code shares a bit with the
    // mask ("No items" when none), under run headers when asked.
    void Fill(const LogLines& log, bool showRunDetails, int16_t eventFilter);
    QStringList Items() const;
    // The selected row, -1 when none.
    int SelectedRow() const;
    // Selects the row when the list has it; otherwise selects nothing.
    void SelectRow(int row);

private:
    QStringListModel* m_model;
};
