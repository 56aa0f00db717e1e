#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class CDataBase;
class LogLine;
class LogLines;
class MiniScheduler;

// What a window shows of one schedule row.
struct ScheduleRowView {
    QString lastRan;         // start of the last run
    bool lastRanRed = false; // the last run ended with fatal errors
    QString nextRun;
    bool switchedOn = false; // the row's box is ticked
    bool canSwitch = true;   // the box can be ticked
    bool canEdit = true;     // its Settings button
    bool retrying = false;   // the retry label of a failed run
};

// A window that owns schedule rows and runs their work when due: loads
// the rows, switches them on and off, runs a due row and records its run
// times, and takes a row back from the schedule editor. The windows only
// map this state to their widgets.
class ScheduleOwner : public QObject {
    Q_OBJECT

public:
    ~ScheduleOwner() override;

    int RowCount() const { return int(m_rows.size()); }
    MiniScheduler& Row(int index) const { return *m_rows.at(size_t(index)); }
    const ScheduleRowView& View(int index) const { return m_views.at(size_t(index)); }

    // Polls the rows once a second while active; off at the start.
    QTimer& Timer() { return m_timer; }
    // The logger every run of the window writes into.
    LogLines& Logger() const { return *m_logger; }

    // One beat of the timer.
    virtual void Tick() = 0;
    // The operator ticks or unticks a row's box.
    virtual void SwitchRow(int index, bool on);
    // The row to hand the schedule editor; none when it could not be had
    // (the user has been told why).
    virtual MiniScheduler* BeginEdit(int index);
    // After the editor closed: a row it changed is stored; one it left is
    // shown as it stands.
    void EndEdit(int index);

signals:
    void RowChanged(int index);

protected:
    ScheduleOwner(CDataBase& database, const QStringList& scheduleIds, QObject* parent);

    // Each line added to the logger's open run.
    virtual void LineAdded(const LogLine& line) = 0;
    // Whether the row's work is due now.
    virtual bool Due(int index) const;
    // The row's work raised before its run was recorded; it started at t0.
    virtual void WorkRaised(int index, const QDateTime& t0);

    // Loads the row, switched off, with its next run worked out when the
    // stored one is Null.
    void LoadSchedule(int index);
    // When the row is due: runs work (true: no fatal errors), records the
    // run's start and the next run (5 minutes after the start when it
    // failed) and stores the row. Raises what the work or the store raise.
    void RunIfDue(int index, const std::function<bool()>& work);
    std::shared_ptr<LogLines>& SharedLogger() { return m_logger; }
    ScheduleRowView& MutableView(int index) { return m_views.at(size_t(index)); }
    void ShowRow(int index) { emit RowChanged(index); }
    bool AnySwitchedOn() const;
    QDateTime Now() const;

    CDataBase& m_db;

private:
    // After a store the row refused: the stored row again.
    void ReloadAfterRefusal(int index);

    std::vector<std::unique_ptr<MiniScheduler>> m_rows;
    std::vector<ScheduleRowView> m_views;
    QTimer m_timer;
    std::shared_ptr<LogLines> m_logger;
};
