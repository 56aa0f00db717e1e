#include "support/AccountsTest.h"

#include "accounts/CurrentUser.h"
#include "accounts/UserGroups.h"
#include "platform/NevixError.h"

namespace {

using UsersTest = AccountsTest;

TEST_F(UsersTest, LogonFindsTheNameWithoutCaseAndThePasswordWithIt)
{
    auto bob = StoreUser("Bob", "Secret1");
    const auto logon = [this](const char* name, const char* password) {
        auto user = std::make_shared<User>();
        user->SetDataSource(&db);
        user->LoadByUserNameAndPassword(name, password);
        return user;
    };
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Bob", "Secret1", true}, {" bob ", "Secret1", true}, {"BOB", "secret1", false},
        {"Bob", "SECRET1", false},
        {"Bob", "Secret1 ", false}, // stored trimmed, compared as typed
        {"Rob", "Secret1", false}, {"autoexecute", "871RUNAGENT46m2", true},
        {"AUTOEXECUTE", "871RUNAGENT46M2", false},
    };
    for (const auto& [name, password, accepted] : cases)
        EXPECT_EQ(!logon(name, password)->IsNew(), accepted) << name << " / " << password;
    // A disabled user is found; refusing it is the logon screen's test.
    bob->SetEnabled(false);
    bob->Apply();
    EXPECT_FALSE(logon("Bob", "Secret1")->IsNew());
    EXPECT_FALSE(logon("Bob", "Secret1")->Enabled());
}

TEST_F(UsersTest, RolesComeFromTheGroupsInNameOrder)
{
    const std::tuple<QStringList, const char*, bool, bool> cases[] = { // roles, admin, sysadmin
        {{}, "", false, false},
        {{GroupNames::Managers, GroupNames::Administrators}, "ADMIN,MGR", true, false},
        {{GroupNames::NormalUsers, GroupNames::SystemUsers}, "CLER,SYSADMIN", true, true},
    };
    int n = 0;
    for (const auto& [groups, roles, admin, sysAdmin] : cases) {
        auto user = LoadedUser(StoreUser(QStringLiteral("User%1").arg(++n), "pw", groups)->UserName());
        EXPECT_EQ(user->Roles(), QLatin1String(roles));
        EXPECT_EQ(user->IsAdminUser(), admin) << roles;
        EXPECT_EQ(user->IsSysAdminUser(), sysAdmin) << roles;
    }
}

TEST_F(UsersTest, ReplaceEnquirersComparesSets)
{
    for (const char* id : {"AB123", "CD456", "EF789"})
        StoreEnquirer(id, id);
    auto stored = StoreUser("Bob", "pw", {}, "AB123,CD456");
    EXPECT_EQ(LinkedIds(stored->UserId()), "AB123,CD456");

    const std::tuple<const char*, bool, const char*> cases[] = { // ids, dirty, linked after
        {"CD456,AB123", false, "AB123,CD456"}, {"AB123,EF789", true, "AB123,EF789"},
        {"AB123", true, "AB123"}, {"AB123,CD456,EF789", true, "AB123,CD456,EF789"},
        {nullptr, true, ""}, // no collection at all
    };
    for (const auto& [ids, dirty, linked] : cases) {
        auto user = LoadedUser("Bob");
        user->ReplaceEnquirers(ids ? LoadedEnquirers(ids) : nullptr);
        EXPECT_EQ(user->IsDirty(), dirty) << (ids ? ids : "none");
        user->Apply();
        EXPECT_EQ(LinkedIds(user->UserId()), QLatin1String(linked));
    }
}

