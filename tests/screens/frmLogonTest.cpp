#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "screens/admin/frmChangePassword.h"
#include "screens/admin/frmLogon.h"
#include "support/AccountsTest.h"
#include "WhenShown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Runs once the next modal window is up: the password change the logon
// asks for.
void WhenPasswordChangeOpens(std::function<void(frmChangePassword&)> act)
{
    WhenShown<frmChangePassword>(std::move(act));
}

class LogonTest : public AccountsTest {
protected:
    LogonTest()
    {
        db.Execute(QStringLiteral("UPDATE System_Parameters SET SetupComplete=1"));
        roads.OpenMainMenu = [this] { ++menus; };
        roads.OpenSetupWizard = [this] { ++wizards; };
        roads.OpenAutoExecuteConsole = [this](bool immediate) {
            consoles.append(immediate);
            return true;
        };
        roads.EndProgram = [this] { ++ends; };
        roads.CancelProgram = [this] { ++cancels; };
    }
    ~LogonTest() override { SetCurrentUser(nullptr); }

    void LogOn(frmLogon& logon, const QString& name, const QString& password)
    {
        logon.txtPartyCode()->setText(name);
        logon.txtPassword()->setText(password);
        logon.cmdOK()->click();
    }

    LogonRoads roads;
    int menus = 0, wizards = 0, ends = 0, cancels = 0;
    QList<bool> consoles;
};

TEST_F(LogonTest, TwoWrongPasswordsThenTheRightOneOpensTheMenu)
{
    StoreUser(QStringLiteral("Bob"), QStringLiteral("Secret123"), {QStringLiteral("Normal Users")});
    frmLogon logon(db, roads);
    logon.InitialiseForm();
    ASSERT_TRUE(logon.IsLoaded());
    EXPECT_EQ(Settings().ProgramRunningMode(), RunningMode::Interactive);

    LogOn(logon, QStringLiteral("  bob "), QStringLiteral("wrong"));
    LogOn(logon, QStringLiteral("bob"), QStringLiteral("secret123")); // letter case counts
    EXPECT_EQ(menus, 0);
    LogOn(logon, QStringLiteral("BOB"), QStringLiteral("Secret123"));

    const QString incorrect = QStringLiteral("The User Name or Password you entered is incorrect.");
    EXPECT_EQ(world.ui().Texts(), (QStringList{incorrect, incorrect}));
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(logon.IsLoaded());
    ASSERT_TRUE(GetCurrentUser());
    EXPECT_EQ(GetCurrentUser()->UserName(), QStringLiteral("Bob"));
    EXPECT_EQ(logon.txtPartyCode()->text(), QStringLiteral("BOB"));
}

TEST_F(LogonTest, ThreeFailuresEndTheProgram)
{
    frmLogon logon(db, roads);
    logon.InitialiseForm();
    for (int i = 0; i < 3; ++i)
        LogOn(logon, QStringLiteral("nobody"), QStringLiteral("x"));
    ASSERT_EQ(world.ui().boxes.size(), 3);
    EXPECT_EQ(world.ui().boxes.last().text,
              QStringLiteral("You have tried to logon 3 times unsuccessfully."));
    EXPECT_EQ(world.ui().boxes.last().style, 0x10u);
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(logon.IsLoaded());
}

TEST_F(LogonTest, EmptyFieldsAreRefusedWithoutCountingAnAttempt)
{
    frmLogon logon(db, roads);
    logon.InitialiseForm();
    LogOn(logon, QStringLiteral("   "), QStringLiteral("x"));
    LogOn(logon, QStringLiteral("Bob"), QString());
    for (int i = 0; i < 2; ++i)
        LogOn(logon, QStringLiteral("nobody"), QStringLiteral("x"));
    EXPECT_EQ(world.ui().Texts().mid(0, 2),
              (QStringList{QStringLiteral("You must enter a User Name."),
                           QStringLiteral("You must enter the logon password for 'Bob'.")}));
    EXPECT_EQ(cancels, 0); // only two attempts counted
}

