#include "startup/ProgramStart.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/DiskFunctions.h"
#include "core/GlobalDeclarations.h"
#include "core/TextLogFile.h"
#include "core/Utils.h"
#include "database/CommsLock.h"
#include "database/GlobalDatabase.h"
#include "database/SysParameters.h"
#include "help/HHelper.h"
#include "maintenance/MainProcess.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/admin/frmJuxClient.h"
#include "service/NevixEnquirerRequest.h"
#include "screens/admin/frmSplash.h"
#include "startup/SingleInstanceLock.h"
#include "startup/UnattendedMessages.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
const QString InitialiseSource = QStringLiteral("Initialise Application");

// Where the settings were looked for, and how a program folder is made.
QString MissingSettingsHelp(const ApplicationSettings& settings, const QString& programFolder)
{
    const QString file = settings.V2IniLocation().isEmpty() ? programFolder + QStringLiteral("/Nevix.INI")
                                                            : settings.V2IniLocation();
    return QStringLiteral("The settings file looked for: ") + file +
           QStringLiteral("\r\nTo make a program folder: nevix-prepare <folder>, then start Nevix with "
                          "NEVIX_HOME=<folder>.");
}

StartRefusal RefusalFor(DatabaseStartFailure failure)
{
    switch (failure) {
    case DatabaseStartFailure::Missing: return StartRefusal::DatabaseMissing;
    case DatabaseStartFailure::Unusable: return StartRefusal::DatabaseUnusable;
    default: return StartRefusal::DatabaseNotInitialised;
    }
}
} // namespace

ProgramStart::ProgramStart(QStringList arguments, StartupHooks hooks)
    : m_switches(CommandLine::Parse(arguments)), m_hooks(std::move(hooks))
{
}

ProgramStart::~ProgramStart() = default;

bool ProgramStart::Refuse(StartRefusal refusal, uint32_t style, const QString& message, const QString& detail)
{
    m_refusal = refusal;
    TellUser(message, detail, style);
    return false;
}

bool ProgramStart::Main()
{
    ApplicationSettings& settings = Settings();
    const QString folder = AppContext::Current().programFolder();
    // Nobody answers a box in an unattended start, not even one about the
    // settings file: from the first message on, boxes are written instead.
    if (StartedUnattended()) {
        settings.SetProgramRunningMode(RunningMode::Automatic);
        LogUnattendedMessagesIn(folder);
    }
    try {
        settings.Load();
    } catch (const NevixError& e) {
        return Refuse(StartRefusal::SettingsFileMissing, MsgBox::Critical, e.Description(), e.Source());
    }
    if (settings.IsNew())
        return Refuse(StartRefusal::SettingsFileMissing, MsgBox::Critical,
                      QStringLiteral("Unable to load the INI file for the program"),
                      MissingSettingsHelp(settings, folder));
    LogUnattendedMessagesIn(folder);
    m_instanceLock = std::make_unique<SingleInstanceLock>(folder);
    if (!settings.AllowMultipleInstances() && m_instanceLock->OtherInstanceRunning())
        return Refuse(StartRefusal::AlreadyRunning, MsgBox::Exclamation, QStringLiteral("Nevix is already running."),
                      QString());
    // Without its lock a copy cannot see another one, and two copies on
    // one folder would share its files unchecked.
    if (!settings.AllowMultipleInstances() && !m_instanceLock->Held())
        return Refuse(StartRefusal::LockFileUnusable, MsgBox::Critical,
                      QStringLiteral("Nevix cannot start: its lock file cannot be opened."),
                      m_instanceLock->Path() + QStringLiteral("\r\n") + m_instanceLock->Failure());

    m_splash = new frmSplash(m_hooks.OpenLogon);
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    m_splash->show();
    AppContext::Current().ui().PumpEvents();
    try {
        if (m_switches.SetClient) {
            settings.SetProgramInstallMode(InstallMode::None);
            settings.ApplyOrWarn();
        }
        // The step of the schema upgrade that downloads the enquirers uses
        // the service exchange.
        InstallEnquirerRequestRunner();
        InitialiseApplication();
        if (m_switches.AutoStart || m_switches.Immediate) {
            if (m_switches.AutoStart)
                settings.SetIsInAutoExecuteMode(true);
            if (m_switches.Immediate)
                settings.SetIsInAutoExecuteModeImmediateExecute(true);
            settings.SetBypassLogonSecurity(true);
        }
        if (m_switches.UnlockAdmin) {
            CommsLock lock;
            lock.ForceClearLock(LockTypes::Administration, &GlobalDatabase());
        }
        RefuseUnattendedWherePersonNeeded();
    } catch (const NevixError& e) {
        // What is left after the install mode is the database's.
        if (m_refusal == StartRefusal::None)
            m_refusal = StartRefusal::DatabaseNotInitialised;
        TellUserCritical(e.Description(), e.Source());
        m_splash->SetHasError(true);
    }
    m_splash->SetGoAway(true);
    return true;
}

