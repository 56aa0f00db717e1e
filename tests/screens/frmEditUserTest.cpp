#include "EnquirerTestForm.h"
#include "support/RecordingHelp.h"
#include "WhenShown.h"
#include "support/LoggedOnTest.h"

#include "accounts/Enquirers.h"
#include "accounts/UserGroups.h"
#include "accounts/Users.h"
#include "help/HHelper.h"
#include "screens/admin/frmEditUser.h"
#include "screens/common/UserList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace {

class EditUserTest : public LoggedOnTest {
protected:
    void SetUp() override
    {
        Make(FixtureOptions().WithManagerAdministrator());
        LogOn(Fixture::Admin);
    }

    std::shared_ptr<Enquirers> AllEnquirers()
    {
        auto enquirers = std::make_shared<Enquirers>();
        enquirers->SetDataSource(&db());
        enquirers->Load();
        return enquirers;
    }
    std::shared_ptr<User> Stored(const QString& name)
    {
        auto user = std::make_shared<User>();
        user->SetDataSource(&db());
        user->LoadByUserName(name);
        return user;
    }
    std::shared_ptr<User> NewUser()
    {
        auto user = std::make_shared<User>();
        user->SetDataSource(&db());
        return user;
    }
    // The editor filled for the user, as the shared routines open it.
    std::unique_ptr<frmEditUser> Edit(const std::shared_ptr<User>& user)
    {
        auto form = std::make_unique<frmEditUser>();
        form->SetEnquirers(AllEnquirers());
        form->SetUser(user);
        return form;
    }
    QStringList GroupsOf(const QString& name)
    {
        QStringList names;
        const auto groups = Stored(name)->UserGroups();
        for (const auto& group : *groups)
            names << group->Name();
        return names;
    }
    int CheckedGroup(const frmEditUser& form) const
    {
        for (int i = 0; i < 4; ++i) {
            if (form.optUGroup(i)->isChecked())
                return i;
        }
        return -1;
    }
};

// ---- validation, in its order --------------------------------------------

struct EntryCase {
    const char* name;
    const char* userName;
    const char* password;
    const char* description;
    bool anyEnquirer;
    const char* message; // "" when the entries are saved
    const char* focus;   // the box given the focus
};

class ValidationOrder : public EditUserTest, public ::testing::WithParamInterface<EntryCase> {};

