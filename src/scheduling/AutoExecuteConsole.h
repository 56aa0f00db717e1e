#pragma once

#include "scheduling/ExecutionLog.h"
#include "scheduling/ScheduleOwner.h"

#include <QDateTime>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class Exchanges;

// The unattended console's work: the rows HCOMMS, HEXCOM and HMAINT, the
// tick that runs the due ones in one log run each, the immediate run, the
// execution list and the ways out.
class AutoExecuteConsole : public ScheduleOwner {
    Q_OBJECT

public:
    // The immediate run: import, send and receive, then maintenance.
    static constexpr int ImmediateIndex = 3;
    // A row whose work raised waits this long before it is tried again.
    static constexpr int HoldMinutes = 5;

    AutoExecuteConsole(CDataBase& database, std::shared_ptr<Exchanges> exchanges, QObject* parent = nullptr);

    // Loads the rows (the active ones switched on) and either runs the
    // immediate run before it returns or starts the timer.
    void InitialiseForm();
    // Whether the immediate run left no fatal text and raised nothing.
    bool ImmediateRunSucceeded() const { return m_immediateSucceeded; }
    // Why the immediate run failed: each fatal text of its run once, in order.
    QStringList ImmediateRunFatalTexts() const { return m_immediateFatalTexts; }

    QString Heading() const { return m_heading; }
    bool CanExit() const { return m_canExit; }
    ExecutionLog& ExecutionList() { return m_list; }

    // The captions of the rows' boxes and the titles of their editor.
    static QString RowCaption(int index);
    static QString EditorTitle(int index);

    // One beat of the timer: runs the due rows in order, each in a log run
    // of its own; a row that raised stops the rest of the beat.
    void Tick() override;

    // Leaving: the timer stops while the close dialog asks.
    void BeginExit();
    enum class ExitRoad { Close, CloseToLogon, Stay };
    // The close dialog's answer: 0 shut down, 1 manual mode, 2 cancel.
    ExitRoad FinishExit(int32_t closeAction);
    // The window goes: the timer stops and the logger's events end.
    void Unload();

signals:
    void CanExitChanged(bool canExit);

protected:
    void LineAdded(const LogLine& line) override;
    bool Due(int index) const override;
    void WorkRaised(int index, const QDateTime& t0) override;

private:
    bool RunScheduleIfDue(int index);
    // Runs the work of an index in one log run; true without fatal errors.
    bool ExecuteSchedule(int index);
    void RunWork(int index, bool& success);
    // The immediate run's maintenance, whose failure fails the run (no one
    // is there to run it again): true when it worked, else failures gets
    // what it told, its reasons.
    bool RunImmediateMaintenance(const QString& user, QStringList& failures);
    void SetCanExit(bool value);

    std::shared_ptr<Exchanges> m_exchanges;
    ExecutionLog m_list;
    QString m_heading = QStringLiteral("Scheduled Connections");
    bool m_canExit = true;
    bool m_immediateSucceeded = false;
    QStringList m_immediateFatalTexts;
    bool m_unloaded = false;
    std::array<std::optional<QDateTime>, 3> m_heldUntil;
};
