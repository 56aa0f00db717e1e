#include "MenuTest.h"
#include "WhenShown.h"
#include "support/Printers.h"

#include "support/ScriptedExchanges.h"

#include "help/HHelper.h"
#include "scheduling/AutoExecuteConsole.h"
#include "screens/admin/frmLogon.h"
#include "screens/admin/frmMenu.h"
#include "screens/common/UnloadAllForms.h"
#include "screens/transmission/frmAutoExecute.h"
#include "screens/transmission/frmCloseAutoExecute.h"
#include "screens/transmission/frmShutDownMode.h"
#include "startup/Session.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class SessionTest : public MenuTest {
protected:
    SessionTest()
    {
        Make();
        session.SetExchanges(exchanges);
    }
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
    std::shared_ptr<ScriptedExchanges> exchanges = std::make_shared<ScriptedExchanges>();
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
        EXPECT_EQ(Visible<frmAutoExecute>() != nullptr, c.consoleShown);
        EXPECT_TRUE(Settings().IsInAutoExecuteMode());
        EXPECT_EQ(quits, 0);
        UnloadAllForms();
    }
}

TEST_F(SessionTest, TheAutomaticStartShowsTheConsoleAndManualModeHandsOverToALogon)
{
    Settings().SetIsInAutoExecuteMode(true);
    Settings().SetBypassLogonSecurity(true);
    session.OpenLogon();
    frmAutoExecute* console = Visible<frmAutoExecute>();
    ASSERT_TRUE(console) << "the unattended user was logged on";
    EXPECT_FALSE(Visible<frmLogon>());
    EXPECT_EQ(console->lblScheduledConnections()->text(), "Scheduled Connections (AUTOEXECUTE)");
    EXPECT_TRUE(console->Console().Timer().isActive());
    EXPECT_TRUE(console->chkScheduler(0)->isChecked()) << "the fixture's active row";
    EXPECT_FALSE(console->chkScheduler(1)->isChecked());
    EXPECT_FALSE(console->cmdSchSettings(0)->isEnabled());
    EXPECT_FALSE(console->windowIcon().isNull()) << "the menu's icon";

    WhenShown<frmCloseAutoExecute>([](frmCloseAutoExecute& dialog) {
        dialog.optClose(frmCloseAutoExecute::ManualMode)->click();
        dialog.cmdClose()->click();
    });
    console->cmdExit()->click();
    EXPECT_FALSE(Visible<frmAutoExecute>());
    EXPECT_TRUE(Visible<frmLogon>()) << "not logged straight back on";
    EXPECT_EQ(quits, 0);
    EXPECT_FALSE(Settings().IsInAutoExecuteMode());
    EXPECT_TRUE(Settings().CameFromAutoExecute());
    LogLines log;
    log.SetDataSource(&db());
    EXPECT_EQ(log.CountWithoutLoadingInternal(
                  QStringLiteral("WHERE Event_Code=8 AND ProcessCode='AUTOEXEC' AND Event_Text=? AND UserName='AUTOEXECUTE'"),
                  {QStringLiteral("Autoexecute user switched to INTERACTIVE mode")}),
              1);

    // Logged on by hand now, the menu offers the way back.
    auto* logon = Visible<frmLogon>();
    logon->txtPartyCode()->setText(Fixture::Admin);
    logon->txtPassword()->setText(Fixture::Password);
    logon->cmdOK()->click();
    frmMenu* menu = Visible<frmMenu>();
    ASSERT_TRUE(menu);
    bool offered = false;
    WhenShown<frmShutDownMode>([&offered](frmShutDownMode& dialog) {
        offered = dialog.optCloseDown(2)->isVisible() &&
                  dialog.optCloseDown(2)->text() == "Return to Automatic Execution ";
        dialog.cmdCancel()->click();
    });
    menu->QueryShutDown();
    EXPECT_TRUE(offered);
}

TEST_F(SessionTest, ShuttingTheConsoleDownEndsTheProgram)
{
    Settings().SetIsInAutoExecuteMode(true);
    Settings().SetBypassLogonSecurity(true);
    session.OpenLogon();
    frmAutoExecute* console = Visible<frmAutoExecute>();
    ASSERT_TRUE(console);
    WhenShown<frmCloseAutoExecute>([](frmCloseAutoExecute& dialog) { dialog.cmdClose()->click(); });
    console->cmdExit()->click();
    EXPECT_FALSE(Visible<frmAutoExecute>());
    EXPECT_FALSE(Visible<frmLogon>());
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(session.ExitCode(), 0);
}

TEST_F(SessionTest, AnImmediateStartRunsOnceWithoutShowingTheConsoleAndEndsByItsOutcome)
{
    const struct {
        const char* name;
        QString fatalText;
        bool raises;
        int exitCode;
    } cases[] = {{"clean run", {}, false, 0}, {"fatal text", "Communications failed", false, 1},
                 {"raised", {}, true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        quits = 0;
        ScriptedExchanges::Step step;
        step.fatalText = c.fatalText;
        if (c.raises)
            step.raise = NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("The database went away"));
        exchanges->calls.clear();
        exchanges->Script(QStringLiteral("DoImportTransmissionAndExport"), step);
        Settings().SetIsInAutoExecuteModeImmediateExecute(true);
        Settings().SetBypassLogonSecurity(true);
        session.OpenLogon();
        EXPECT_FALSE(Visible<frmAutoExecute>());
        EXPECT_FALSE(Visible<frmLogon>());
        EXPECT_EQ(quits, 1);
        EXPECT_EQ(session.ExitCode(), c.exitCode);
        const QStringList expected = c.exitCode == 0 ? QStringList{"DoImportTransmissionAndExport", "TableMaintenance"}
                                                     : QStringList{"DoImportTransmissionAndExport"};
        EXPECT_EQ(exchanges->calls, expected) << "maintenance only after a clean exchange";
        EXPECT_TRUE(world.ui().boxes.isEmpty()) << "nobody waits for a box";
    }
}

TEST_F(SessionTest, AnUnattendedStartWhoseUserCannotLogOnEndsWithOne)
{
    db().Execute(QStringLiteral("UPDATE USERS SET Enabled=0 WHERE UserName='AUTOEXECUTE'"));
    for (const bool immediate : {false, true}) {
        SCOPED_TRACE(immediate ? "immediate" : "automatic");
        quits = 0;
        Settings().SetIsInAutoExecuteMode(!immediate);
        Settings().SetIsInAutoExecuteModeImmediateExecute(immediate);
        Settings().SetBypassLogonSecurity(true);
        session.OpenLogon();
        EXPECT_FALSE(Visible<frmAutoExecute>());
        EXPECT_FALSE(Visible<frmLogon>());
        EXPECT_EQ(quits, 1);
        EXPECT_EQ(session.ExitCode(), 1);
    }
}

} // namespace