#include "accounts/CurrentUser.h"
#include "screens/EnquirerTestForm.h"
#include "screens/common/UserList.h"
#include "support/AccountsTest.h"

#include <gtest/gtest.h>

namespace {

class UserListTest : public AccountsTest {
protected:
    UserListTest() { users.SetDataSource(&db); }
    ~UserListTest() override { SetCurrentUser(nullptr); }

    // Selects the one line that begins so.
    void Select(const char* start)
    {
        const auto found = form.lstUsers()->findItems(QLatin1String(start), Qt::MatchStartsWith);
        ASSERT_EQ(found.size(), 1) << start;
        form.lstUsers()->setCurrentItem(found.first());
    }
    bool Listed(const QString& line) const
    {
        return !form.lstUsers()->findItems(line, Qt::MatchExactly).isEmpty();
    }

    Users users;
    EnquirerTestForm form;
};

TEST_F(UserListTest, DeletionRefusalsAndTheQuestionWhateverTheName)
{
    StoreUser(QStringLiteral("boss"), QStringLiteral("pw"), {GroupNames::Administrators});
    auto retired = StoreUser(QStringLiteral("retired"), QStringLiteral("pw"), {GroupNames::Administrators});
    retired->SetEnabled(false);
    retired->Apply();
    StoreUser(QStringLiteral("a(b)"), QStringLiteral("pw"));
    SetCurrentUser(StoreUser(QStringLiteral("me"), QStringLiteral("pw")));
    LoadUserList(users, form);
    EXPECT_EQ(GetSelectedUser(users, form), nullptr); // nothing selected
    EXPECT_TRUE(Listed(QStringLiteral("retired () - Disabled")));

    const struct {
        const char* line;
        int16_t answer;
        const char* message;
        bool deleted;
    } cases[] = {
        {"me ", MsgBox::AnswerYes, "You cannot delete your own user account.", false},
        {"AUTOEXECUTE", MsgBox::AnswerYes, "You cannot delete the System Administrator", false},
        {"boss", MsgBox::AnswerYes, "You must disable an Admin user before the user can be deleted.", false},
        {"retired", MsgBox::AnswerNo, "Delete user 'retired' ?", false},
        {"retired", MsgBox::AnswerYes, "Delete user 'retired' ?", true},
        {"a(b)", MsgBox::AnswerYes, "Delete user 'a(b)' ?", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Select(c.line);
        const int before = form.lstUsers()->count();
        world.ui().boxes.clear();
        world.ui().ScriptAnswer(c.answer);
        DeleteSelectedUser(users, form);
        world.ui().answers.clear();
        ASSERT_EQ(world.ui().boxes.size(), 1);
        EXPECT_EQ(world.ui().boxes[0].text, QLatin1String(c.message));
        EXPECT_EQ(form.lstUsers()->count(), c.deleted ? before - 1 : before);
    }
    EXPECT_EQ(world.ui().boxes[0].style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
    EXPECT_EQ(CountRows(QStringLiteral("USERS"), QStringLiteral("UserName='a(b)'")), 0);
}

TEST_F(UserListTest, AnAddedUserIsListedOnlyWhenTheEditorStoredIt)
{
    bool store = false;
    const UserEditor editor = [&](QWidget* owner, const auto&, const auto& user) {
        EXPECT_EQ(owner, &form);
        user->SetUserName(QStringLiteral("new one"));
        user->SetPassword(QStringLiteral("pw"));
        if (store)
            user->Apply();
    };
    AddUserFromList(std::make_shared<Enquirers>(), users, form, editor);
    EXPECT_EQ(world.ui().boxes.value(0).text, QStringLiteral("You cannot add users until you have Enquirers."));

    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Alpha"));
    AddUserFromList(LoadedEnquirers(), users, form, editor);
    EXPECT_EQ(form.lstUsers()->count(), 0);
    store = true;
    AddUserFromList(LoadedEnquirers(), users, form, editor);
    EXPECT_TRUE(Listed(QStringLiteral("new one ()")));
}

} // namespace