// Each row breaks its own field and every later one: the first check wins.
TEST_P(ValidationOrder, StopsAtTheFirstFailure)
{
    const EntryCase& c = GetParam();
    auto user = NewUser();
    auto form = Edit(user);
    form->show();
    form->txtUserName()->setText(QLatin1String(c.userName));
    form->txtPassword()->setText(QLatin1String(c.password));
    form->txtDescription()->setText(QLatin1String(c.description));
    form->lstEnquirers()->item(1)->setSelected(c.anyEnquirer);
    form->setFocus();
    form->cmdOk()->click();

    if (*c.message == '\0') {
        EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
        EXPECT_EQ(form->result(), QDialog::Accepted);
        EXPECT_TRUE(user->BeenApplied());
        EXPECT_FALSE(Stored(QStringLiteral("newbie"))->IsNew());
        return;
    }
    ASSERT_EQ(world.ui().Texts(), QStringList{QLatin1String(c.message)});
    EXPECT_EQ(world.ui().boxes[0].style & MsgBox::IconMask,
              QLatin1String(c.name) == QLatin1String("PasswordRule") ? MsgBox::Exclamation
                                                                     : MsgBox::Information);
    ASSERT_TRUE(form->focusWidget());
    EXPECT_EQ(form->focusWidget()->objectName(), QLatin1String(c.focus));
    EXPECT_NE(form->result(), QDialog::Accepted);
    EXPECT_FALSE(user->BeenApplied());
    EXPECT_EQ(form->txtUserName()->text(), QLatin1String(c.userName)) << "entries kept as typed";
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ValidationOrder,
    ::testing::Values(
        EntryCase{"BlankName", "  ", " ", "", false, "User Name cannot be blank.", "txtUserName"},
        EntryCase{"TakenName", " CLERK1 ", " ", "", false, "This user name is already being used.",
                  "txtUserName"},
        EntryCase{"BlankPassword", "newbie", "  ", "", false, "Password cannot be blank.", "txtPassword"},
        EntryCase{"PasswordRule", "newbie", " Abcdefg1 ", "", false,
                  "Passwords are case sensitive, between 8 and 15 alphanumerics with at least 1 "
                  "digit, 1 upper and 1 lower case letter",
                  "txtPassword"},
        EntryCase{"BlankDescription", "newbie", "Abcdefg1", " ", false, "Description cannot be blank.",
                  "txtDescription"},
        EntryCase{"NoEnquirer", "newbie", "Abcdefg1", "New one", false,
                  "The user must be able to deal with at least one enquirer.", "lstEnquirers"},
        EntryCase{"AllGood", " newbie ", "Abcdefg1", "New one", true, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- saving ---------------------------------------------------------------

TEST_F(EditUserTest, ANewUserIsStoredTrimmedInNormalUsersWithTheTickedEnquirers)
{
    auto user = NewUser();
    auto form = Edit(user);
    ASSERT_EQ(form->lstEnquirers()->count(), 2);
    EXPECT_EQ(form->lstEnquirers()->item(0)->text(), "Stand-in Parking (AB123)");
    EXPECT_EQ(CheckedGroup(*form), 3);
    EXPECT_FALSE(form->optUGroup(0)->isEnabled());
    EXPECT_EQ(form->lblEnabledUserWarning()->text(), "Disabled users cannot log on");
    form->txtUserName()->setText(QStringLiteral(" newbie "));
    form->txtPassword()->setText(QStringLiteral("Abcdefg1"));
    form->txtDescription()->setText(QStringLiteral(" New one "));
    form->cboEnabled()->setCurrentIndex(1);
    form->lstEnquirers()->item(1)->setSelected(true);
    form->cmdOk()->click();

    ASSERT_TRUE(user->BeenApplied());
    const auto stored = Stored(QStringLiteral("newbie"));
    EXPECT_EQ(stored->UserId(), user->UserId());
    EXPECT_EQ(stored->Description(), "New one");
    EXPECT_EQ(stored->Password(), "Abcdefg1");
    EXPECT_FALSE(stored->Enabled());
    EXPECT_EQ(GroupsOf(QStringLiteral("newbie")), QStringList{GroupNames::NormalUsers});
    EXPECT_EQ(stored->Enquirers()->GetEnquirerIdsAsString(), Fixture::SecondEnquirer);
}

// The list's caption speaks of ticked enquirers: each row has a tick box,
// and a tick is the row's selection, given and taken by mouse or keyboard.
struct TickCase {
    const char* name;
    std::function<void(QListWidget&, int row)> tick;
};

class TickingEnquirers : public EditUserTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(TickingEnquirers, TicksAndSelectsTheRowAndTicksAgainClear)
{
    auto user = Stored(Fixture::Clerk);
    auto form = Edit(user);
    form->show();
    QListWidget& list = *form->lstEnquirers();
    ASSERT_EQ(list.item(0)->checkState(), Qt::Checked) << "clerk1 deals with " << Fixture::FirstEnquirer.toStdString();
    ASSERT_EQ(list.item(1)->checkState(), Qt::Unchecked);
    GetParam().tick(list, 1);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Checked);
    EXPECT_TRUE(list.item(1)->isSelected());
    EXPECT_EQ(list.item(0)->checkState(), Qt::Checked) << "the other tick stays";
    GetParam().tick(list, 0);
    EXPECT_EQ(list.item(0)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(list.item(0)->isSelected());
    form->cmdOk()->click();
    ASSERT_TRUE(user->BeenApplied());
    EXPECT_EQ(Stored(Fixture::Clerk)->Enquirers()->GetEnquirerIdsAsString(), Fixture::SecondEnquirer);
}

INSTANTIATE_TEST_SUITE_P(
    ByMouseAndKeyboard, TickingEnquirers,
    ::testing::Values(TickCase{"Space",
                               [](QListWidget& list, int row) {
                                   list.setCurrentRow(row, QItemSelectionModel::NoUpdate);
                                   QTest::keyClick(&list, Qt::Key_Space);
                               }},
                      TickCase{"ClickOnTheTickBox",
                               [](QListWidget& list, int row) {
                                   const QRect line = list.visualItemRect(list.item(row));
                                   QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                                                     QPoint(line.left() + line.height() / 2, line.center().y()));
                               }},
                      TickCase{"ClickOnTheName",
                               [](QListWidget& list, int row) {
                                   QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                                                     list.visualItemRect(list.item(row)).center());
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditUserTest, AUserInTwoGroupsShowsNormalUsersAndIsLeftInThatGroupOnly)
{
    auto form = Edit(Stored(Fixture::ManagerAdministrator));
    EXPECT_EQ(CheckedGroup(*form), 3);
    EXPECT_EQ(form->lstEnquirers()->selectedItems().size(), 2);
    form->cmdOk()->click();
    ASSERT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(GroupsOf(Fixture::ManagerAdministrator), QStringList{GroupNames::NormalUsers});

    auto manager = Edit(Stored(Fixture::Manager));
    EXPECT_EQ(CheckedGroup(*manager), 2);
    manager->optUGroup(1)->setChecked(true);
    manager->cmdOk()->click();
    EXPECT_EQ(GroupsOf(Fixture::Manager), QStringList{GroupNames::Administrators});
}

TEST_F(EditUserTest, RenamingToAnotherUsersNameIsRefusedAndToItsOwnIsNot)
{
    auto user = Stored(Fixture::Manager);
    auto form = Edit(user);
    form->txtUserName()->setText(QStringLiteral("clerk1"));
    form->cmdOk()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"This user name is already being used."});
    EXPECT_FALSE(user->BeenApplied());
    EXPECT_FALSE(Stored(Fixture::Manager)->IsNew());

    world.ui().boxes.clear();
    form->txtUserName()->setText(QStringLiteral(" MGR1 "));
    form->cmdOk()->click();
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_TRUE(user->BeenApplied());
    EXPECT_EQ(Stored(QStringLiteral("MGR1"))->UserName(), "MGR1");
}

TEST_F(EditUserTest, TheOnlyEnabledAdministratorStaysEnabledAndInItsGroup)
{
    for (const QString& other : {QStringLiteral("ADMIN"), Fixture::ManagerAdministrator}) {
        auto administrator = Stored(other);
        administrator->SetEnabled(false);
        administrator->Apply();
    }
    auto user = Stored(Fixture::Admin);
    auto form = Edit(user);
    EXPECT_EQ(form->lblEnabledUserWarning()->text(),
              "This is the only enabled Admin user so it cannot be disabled");
    EXPECT_FALSE(form->cboEnabled()->isEnabled());
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(form->optUGroup(i)->isEnabled()) << i;
    EXPECT_TRUE(form->optUGroup(1)->isChecked());

    form->txtDescription()->setText(QStringLiteral("Still the boss"));
    form->cmdOk()->click();
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(Stored(Fixture::Admin)->Description(), "Still the boss");

    // Were the boxes reached anyway, the window would still refuse.
    const struct {
        int enabled;
        int group;
        const char* message;
    } cases[] = {{1, 1, "You cannot disable the only Admin user"},
                 {0, 2, "You cannot change the group of the only Admin user"}};
    for (const auto& c : cases) {
        auto again = Edit(Stored(Fixture::Admin));
        world.ui().boxes.clear();
        again->cboEnabled()->setCurrentIndex(c.enabled);
        again->optUGroup(c.group)->setChecked(true);
        again->cmdOk()->click();
        EXPECT_EQ(world.ui().Texts(), QStringList{QLatin1String(c.message)});
    }
    EXPECT_EQ(GroupsOf(Fixture::Admin), QStringList{GroupNames::Administrators});
    EXPECT_TRUE(Stored(Fixture::Admin)->Enabled());
}

TEST_F(EditUserTest, SystemUsersAreReadOnlyAndTheUnattendedPasswordIsNeverShown)
{
    auto form = Edit(Stored(QStringLiteral("AUTOEXECUTE")));
    EXPECT_EQ(CheckedGroup(*form), 0);
    for (QWidget* control : std::initializer_list<QWidget*>{
             form->cmdOk(), form->txtUserName(), form->txtPassword(), form->lstEnquirers(),
             form->cboEnabled(), form->chkShowPassword()})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(form->txtDescription()->isReadOnly());
    EXPECT_EQ(form->txtPassword()->echoMode(), QLineEdit::Password);

    auto clerk = Edit(Stored(Fixture::Clerk));
    EXPECT_TRUE(clerk->chkShowPassword()->isEnabled());
    EXPECT_FALSE(clerk->lblPasswordRule()->isVisibleTo(clerk.get()));
    clerk->chkShowPassword()->click();
    EXPECT_EQ(clerk->txtPassword()->echoMode(), QLineEdit::Normal);
    EXPECT_TRUE(clerk->lblPasswordRule()->isVisibleTo(clerk.get()));
    clerk->chkShowPassword()->click();
    EXPECT_EQ(clerk->txtPassword()->echoMode(), QLineEdit::Password);
}

TEST_F(EditUserTest, ASaveOvertakenByAnotherInstallationKeepsTheWindowOpenAndNoTransaction)
{
    auto user = Stored(Fixture::Manager);
    auto form = Edit(user);
    form->show();
    CDataBase other;
    Fixture::Connect(other, folder);
    other.Execute(QStringLiteral("UPDATE USERS SET TmStamp='changed' WHERE UserName='mgr1'"));
    other.Disconnect();

    form->txtDescription()->setText(QStringLiteral("Changed here"));
    form->optUGroup(3)->setChecked(true);
    form->lstEnquirers()->item(0)->setSelected(false);
    form->cmdOk()->click();

    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, "Unable to save the user because:\rConcurrency prevented update.");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->txtDescription()->text(), "Changed here");
    EXPECT_EQ(db().TransactionCount(), 0);
    EXPECT_FALSE(user->BeenApplied());
    EXPECT_EQ(GroupsOf(Fixture::Manager), QStringList{GroupNames::Managers}) << "the links rolled back";
    EXPECT_EQ(Stored(Fixture::Manager)->Enquirers()->Count(), 2);

    form->cmdCancel()->click();
    EXPECT_EQ(user->Description(), Stored(Fixture::Manager)->Description());
}