TEST_F(LogonTest, TheUnattendedUserCannotLogOnByHandAndDisabledUsersAreRefused)
{
    auto carol = StoreUser(QStringLiteral("Carol"), QStringLiteral("Secret123"));
    carol->SetEnabled(false);
    carol->Apply();
    frmLogon logon(db, roads);
    logon.InitialiseForm();
    LogOn(logon, QStringLiteral("AUTOEXECUTE"), QStringLiteral("871RUNAGENT46m2"));
    LogOn(logon, QStringLiteral("Carol"), QStringLiteral("Secret123"));
    EXPECT_EQ(menus, 0);
    EXPECT_EQ(world.ui().boxes.size(), 2);
    EXPECT_FALSE(GetCurrentUser());
}

TEST_F(LogonTest, APasswordBreakingTheRuleMustBeChangedFirst)
{
    // The delivered administrator's password breaks the service-password rule.
    {
        frmLogon logon(db, roads);
        logon.InitialiseForm();
        WhenPasswordChangeOpens([](frmChangePassword& change) {
            EXPECT_TRUE(change.lblChangePWRulesMessage1()->isVisible());
            change.cmdCancel()->click();
        });
        LogOn(logon, QStringLiteral("ADMIN"), QStringLiteral("ADMIN"));
        EXPECT_EQ(menus, 0);
        EXPECT_EQ(ends, 1);
    }
    frmLogon logon(db, roads);
    logon.InitialiseForm();
    WhenPasswordChangeOpens([](frmChangePassword& change) {
        change.txtExistingPassword()->setText(QStringLiteral("ADMIN"));
        change.txtPassword()->setText(QStringLiteral("NewAdmin42"));
        change.txtConfirmPassword()->setText(QStringLiteral("NewAdmin42"));
        change.cmdOk_Click();
    });
    LogOn(logon, QStringLiteral("ADMIN"), QStringLiteral("ADMIN"));
    EXPECT_EQ(menus, 1);
    User stored;
    stored.SetDataSource(&db);
    stored.LoadByUserNameAndPassword(QStringLiteral("ADMIN"), QStringLiteral("NewAdmin42"));
    EXPECT_FALSE(stored.IsNew());
}

TEST_F(LogonTest, AutoExecuteRoads)
{
    Settings().SetIsInAutoExecuteModeImmediateExecute(true);
    Settings().SetBypassLogonSecurity(true);
    Settings().SetProgramInstallMode(InstallMode::Client);
    {
        frmLogon logon(db, roads);
        logon.InitialiseForm();
        EXPECT_FALSE(logon.IsLoaded());
        EXPECT_EQ(world.ui().Texts(), (QStringList{QStringLiteral(
                                          "You cannot run the program in AUTO mode because this install is a client")}));
        EXPECT_EQ(ends, 1);
        EXPECT_TRUE(consoles.isEmpty());
    }
    Settings().SetProgramInstallMode(InstallMode::Standalone);
    frmLogon logon(db, roads);
    logon.InitialiseForm();
    EXPECT_EQ(consoles, (QList<bool>{true}));
    EXPECT_EQ(Settings().ProgramRunningMode(), RunningMode::Automatic);
    ASSERT_TRUE(GetCurrentUser());
    EXPECT_EQ(GetCurrentUser()->UserName(), QStringLiteral("AUTOEXECUTE"));
    EXPECT_FALSE(logon.IsLoaded());
}

TEST_F(LogonTest, SetupNotCompleteLogsOnTheFirstAdministratorForTheWizard)
{
    db.Execute(QStringLiteral("UPDATE System_Parameters SET SetupComplete=0"));
    frmLogon logon(db, roads);
    logon.InitialiseForm();
    EXPECT_EQ(wizards, 1);
    EXPECT_EQ(Settings().ProgramRunningMode(), RunningMode::Setup);
    EXPECT_EQ(GetCurrentUser()->UserName(), QStringLiteral("ADMIN"));
    EXPECT_FALSE(logon.IsLoaded());
}

TEST_F(LogonTest, ShowPasswordFromTheBoxOrItsLabel)
{
    frmLogon logon(db, roads);
    logon.chkShowPassword()->click();
    EXPECT_EQ(logon.txtPassword()->echoMode(), QLineEdit::Normal);
    QTest::mouseClick(logon.lblShowPassword(), Qt::LeftButton);
    EXPECT_EQ(logon.txtPassword()->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(logon.chkShowPassword()->isChecked());
}

} // namespace