void ProgramStart::RefuseUnattendedWherePersonNeeded()
{
    if (!StartedUnattended())
        return;
    if (Settings().ProgramInstallMode() == InstallMode::None) {
        m_refusal = StartRefusal::UnattendedNotPossible;
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("Nevix cannot run unattended before its installation is chosen: start it "
                                        "once without /autostart or /immediate."));
    }
    if (Settings().ProgramInstallMode() == InstallMode::Client) {
        m_refusal = StartRefusal::UnattendedNotPossible;
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("You cannot run the program in AUTO mode because this install is a client"));
    }
    SysParameters parameters;
    parameters.SetDataSource(&GlobalDatabase());
    parameters.Load();
    if (!parameters.IsSetupComplete()) {
        m_refusal = StartRefusal::UnattendedNotPossible;
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("Nevix cannot run unattended until its set-up is complete: start it once "
                                        "without /autostart or /immediate."));
    }
}

void ProgramStart::InitialiseApplication()
{
    try {
        Initialise();
    } catch (const NevixError& e) {
        throw e.WithSource(InitialiseSource);
    }
}

void ProgramStart::Initialise()
{
    ApplicationSettings& settings = Settings();
    TextLogFile upgradeLog;
    upgradeLog.SetDatedPathAndName(RemoveTrailingBackslash(AppContext::Current().programFolder()),
                                   QStringLiteral("NevixUpgradeLog") + ProgramVersion);

    if (settings.ProgramInstallMode() == InstallMode::None) {
        // Unattended, the question takes its default answer (Yes) unasked,
        // so that the database is still checked; the start is refused after.
        const int16_t answer = AskUser(
            QStringLiteral("Is this the first installation of NEVIX on your network?\r\n"),
            QStringLiteral("YES: This is the first installation\r\nNO:  I have already installed a Server"),
            MsgBox::YesNo, MsgBox::AnswerYes);
        if (answer != MsgBox::AnswerYes && AskInstallMode(true) == 0) {
            m_refusal = StartRefusal::StartCancelled;
            throw NevixError(ErrorNumbers::ObjectErrorBase,
                             QStringLiteral("Initialisation cancelled - no install mode selected."));
        }
    }

    DatabaseStartFailure failure = DatabaseStartFailure::None;
    try {
        InitialiseDatabaseAndDoAnyChanges(upgradeLog, &failure);
    } catch (...) {
        m_refusal = RefusalFor(failure);
        throw;
    }

    QString helpFile = settings.HelpFile();
    if (helpFile.isEmpty()) {
        const QString candidate = AppRelativePath(QStringLiteral("+Nevix.chm"));
        if (FileExists(candidate))
            helpFile = candidate;
    }
    SetProgramHelpFile(helpFile);

    if (upgradeLog.IsOpen()) {
        upgradeLog.CloseLogFile();
        // Unattended, nobody would read it.
        if (settings.IsInInteractiveMode() && !StartedUnattended() &&
            AskUser(QString(), QStringLiteral("Do you want to view the upgrade log?"), MsgBox::YesNo,
                    MsgBox::AnswerYes) == MsgBox::AnswerYes) {
            try {
                m_hooks.ViewLog(upgradeLog.GetPathAndName());
            } catch (const NevixError& e) {
                TellUserWarning(QStringLiteral("Could not view log in Notepad because:"), e.Description());
            }
        }
    }
}

int32_t ProgramStart::AskInstallMode(bool bAllowClientConfigOnly)
{
    return m_hooks.AskInstallMode(bAllowClientConfigOnly);
}

StartupHooks ProgramStart::DefaultHooks()
{
    StartupHooks hooks;
    hooks.AskInstallMode = [](bool clientOnly) {
        frmJuxClient form;
        form.InitialiseForm(clientOnly);
        form.exec();
        return form.InstallMode();
    };
    hooks.ViewLog = [](const QString& path) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            throw NevixError(ErrorNumbers::ObjectErrorBase,
                             QStringLiteral("No program to show ") + path + QStringLiteral(" was found."));
    };
    return hooks;
}
