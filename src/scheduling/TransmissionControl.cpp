#include "scheduling/TransmissionControl.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/PreservePointer.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "scheduling/Exchanges.h"
#include "scheduling/MiniScheduler.h"
#include "service/ExchangeSupport.h"

#include <QEventLoop>
#include <QTimer>

namespace {
void WaitLettingEventsRun(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void ReloadCurrentUser()
{
    if (const auto user = GetCurrentUser())
        user->Load();
}
} // namespace

TransmissionControl::TransmissionControl(CDataBase& database, std::shared_ptr<Exchanges> exchanges, QObject* parent)
    : ScheduleOwner(database, {QStringLiteral("HCOMIM"), QStringLiteral("HEXCIM")}, parent),
      m_exchanges(std::move(exchanges)), m_wait(WaitLettingEventsRun)
{
}

QString TransmissionControl::RowCaption(int index)
{
    return index == 0 ? QStringLiteral("Send enquiries and receive outstanding responses and debits")
                      : QStringLiteral("Receive outstanding responses and debits");
}

QString TransmissionControl::EditorTitle(int index)
{
    return index == 0 ? QStringLiteral("Import and Export Scheduler") : QStringLiteral("Export Scheduler");
}

QString TransmissionControl::RetryText(int index)
{
    return index == 0 ? QStringLiteral("The last run reported errors or warnings.  Retrying in 5 mins from the last run.")
                      : QStringLiteral("The last run reported errors or warnings. Retrying in 5 mins from the last run.");
}

void TransmissionControl::InitialiseForm()
{
    ReloadCurrentUser();
    for (int index = 0; index < RowCount(); ++index) {
        LoadSchedule(index);
        // Only a row set to run on days and times can be ticked.
        MutableView(index).canSwitch = Row(index).IsActive();
        ShowRow(index);
    }
    Timer().stop();
    SetCommsOut(QString());
    emit ControlsChanged();
}

bool TransmissionControl::TestModeShown() const
{
    return Settings().RunInTestMode();
}

void TransmissionControl::SwitchRow(int index, bool on)
{
    ScheduleOwner::SwitchRow(index, on);
    const bool any = AnySwitchedOn();
    SetImmediateControls(!any);
    if (any)
        Timer().start();
    else
        Timer().stop();
}

MiniScheduler* TransmissionControl::BeginEdit(int index)
{
    MiniScheduler& row = Row(index);
    try {
        const bool stopped = row.IsStopped();
        row.Load();
        row.SetIsStopped(stopped);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Could not load the scheduler settings because:"), e.Description());
        return nullptr;
    }
    return &row;
}

void TransmissionControl::ChooseConnectType(int index)
{
    m_connectType = index;
    Timer().stop();
    emit ControlsChanged();
}

void TransmissionControl::SetImmediateControls(bool enabled)
{
    m_immediateEnabled = enabled;
    emit ControlsChanged();
}

void TransmissionControl::SetCommsOut(const QString& text)
{
    m_commsOut = text;
    emit CommsOutChanged(text);
}

void TransmissionControl::LineAdded(const LogLine& line)
{
    SetCommsOut(line.EventText());
}

void TransmissionControl::Tick()
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    Timer().stop();
    try {
        if (Due(0) || Due(1)) {
            ReloadCurrentUser();
            RunScheduleIfDue(0);
            RunScheduleIfDue(1);
            SetCommsOut(QString());
        }
        Timer().start();
    } catch (const NevixError& e) {
        // The timer stays off until a row's box is clicked again.
        TellUserWarning(QStringLiteral("Could not run immediate scheduler."), e.Description());
    }
}

void TransmissionControl::RunScheduleIfDue(int index)
{
    try {
        RunIfDue(index, [this, index] { return DoSendAndReceive(index); });
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error reported while running the immediate scheduler:"), e.Description());
    }
}

bool TransmissionControl::DoSendAndReceive(int index)
{
    LogLines& log = Logger();
    log.SetDataSource(&m_db);
    log.BeginLogging(QStringLiteral("COMRUN"),
                     QStringLiteral("Immediate mode comms (") +
                         (index == ManualIndex ? QStringLiteral("Manual") : QStringLiteral("Scheduled")) +
                         QLatin1Char(')'),
                     CurrentUserName());
    bool success = true;
    try {
        RunExchange(index, log, success);
    } catch (...) {
        log.EndLogging();
        throw;
    }
    log.EndLogging();
    return success;
}

void TransmissionControl::RunExchange(int index, LogLines& log, bool& success)
{
    if (Settings().SchedulerTestMode()) {
        static const char* const lines[] = {
            "SCHEDULER TEST MODE - DoImportTransmissionAndExport", "SCHEDULER TEST MODE - DoTransmissionAndExport",
            "SCHEDULER TEST MODE - DoImportTransmissionAndExport - send and receive button"};
        log.AddToLog(EventCodes::Information, QString::fromLatin1(lines[index]));
        m_wait(TestModeWaitMilliseconds);
        return;
    }
    TransmissionResults results;
    if (index == 1)
        m_exchanges->DoTransmissionAndExport(log, results);
    else
        m_exchanges->DoImportTransmissionAndExport(log, results);
    if (index == ManualIndex) {
        if (results.HaveFatalErrors() || results.HaveWarnings())
            TellUser(QStringLiteral("Errors and warnings were reported while sending and receiving."),
                     QStringLiteral("You should view the log from the Main Menu."), MsgBox::Information);
        else
            TellUser(QStringLiteral("Send and receive ran successfully"), QString(), MsgBox::Information);
    }
    success = !results.HaveFatalErrors();
}

void TransmissionControl::SendReceiveNow()
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    SetImmediateControls(false);
    try {
        DoSendAndReceive(ManualIndex);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error reported when doing send and receive"), e.Description());
    }
    SetImmediateControls(true);
    SetCommsOut(QString());
    AppContext::Current().ui().PumpEvents();
}

void TransmissionControl::RunCommsTest()
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    auto log = std::make_shared<LogLines>();
    log->SetDataSource(&m_db);
    // Another exchange cannot start from this screen while the test waits.
    SetImmediateControls(false);
    bool reached = false;
    try {
        reached = m_exchanges->RunNevixCommsTest(*log);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error reported when testing communications"), e.Description());
        SetImmediateControls(true);
        return;
    }
    SetImmediateControls(true);
    if (reached) {
        TellUser(QStringLiteral("Communication test ran successfully"), QString(), MsgBox::Information);
        return;
    }
    if (AskUser(QStringLiteral("Communication test failed."), QStringLiteral("Would you like to view the log?"),
                MsgBox::YesNo, MsgBox::AnswerNo) == MsgBox::AnswerYes &&
        m_showLog)
        m_showLog(log);
}

TransmissionControl::CloseAnswer TransmissionControl::QueryClose()
{
    if (AnySwitchedOn()) {
        TellUser(QStringLiteral("Please stop the scheduler before closing."), QString(), MsgBox::Information);
        return CloseAnswer::Refused;
    }
    return m_immediateEnabled ? CloseAnswer::Close : CloseAnswer::Ignored;
}
