#include "MenuTest.h"
#include "WhenShown.h"
#include "support/Printers.h"

#include "help/HHelper.h"
#include "screens/admin/frmLoggedOn.h"
#include "screens/admin/frmLogon.h"
#include "screens/admin/frmMenu.h"
#include "screens/common/UnloadAllForms.h"
#include "screens/transmission/frmShutDownMode.h"
#include "startup/Session.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class SessionTest : public MenuTest {
protected:
    SessionTest() { Make(); }
    ~SessionTest() override
    {
        UnloadAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename Window>
    Window* Visible()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<Window*>(w); window && window->isVisible())
                return window;
        }
        return nullptr;
    }

    frmMenu* LogOnToTheMenu(const QString& user)
    {
        session.OpenLogon();
        auto* logon = Visible<frmLogon>();
        if (!logon)
            return nullptr;
        logon->txtPartyCode()->setText(user);
        logon->txtPassword()->setText(Fixture::Password);
        logon->cmdOK()->click();
        return Visible<frmMenu>();
    }

    void Leave(frmMenu& menu, int option)
    {
        WhenShown<frmShutDownMode>([option](frmShutDownMode& dialog) {
            dialog.optCloseDown(option)->click();
            dialog.cmdOk()->click();
        });
        menu.QueryShutDown();
    }

    int quits = 0;
    Session session{FormRegistry(), [this] { ++quits; }};
};

TEST_F(SessionTest, AGoodLogonOpensTheMenuAndLogOffShowsTheLogonAgain)
{
    SetProgramHelpFile(QStringLiteral("guide.chm"));
    frmMenu* menu = LogOnToTheMenu(Fixture::Clerk);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->lblWelcome(3)->text(), "clerk1");
    EXPECT_FALSE(Visible<frmLogon>());
    Leave(*menu, 1);
    EXPECT_FALSE(Visible<frmMenu>());
    EXPECT_TRUE(Visible<frmLogon>());
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(GlobalHelp().HelpFile(), "guide.chm") << "help still works for the next user";
    SetProgramHelpFile(QString());
}

TEST_F(SessionTest, ShutDownEndsTheProgram)
{
    frmMenu* menu = LogOnToTheMenu(Fixture::Clerk);
    ASSERT_TRUE(menu);
    Leave(*menu, 0);
    EXPECT_FALSE(Visible<frmMenu>());
    EXPECT_EQ(quits, 1);
}

TEST_F(SessionTest, ReturningToAutomaticExecutionShowsTheLogonOnlyWithoutTheBypass)
{
    const struct {
        bool bypass;
        bool logonShown;
        bool consoleShown;
    } cases[] = {{true, false, true}, {false, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bypass);
        Settings().SetIsInAutoExecuteMode(false);
        Settings().SetBypassLogonSecurity(c.bypass);
        frmMenu* menu = LogOnToTheMenu(Fixture::Admin);
        ASSERT_TRUE(menu);
        Settings().SetCameFromAutoExecute(true);
        Leave(*menu, 2);
        EXPECT_FALSE(Visible<frmMenu>());
        EXPECT_EQ(Visible<frmLogon>() != nullptr, c.logonShown);
        EXPECT_EQ(Visible<frmLoggedOn>() != nullptr, c.consoleShown);
        EXPECT_TRUE(Settings().IsInAutoExecuteMode());
        EXPECT_EQ(quits, 0);
        UnloadAllForms();
    }
}

TEST_F(SessionTest, LoggingOffAnAutomaticStartShowsTheLogonAndKeepsTheProgram)
{
    Settings().SetIsInAutoExecuteMode(true);
    Settings().SetBypassLogonSecurity(true);
    session.OpenLogon();
    frmLoggedOn* console = Visible<frmLoggedOn>();
    ASSERT_TRUE(console) << "the unattended user was logged on";
    EXPECT_FALSE(Visible<frmLogon>());
    console->cmdLogOff()->click();
    EXPECT_FALSE(Visible<frmLoggedOn>());
    EXPECT_TRUE(Visible<frmLogon>()) << "not logged straight back on";
    EXPECT_EQ(quits, 0);
    EXPECT_FALSE(Settings().IsInAutoExecuteMode());
    EXPECT_TRUE(Settings().CameFromAutoExecute());

    // Logged on by hand now, the menu offers the way back.
    auto* logon = Visible<frmLogon>();
    logon->txtPartyCode()->setText(Fixture::Admin);
    logon->txtPassword()->setText(Fixture::Password);
    logon->cmdOK()->click();
    frmMenu* menu = Visible<frmMenu>();
    ASSERT_TRUE(menu);
    bool offered = false;
    WhenShown<frmShutDownMode>([&offered](frmShutDownMode& dialog) {
        offered = dialog.optCloseDown(2)->isVisible();
        dialog.cmdCancel()->click();
    });
    menu->QueryShutDown();
    EXPECT_TRUE(offered);
}

} // namespace
