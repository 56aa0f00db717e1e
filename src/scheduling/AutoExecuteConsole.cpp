#include "scheduling/AutoExecuteConsole.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/PreservePointer.h"
#include "database/LogLine.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "scheduling/Exchanges.h"
#include "scheduling/MiniScheduler.h"
#include "scheduling/RunLogMessages.h"
#include "service/ExchangeSupport.h"
#include "service/frmHTTPComms.h"

namespace {
const char* const ProcessCode = "AUTOEXEC";

bool LoggedInRun(const LogLines& log, const QString& text)
{
    const QString logged = OneLine(text);
    for (const auto& line : log) {
        if (line->EventText() == logged)
            return true;
    }
    return false;
}
} // namespace

AutoExecuteConsole::AutoExecuteConsole(CDataBase& database, std::shared_ptr<Exchanges> exchanges, QObject* parent)
    : ScheduleOwner(database, {QStringLiteral("HCOMMS"), QStringLiteral("HEXCOM"), QStringLiteral("HMAINT")}, parent),
      m_exchanges(std::move(exchanges))
{
}

QString AutoExecuteConsole::RowCaption(int index)
{
    switch (index) {
    case 0: return QStringLiteral("Import and send enquiries,receive and export outstanding responses and debits");
    case 1: return QStringLiteral("Receive and export outstanding responses and debits");
    default: return QStringLiteral("Remove old data from the database");
    }
}

QString AutoExecuteConsole::EditorTitle(int index)
{
    switch (index) {
    case 0: return QStringLiteral("Import and Export Scheduler");
    case 1: return QStringLiteral("Export Scheduler");
    default: return QStringLiteral("Maintenance Scheduler");
    }
}

void AutoExecuteConsole::InitialiseForm()
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    for (int index = 0; index < RowCount(); ++index) {
        LoadSchedule(index);
        // An active row starts switched on, as if its box were ticked.
        SwitchRow(index, Row(index).IsActive());
    }
    m_heading = QStringLiteral("Scheduled Connections (") + CurrentUserName() + QLatin1Char(')');
    if (Settings().IsInAutoExecuteModeImmediateExecute()) {
        SetCanExit(false);
        ScopedAttendance unattended(false);
        try {
            m_immediateSucceeded = ExecuteSchedule(ImmediateIndex);
        } catch (const NevixError& e) {
            // The run's log holds the error; no one waits for a box.
            TellUserWarning(QStringLiteral("Error reported while running the scheduler:"), e.Description());
            m_immediateSucceeded = false;
        }
        SetCanExit(true);
        return;
    }
    Timer().start();
}

void AutoExecuteConsole::SetCanExit(bool value)
{
    m_canExit = value;
    emit CanExitChanged(value);
}

bool AutoExecuteConsole::Due(int index) const
{
    const auto& held = m_heldUntil.at(size_t(index));
    if (held && Now() < *held)
        return false;
    return ScheduleOwner::Due(index);
}

void AutoExecuteConsole::WorkRaised(int index, const QDateTime& t0)
{
    // Nobody answers a box here: a lasting fault would otherwise start the
    // row again at every beat.
    m_heldUntil.at(size_t(index)) = t0.addSecs(HoldMinutes * 60);
}

void AutoExecuteConsole::Tick()
{
    Timer().stop();
    ScopedAttendance unattended(false);
    bool due = false;
    for (int index = 0; index < RowCount(); ++index)
        due = due || Due(index);
    if (due) {
        SetCanExit(false);
        {
            PreservePointer pointer;
            pointer.SetHourGlass(this);
            try {
                if (const auto user = GetCurrentUser())
                    user->Load();
                bool ok = RunScheduleIfDue(0);
                if (ok)
                    ok = RunScheduleIfDue(1);
                if (ok)
                    RunScheduleIfDue(2);
            } catch (const NevixError& e) {
                TellUserWarning(QStringLiteral("Error reported while running the scheduler:"), e.Description());
            }
        }
        SetCanExit(true);
        AppContext::Current().ui().PumpEvents();
    }
    if (!m_unloaded)
        Timer().start();
}

bool AutoExecuteConsole::RunScheduleIfDue(int index)
{
    try {
        RunIfDue(index, [this, index] { return ExecuteSchedule(index); });
        return true;
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error reported while running the scheduler:"), e.Description());
        return false;
    }
}