TEST_F(UsersTest, UserNamesAreUniqueWhateverTheirCase)
{
    StoreUser("Bob", "pw");
    auto second = std::make_shared<User>();
    second->SetDataSource(&db);
    second->SetUserName("BOB");
    try {
        second->Apply();
        FAIL() << "a second Bob must be refused";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::UserNameInUse);
        EXPECT_EQ(e.Description(), QStringLiteral("The user name \"BOB\" is already in use. User "
                                                  "names must differ by more than letter case."));
    }
    EXPECT_TRUE(second->IsNew());
    EXPECT_TRUE(second->IsDirty());
    EXPECT_EQ(CountRows("USERS", "UserName='bob'"), 1);
    // Its key went back with the counter: saved again, no key is handed out twice.
    EXPECT_TRUE(second->UserId().isEmpty());
    second->SetUserName("Carol");
    second->Apply();
    EXPECT_NE(StoreUser("Dave", "pw")->UserId(), second->UserId());

    // The index refuses it too, whoever writes.
    EXPECT_THROW(db.Execute(QStringLiteral("INSERT INTO USERS (UserId, UserName, Enabled, CanChangPw) "
                                           "VALUES ('X1','bOb',1,1)")),
                 NevixError);
    auto admin = LoadedUser("ADMIN");
    admin->SetUserName("bob");
    EXPECT_THROW(admin->Apply(), NevixError);
}

TEST_F(UsersTest, DeletionTakesMembershipsAndLinksUnlessTheStampIsStale)
{
    StoreEnquirer("AB123", "Acme");
    auto stored = StoreUser("Bob", "pw", {GroupNames::Managers}, "AB123");
    const QString where = "UserId='" + stored->UserId() + QLatin1Char('\'');
    Users users;
    users.SetDataSource(&db);
    users.Load();
    auto bob = users.Find("Bob");
    EXPECT_EQ(users.Find("bob"), nullptr);
    bob->SetIsDeleted(true);

    db.Execute("UPDATE USERS SET TmStamp='elsewhere' WHERE " + where);
    EXPECT_THROW(users.Apply(), NevixError);
    EXPECT_EQ(CountRows("USER_GROUP_LINK", where), 1);
    EXPECT_EQ(CountRows("USER_ENQUIRER_LINK", where), 1);

    bob->SetOldTimeStamp("elsewhere");
    users.Apply();
    EXPECT_FALSE(users.Exists(stored->UserId()));
    for (const char* table : {"USERS", "USER_GROUP_LINK", "USER_ENQUIRER_LINK"})
        EXPECT_EQ(CountRows(table, where), 0) << table;
}

// Ids come from screens and the service: quotes are data, never SQL.
TEST_F(UsersTest, IdsHoldingQuotesAreStoredAndFound)
{
    const QString id = "O'B12";
    StoreEnquirer(id, "Quote", {"01AA"});
    User user;
    user.SetDataSource(&db);
    user.SetUserId("U'1");
    user.SetUserName("O'Neil");
    user.ReplaceEnquirers(LoadedEnquirers(id + ",X') OR ('1'='1"));
    user.Apply();
    UserGroup group;
    group.SetDataSource(&db);
    group.LoadByName(GroupNames::Managers);
    group.AddUser(user);

    auto loaded = LoadedUser("o'neil");
    EXPECT_EQ(loaded->UserId(), "U'1");
    EXPECT_EQ(loaded->Roles(), "MGR");
    auto enquirer = loaded->Enquirers()->Item(1);
    EXPECT_EQ(enquirer->EnquiryReasons()->Item(1)->ID(), id + "001");
    enquirer->SetIsDeleted(true);
    enquirer->Apply();
    loaded->SetIsDeleted(true);
    loaded->Apply();
    EXPECT_EQ(CountRows("ENQUIRY_REASON") + CountRows("USER_ENQUIRER_LINK") +
                  CountRows("USER_GROUP_LINK", "UserId='U''1'"),
              0);
}

} // namespace

namespace {

TEST(CurrentUser, IsRequiredByTheScreensThatShowTheUsersRecords)
{
    SetCurrentUser(nullptr);
    try {
        RequireCurrentUser();
        ADD_FAILURE() << "no user is logged on";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::ObjectErrorBase);
        EXPECT_EQ(e.Description(), QStringLiteral("No user is logged on"));
    }
    const auto user = std::make_shared<User>();
    SetCurrentUser(user);
    EXPECT_EQ(RequireCurrentUser(), user);
    SetCurrentUser(nullptr);
}

} // namespace
