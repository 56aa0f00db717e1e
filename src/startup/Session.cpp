#include "startup/Session.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/qt/CentreForm.h"
#include "database/GlobalDatabase.h"
#include "screens/admin/frmLoggedOn.h"
#include "screens/admin/frmLogon.h"
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

Session::Session()
{
    m_roads.OpenMainMenu = [this] { ShowLoggedOn(QStringLiteral("The main menu")); };
    m_roads.OpenSetupWizard = [this] { ShowLoggedOn(QStringLiteral("The set-up wizard")); };
    m_roads.OpenAutoExecuteConsole = [this](bool) {
        ShowLoggedOn(QStringLiteral("The auto-execute console"));
        return true;
    };
    m_roads.EndProgram = [] { Quit(); };
    m_roads.CancelProgram = [] {
        ReleaseGlobalObjects();
        Quit();
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

void Session::ShowLoggedOn(const QString& whatFollows)
{
    const auto user = GetCurrentUser();
    auto* window = new frmLoggedOn(user ? user->UserName() : QString(), whatFollows,
                                   [this] { OpenLogon(); });
    window->setAttribute(Qt::WA_DeleteOnClose);
    CentreForm(*window);
    window->show();
}
