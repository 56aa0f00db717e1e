#include "startup/Session.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/qt/CentreForm.h"
#include "database/GlobalDatabase.h"
#include "screens/admin/frmLoggedOn.h"
#include "screens/admin/frmLogon.h"
#include "screens/admin/frmMenu.h"
#include "screens/admin/frmSetup.h"
#include "startup/GlobalObjects.h"

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
    : m_screens(std::move(screens)), m_quit(quit ? std::move(quit) : std::function<void()>(Quit))
{
    m_roads.OpenMainMenu = [this] { OpenMainMenu(); };
    m_roads.OpenSetupWizard = [this] { OpenSetupWizard(); };
    m_roads.OpenAutoExecuteConsole = [this](bool) {
        ShowLoggedOn(QStringLiteral("The auto-execute console"), [this] { LeaveAutoExecute(); });
        return true;
    };
    m_roads.EndProgram = [this] { m_quit(); };
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

void Session::LeaveAutoExecute()
{
    // Logging off the console leaves unattended work: otherwise the logon
    // would log the unattended user straight back on.
    ApplicationSettings& settings = Settings();
    settings.SetIsInAutoExecuteMode(false);
    settings.SetIsInAutoExecuteModeImmediateExecute(false);
    settings.SetCameFromAutoExecute(true);
    OpenLogon();
}

void Session::ShowLoggedOn(const QString& whatFollows, std::function<void()> logOff)
{
    const auto user = GetCurrentUser();
    auto* window = new frmLoggedOn(user ? user->UserName() : QString(), whatFollows, std::move(logOff));
    window->setAttribute(Qt::WA_DeleteOnClose);
    CentreForm(*window);
    window->show();
}
