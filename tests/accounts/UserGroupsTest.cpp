#include "support/AccountsTest.h"


namespace {

using UserGroupsTest = AccountsTest;

TEST_F(UserGroupsTest, MembershipsAreWrittenOnceAndRemovedOnlyWhenThere)
{
    auto bob = StoreUser("Bob", "pw");
    UserGroup group;
    group.SetDataSource(&db);
    group.LoadByName("managers");
    ASSERT_FALSE(group.IsNew()) << "found without regard to case";
    const QString where = "UserId='" + bob->UserId() + QLatin1Char('\'');

    group.AddUser(*bob);
    group.AddUser(*bob);
    EXPECT_EQ(CountRows("USER_GROUP_LINK", where), 1);
    group.RemoveUser(*bob);
    group.RemoveUser(*bob);
    EXPECT_EQ(CountRows("USER_GROUP_LINK", where), 0);

    // A delivered membership (Null stamp) can be removed.
    UserGroup admins;
    admins.SetDataSource(&db);
    admins.LoadByName(GroupNames::Administrators);
    auto admin = LoadedUser("ADMIN");
    admins.RemoveUser(*admin);
    EXPECT_EQ(CountRows("USER_GROUP_LINK", "UserId='" + admin->UserId() + "'"), 0);
}

TEST_F(UserGroupsTest, LookupsAndCachedMembers)
{
    StoreUser("Zed", "pw", {GroupNames::Administrators});
    auto zed = LoadedUser("Zed");
    zed->SetEnabled(false);
    zed->Apply();

    UserGroup admins;
    admins.SetDataSource(&db);
    admins.LoadByName(GroupNames::Administrators);
    EXPECT_EQ(admins.Users(true)->Count(), 1) << "enabled members only";
    EXPECT_EQ(admins.Users(false)->Count(), 1) << "the cached members whatever is asked";

    UserGroup unknown;
    unknown.SetDataSource(&db);
    unknown.LoadByName("Nobody");
    EXPECT_TRUE(unknown.IsNew());
    EXPECT_EQ(unknown.ID().size(), 38) << "a fresh GUID";
    EXPECT_EQ(unknown.Users()->Count(), 0);
}

} // namespace
