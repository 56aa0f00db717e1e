#include "startup/ProgramStart.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/DiskFunctions.h"
#include "core/GlobalDeclarations.h"
#include "core/TextLogFile.h"
#include "core/Utils.h"
#include "database/CommsLock.h"
#include "database/GlobalDatabase.h"
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
} // namespace

ProgramStart::ProgramStart(QStringList arguments, StartupHooks hooks)
    : m_switches(CommandLine::Parse(arguments)), m_hooks(std::move(hooks))
{
}

ProgramStart::~ProgramStart() = default;

bool ProgramStart::Main()
{
    ApplicationSettings& settings = Settings();
    try {
        settings.Load();
        if (settings.IsNew())
            throw NevixError(ErrorNumbers::ObjectErrorBase,
                             QStringLiteral("Unable to load the INI file for the program"));
        LogUnattendedMessagesIn(AppContext::Current().programFolder());
        m_instanceLock = std::make_unique<SingleInstanceLock>(AppContext::Current().programFolder());
        if (!settings.AllowMultipleInstances() && m_instanceLock->OtherInstanceRunning()) {
            TellUserWarning(QStringLiteral("Nevix is already running."), QString());
            return false;
        }
        // Without its lock a copy cannot see another one, and two copies on
        // one folder would share its files unchecked.
        if (!settings.AllowMultipleInstances() && !m_instanceLock->Held()) {
            TellUserCritical(QStringLiteral("Nevix cannot start: its lock file cannot be opened."),
                             m_instanceLock->Path() + QStringLiteral("\r\n") + m_instanceLock->Failure());
            return false;
        }
    } catch (const NevixError& e) {
        TellUserCritical(e.Description(), e.Source());
        return false;
    }

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
    } catch (const NevixError& e) {
        TellUserCritical(e.Description(), e.Source());
        m_splash->SetHasError(true);
    }
    m_splash->SetGoAway(true);
    return true;
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
        const int16_t answer = AskUser(
            QStringLiteral("Is this the first installation of NEVIX on your network?\r\n"),
            QStringLiteral("YES: This is the first installation\r\nNO:  I have already installed a Server"),
            MsgBox::YesNo, MsgBox::AnswerYes);
        if (answer != MsgBox::AnswerYes && AskInstallMode(true) == 0)
            throw NevixError(ErrorNumbers::ObjectErrorBase,
                             QStringLiteral("Initialisation cancelled - no install mode selected."));
    }

    InitialiseDatabaseAndDoAnyChanges(upgradeLog);

    QString helpFile = settings.HelpFile();
    if (helpFile.isEmpty()) {
        const QString candidate = AppRelativePath(QStringLiteral("+Nevix.chm"));
        if (FileExists(candidate))
            helpFile = candidate;
    }
    SetProgramHelpFile(helpFile);

    if (upgradeLog.IsOpen()) {
        upgradeLog.CloseLogFile();
        if (settings.IsInInteractiveMode() &&
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