bool AutoExecuteConsole::ExecuteSchedule(int index)
{
    LogLines& log = Logger();
    log.BeginLogging(QString::fromLatin1(ProcessCode),
                     Settings().IsInAutoExecuteModeImmediateExecute()
                         ? QStringLiteral("Immediate execution in AutoExecute")
                         : QStringLiteral("Scheduled execution in AutoExecute"),
                     CurrentUserName());
    bool success = true;
    try {
        RunLogMessages boxes(log);
        RunWork(index, success);
    } catch (const NevixError& e) {
        // The run ends with what stopped it, so that its log says why.
        if (log.IsLogging())
            log.AddToLog(EventCodes::Error,
                         QStringLiteral("Error reported while running the scheduler:") + e.Description());
        m_list.Prune(Now());
        log.EndLogging();
        throw;
    }
    m_list.Prune(Now());
    log.EndLogging();
    return success;
}

void AutoExecuteConsole::RunWork(int index, bool& success)
{
    LogLines& log = Logger();
    if (Settings().SchedulerTestMode()) {
        static const char* const lines[] = {"SCHEDULER TEST MODE - DoImportTransmissionAndExport",
                                            "SCHEDULER TEST MODE - DoTransmissionAndExport",
                                            "SCHEDULER TEST MODE - TableMaintenance",
                                            "SCHEDULER TEST MODE - Immediate Execution"};
        log.AddToLog(EventCodes::Information, QString::fromLatin1(lines[index]));
        return;
    }
    TransmissionResults results;
    const QString user = CurrentUserName();
    bool maintenanceWorked = true;
    QStringList maintenanceFailures;
    switch (index) {
    case 0: m_exchanges->DoImportTransmissionAndExport(log, results); break;
    case 1: m_exchanges->DoTransmissionAndExport(log, results); break;
    case 2: m_exchanges->TableMaintenance(SharedLogger(), false, user); break;
    default:
        m_exchanges->DoImportTransmissionAndExport(log, results);
        if (!results.HaveFatalErrors())
            maintenanceWorked = RunImmediateMaintenance(user, maintenanceFailures);
        break;
    }
    success = !results.HaveFatalErrors() && maintenanceWorked;
    QStringList fatalTexts = results.FatalTexts() + maintenanceFailures;
    fatalTexts.removeDuplicates();
    // Nobody reads a box here: what stopped the run stands in its log, once.
    for (const QString& text : fatalTexts) {
        if (!LoggedInRun(log, text))
            log.AddToLog(EventCodes::Fatal, text);
    }
    if (index == ImmediateIndex)
        m_immediateFatalTexts = fatalTexts;
}

bool AutoExecuteConsole::RunImmediateMaintenance(const QString& user, QStringList& failures)
{
    QStringList told;
    bool worked = false;
    {
        // Its boxes still become lines of the run.
        ScopedUnattendedSink sink([&told, before = CurrentUnattendedSink()](const QString& text, uint32_t style) {
            told << OneLine(text);
            before(text, style);
        });
        worked = m_exchanges->TableMaintenance(SharedLogger(), false, user);
    }
    if (!worked)
        failures = told;
    return worked;
}

void AutoExecuteConsole::LineAdded(const LogLine& line)
{
    switch (line.EventCode()) {
    case EventCodes::Information:
    case EventCodes::Warning:
    case EventCodes::Error:
    case EventCodes::Fatal: m_list.Add(Now(), line.EventText()); break;
    default: break;
    }
}

void AutoExecuteConsole::BeginExit()
{
    Timer().stop();
}

AutoExecuteConsole::ExitRoad AutoExecuteConsole::FinishExit(int32_t closeAction)
{
    switch (closeAction) {
    case 0: return ExitRoad::Close;
    case 1: {
        LogLines& log = Logger();
        log.BeginLogging(QString::fromLatin1(ProcessCode),
                         QStringLiteral("Autoexecute user switched to INTERACTIVE mode"), CurrentUserName());
        log.EndLogging();
        ApplicationSettings& settings = Settings();
        settings.SetIsInAutoExecuteMode(false);
        settings.SetIsInAutoExecuteModeImmediateExecute(false);
        settings.SetCameFromAutoExecute(true);
        return ExitRoad::CloseToLogon;
    }
    default: Timer().start(); return ExitRoad::Stay;
    }
}

void AutoExecuteConsole::Unload()
{
    m_unloaded = true;
    Timer().stop();
    Logger().disconnect(this);
    UnloadHTTPCommsForm();
}