TEST_F(EditUserTest, CancelStoresNothingAndF1AsksTheEditorTopic)
{
    auto engine = std::make_shared<RecordingHelp>();
    GlobalHelp().SetHelpFile(QStringLiteral("guide.chm"));
    GlobalHelp().SetHelpEngine(engine);
    auto user = Stored(Fixture::Clerk);
    auto form = Edit(user);
    form->show();
    QTest::keyClick(form->txtDescription(), Qt::Key_F1);
    EXPECT_EQ(engine->topics, QList<int32_t>{10000});
    ReleaseHelp();

    form->txtDescription()->setText(QStringLiteral("typed"));
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(user->BeenApplied());
    EXPECT_NE(Stored(Fixture::Clerk)->Description(), "typed");
}

TEST_F(EditUserTest, TheSharedAddRoutineListsAUserStoredInTheEditorWindow)
{
    EnquirerTestForm owner;
    Users users;
    users.SetDataSource(&db());
    WhenShown<frmEditUser>([](frmEditUser& form) {
        form.txtUserName()->setText(QStringLiteral("added"));
        form.txtPassword()->setText(QStringLiteral("Abcdefg1"));
        form.txtDescription()->setText(QStringLiteral("From the list"));
        form.lstEnquirers()->item(0)->setSelected(true);
        form.cmdOk()->click();
    });
    AddUserFromList(AllEnquirers(), users, owner, EditUserInWindow);
    EXPECT_FALSE(owner.lstUsers()->findItems(QStringLiteral("added (From the list)"), Qt::MatchExactly).isEmpty());
}

} // namespace
