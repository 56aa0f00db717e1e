#include "support/AccountsTest.h"

#include "accounts/UserGroups.h"

namespace {

using UsersTest = AccountsTest;

TEST_F(UsersTest, LogonFindsTheNameWithoutCaseAndThePasswordWithIt)
{
    auto bob = StoreUser(QStringLiteral("Bob"), QStringLiteral("Secret1"));
    struct Case {
        const char* name;
        const char* password;
        bool accepted;
    };
    const Case cases[] = {
        {"Bob", "Secret1", true},
        {" bob ", "Secret1", true},
        {"BOB", "secret1", false},
        {"Bob", "SECRET1", false},
        {"Bob", "Secret1 ", false}, // stored trimmed, compared as typed
        {"Rob", "Secret1", false},
        {"autoexecute", "871RUNAGENT46m2", true},
        {"AUTOEXECUTE", "871RUNAGENT46M2", false},
    };
    for (const Case& c : cases) {
        User user;
        user.SetDataSource(&db);
        user.LoadByUserNameAndPassword(QLatin1String(c.name), QLatin1String(c.password));
        EXPECT_EQ(!user.IsNew(), c.accepted) << c.name << " / " << c.password;
    }
    // A disabled user is found; refusing it is the logon screen's test.
    bob->SetEnabled(false);
    bob->Apply();
    User user;
    user.SetDataSource(&db);
    user.LoadByUserNameAndPassword(QStringLiteral("Bob"), QStringLiteral("Secret1"));
    EXPECT_FALSE(user.IsNew());
    EXPECT_FALSE(user.Enabled());
}

TEST_F(UsersTest, RolesComeFromTheGroupsInNameOrder)
{
    struct Case {
        QStringList groups;
        const char* roles;
        bool admin;
        bool sysAdmin;
    };
    const Case cases[] = {
        {{}, "", false, false},
        {{GroupNames::Managers, GroupNames::Administrators}, "ADMIN,MGR", true, false},
        {{GroupNames::NormalUsers, GroupNames::SystemUsers}, "CLER,SYSADMIN", true, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        auto stored = StoreUser(QStringLiteral("User%1").arg(++n), QStringLiteral("pw"), c.groups);
        auto user = LoadedUser(stored->UserName());
        EXPECT_EQ(user->Roles(), QLatin1String(c.roles));
        EXPECT_EQ(user->IsAdminUser(), c.admin) << c.roles;
        EXPECT_EQ(user->IsSysAdminUser(), c.sysAdmin) << c.roles;
    }
}

TEST_F(UsersTest, ReplaceEnquirersComparesSets)
{
    for (const char* id : {"AB123", "CD456", "EF789"})
        StoreEnquirer(QLatin1String(id), QLatin1String(id));
    auto stored = StoreUser(QStringLiteral("Bob"), QStringLiteral("pw"), {}, QStringLiteral("AB123,CD456"));
    EXPECT_EQ(LinkedIds(stored->UserId()), QStringLiteral("AB123,CD456"));

    struct Case {
        const char* ids; // nullptr: no collection at all
        bool dirty;
        const char* linked;
    };
    const Case cases[] = {
        {"CD456,AB123", false, "AB123,CD456"},
        {"AB123,EF789", true, "AB123,EF789"},
        {"AB123", true, "AB123"},
        {"AB123,CD456,EF789", true, "AB123,CD456,EF789"},
        {nullptr, true, ""},
    };
    for (const Case& c : cases) {
        auto user = LoadedUser(QStringLiteral("Bob"));
        user->ReplaceEnquirers(c.ids ? LoadedEnquirers(QLatin1String(c.ids)) : nullptr);
        EXPECT_EQ(user->IsDirty(), c.dirty) << (c.ids ? c.ids : "none");
        user->Apply();
        EXPECT_EQ(LinkedIds(user->UserId()), QLatin1String(c.linked));
    }
}

TEST_F(UsersTest, UserNamesAreUniqueWhateverTheirCase)
{
    StoreUser(QStringLiteral("Bob"), QStringLiteral("pw"));
    auto second = std::make_shared<User>();
    second->SetDataSource(&db);
    second->SetUserName(QStringLiteral("BOB"));
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
    EXPECT_EQ(CountRows(QStringLiteral("USERS"), QStringLiteral("UserName='bob'")), 1);
    // Its key went back with the counter: saved again, no key is handed out twice.
    EXPECT_TRUE(second->UserId().isEmpty());
    second->SetUserName(QStringLiteral("Carol"));
    second->Apply();
    EXPECT_NE(StoreUser(QStringLiteral("Dave"), QStringLiteral("pw"))->UserId(), second->UserId());

    // The index refuses it too, whoever writes.
    EXPECT_THROW(db.Execute(QStringLiteral("INSERT INTO USERS (UserId, UserName, Enabled, CanChangPw) "
                                           "VALUES ('X1','bOb',1,1)")),
                 NevixError);
    auto admin = LoadedUser(QStringLiteral("ADMIN"));
    admin->SetUserName(QStringLiteral("bob"));
    EXPECT_THROW(admin->Apply(), NevixError);
}

TEST_F(UsersTest, DeletionTakesMembershipsAndLinksUnlessTheStampIsStale)
{
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Acme"));
    auto stored = StoreUser(QStringLiteral("Bob"), QStringLiteral("pw"), {GroupNames::Managers},
                            QStringLiteral("AB123"));
    const QString where = QStringLiteral("UserId='") + stored->UserId() + QLatin1Char('\'');
    Users users;
    users.SetDataSource(&db);
    users.Load();
    auto bob = users.Find(QStringLiteral("Bob"));
    EXPECT_EQ(users.Find(QStringLiteral("bob")), nullptr);
    bob->SetIsDeleted(true);

    db.Execute(QStringLiteral("UPDATE USERS SET TmStamp='elsewhere' WHERE ") + where);
    EXPECT_THROW(users.Apply(), NevixError);
    EXPECT_EQ(CountRows(QStringLiteral("USER_GROUP_LINK"), where), 1);
    EXPECT_EQ(CountRows(QStringLiteral("USER_ENQUIRER_LINK"), where), 1);

    bob->SetOldTimeStamp(QStringLiteral("elsewhere"));
    users.Apply();
    EXPECT_FALSE(users.Exists(stored->UserId()));
    EXPECT_EQ(CountRows(QStringLiteral("USERS"), where) + CountRows(QStringLiteral("USER_GROUP_LINK"), where) +
                  CountRows(QStringLiteral("USER_ENQUIRER_LINK"), where),
              0);
}

// Ids come from screens and the service: quotes are data, never SQL.
TEST_F(UsersTest, IdsHoldingQuotesAreStoredAndFound)
{
    const QString id = QStringLiteral("O'B12");
    StoreEnquirer(id, QStringLiteral("Quote"), {"01AA"});
    User user;
    user.SetDataSource(&db);
    user.SetUserId(QStringLiteral("U'1"));
    user.SetUserName(QStringLiteral("O'Neil"));
    user.ReplaceEnquirers(LoadedEnquirers(id + QStringLiteral(",X') OR ('1'='1")));
    user.Apply();
    UserGroup group;
    group.SetDataSource(&db);
    group.LoadByName(GroupNames::Managers);
    group.AddUser(user);

    auto loaded = LoadedUser(QStringLiteral("o'neil"));
    EXPECT_EQ(loaded->UserId(), QStringLiteral("U'1"));
    EXPECT_EQ(loaded->Roles(), QStringLiteral("MGR"));
    auto enquirer = loaded->Enquirers()->Item(1);
    EXPECT_EQ(enquirer->EnquiryReasons()->Item(1)->ID(), id + QStringLiteral("001"));
    enquirer->SetIsDeleted(true);
    enquirer->Apply();
    loaded->SetIsDeleted(true);
    loaded->Apply();
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRY_REASON")) + CountRows(QStringLiteral("USER_ENQUIRER_LINK")) +
                  CountRows(QStringLiteral("USER_GROUP_LINK"), QStringLiteral("UserId='U''1'")),
              0);
}

} // namespace
