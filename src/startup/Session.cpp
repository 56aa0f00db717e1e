#include "startup/Session.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/qt/CentreForm.h"
#include "database/GlobalDatabase.h"
#include "platform/NevixError.h"
#include "scheduling/AutoExecuteConsole.h"
#include "scheduling/NevixExchanges.h"
#include "screens/admin/MenuPictures.h"
#include "screens/admin/frmLogon.h"
#include "screens/admin/frmMenu.h"
#include "screens/admin/frmSetup.h"
#include "screens/transmission/frmAutoExecute.h"
#include "startup/GlobalObjects.h"
#include "startup/UnattendedMessages.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
void Quit()
{
    // After the current event, so that the windows closing now finish first.
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::quit(); });
}
} // namespace

Session::Session(FormRegistry screens, std::function<void()> quit)
    : m_screens(std::move(screens)), m_quit(quit ? std::move(quit) : std::function<void()>(Quit)),
      m_exchanges(std::make_shared<NevixExchanges>())
{
    m_roads.OpenMainMenu = [this] { OpenMainMenu(); };
    m_roads.OpenSetupWizard = [this] { OpenSetupWizard(); };
    m_roads.OpenAutoExecuteConsole = [this](bool immediate) { return OpenAutoExecuteConsole(immediate); };
    m_roads.EndProgram = [this] {
        // An unattended start that ends before its run, or before its
        // console ever ran, has not succeeded.
        const ApplicationSettings& settings = Settings();
        if (settings.IsInAutoExecuteModeImmediateExecute() ||
            (settings.IsInAutoExecuteMode() && settings.BypassLogonSecurity()))
            m_exitCode = 1;
        m_quit();
    };
    m_roads.CancelProgram = [this] {
        ReleaseGlobalObjects();
        m_quit();
    };
}

void Session::OpenLogon()
{
    auto* logon = new frmLogon(GlobalDatabase(), m_roads);
    logon->setAttribute(Qt::WA_DeleteOnClose);
    logon->InitialiseForm();
    if (logon->IsLoaded()) {
        CentreForm(*logon);
        logon->show();
        logon->raise();
        logon->activateWindow();
    }
}

void Session::OpenMainMenu()
{
    MenuRoads roads;
    roads.OpenLogon = [this] { OpenLogon(); };
    roads.EndProgram = [this] { m_quit(); };
    auto* menu = new frmMenu(GlobalDatabase(), m_screens, roads);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->InitialiseForm();
    menu->show();
    menu->raise();
    menu->activateWindow();
}

void Session::OpenSetupWizard()
{
    SetupRoads roads;
    roads.OpenMainMenu = [this] { OpenMainMenu(); };
    roads.EndProgram = [this] { m_quit(); };
    auto wizard = std::make_unique<frmSetup>(GlobalDatabase(), UserEditor(), roads);
    wizard->setAttribute(Qt::WA_DeleteOnClose);
    // A wizard that cannot initialise is not left behind.
    wizard->InitialiseForm();
    CentreForm(*wizard);
    frmSetup* shown = wizard.release();
    shown->show();
    shown->raise();
    shown->activateWindow();
}

bool Session::OpenAutoExecuteConsole(bool immediate)
{
    ConsoleRoads roads;
    roads.OpenLogon = [this] { OpenLogon(); };
    roads.EndProgram = [this] { m_quit(); };
    auto console = std::make_unique<frmAutoExecute>(GlobalDatabase(), m_exchanges, roads);
    console->setAttribute(Qt::WA_DeleteOnClose);
    console->setWindowIcon(DrawMenuIcon());
    try {
        console->InitialiseForm();
    } catch (const NevixError& e) {
        TellUserCritical(QStringLiteral("Error loading logon form"), e.Description());
        if (immediate)
            m_exitCode = 1;
        return false;
    }
    if (immediate) {
        // A failed unattended run is not reported to its caller as a
        // success: the reasons are in the run's log and on standard error.
        m_exitCode = console->Console().ImmediateRunSucceeded() ? 0 : 1;
        if (m_exitCode != 0)
            WriteFailureToStandardError(console->Console().ImmediateRunFatalTexts());
        console.reset();
        m_quit();
        return true;
    }
    CentreForm(*console);
    console->show();
    console.release()->raise();
    return true;
}

