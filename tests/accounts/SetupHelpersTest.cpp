#include "support/AccountsTest.h"

#include "accounts/SetupHelpers.h"

#include <QDir>

namespace {

class SetupHelpersTest : public AccountsTest {
protected:
    // Two enquirers, neither flagged default, with two reasons each.
    std::shared_ptr<Enquirers> TwoEnquirers()
    {
        StoreEnquirer("AB123", "Acme", {"01AA", "02BB"});
        StoreEnquirer("CD456", "Beta", {"03CC"});
        return LoadedEnquirers();
    }
};

TEST_F(SetupHelpersTest, EnsureDefaultsFlagsOneEnquirerAndOneReasonEachAndGivesAllToTheSystemGroups)
{
    auto enquirers = TwoEnquirers();
    enquirers->Item(2)->SetIsDefault(true);
    enquirers->Item(1)->EnquiryReasons()->Item(2)->SetIsDefault(true);
    StoreUser("Off", "pw", {GroupNames::SystemUsers});
    auto off = LoadedUser("Off");
    off->SetEnabled(false);
    off->Apply();

    EnsureDefaultEnquirerAndReason(enquirers);
    EXPECT_FALSE(enquirers->Item(1)->IsDefault());
    EXPECT_TRUE(enquirers->Item(2)->IsDefault());
    const auto acme = enquirers->Item(1)->EnquiryReasons();
    EXPECT_FALSE(acme->Item(1)->IsDefault());
    EXPECT_TRUE(acme->Item(2)->IsDefault());
    EXPECT_TRUE(enquirers->Item(2)->EnquiryReasons()->Item(1)->IsDefault());
    EXPECT_EQ(CountRows("ENQUIRY_REASON", "IsDefault=1"), 0) << "storing them is the caller's task";

    EXPECT_EQ(LinkedIds(LoadedUser("AUTOEXECUTE")->UserId()), "AB123,CD456");
    EXPECT_EQ(LinkedIds(LoadedUser("ADMIN")->UserId()), "AB123,CD456");
    EXPECT_EQ(LinkedIds(off->UserId()), QString()) << "a disabled system user gets none";
}

TEST_F(SetupHelpersTest, ValidationCollectsEveryProblemInOneWarning)
{
    auto enquirers = TwoEnquirers();
    const QString blocker = world.PathOf("file");
    QFile(blocker).open(QIODevice::WriteOnly);
    enquirers->Item(1)->SetImportFolder("+in\\acme");
    enquirers->Item(1)->SetExportFolder("+out/acme");
    enquirers->Item(2)->SetImportFolder(blocker + "/in");

    EXPECT_FALSE(ValidateEnquirerSetup(*enquirers));
    ASSERT_EQ(world.ui().boxes.size(), 1);
    const QStringList lines = world.ui().boxes.at(0).text.split("\r\n");
    ASSERT_EQ(lines.size(), 5) << world.ui().boxes.at(0).text.toStdString();
    EXPECT_EQ(lines[0], "No default enquirer is set");
    EXPECT_EQ(lines[1], "Enqurier Acme does not have a default reason for enquiry");
    EXPECT_TRUE(lines[2].startsWith("Import folder for Beta cannot be written to: "));
    EXPECT_EQ(lines[3], "Export folder for Beta cannot be blank");
    EXPECT_EQ(lines[4], "Enqurier Beta does not have a default reason for enquiry");
    EXPECT_TRUE(QDir(world.PathOf("in/acme")).exists()) << "missing folders are made";

    Enquirers none;
    EXPECT_TRUE(ValidateEnquirerSetup(none));
}

TEST_F(SetupHelpersTest, AnAdministratorMustHaveEveryEnquirer)
{
    auto enquirers = TwoEnquirers();
    Users users;
    users.SetDataSource(&db);
    users.Load();
    EXPECT_FALSE(CheckAdminUserHasAllEnquirers(users, *enquirers));
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes.at(0).text,
              "You must have an Admin user that can access all the enquirers.");

    AssignEnquirersToSystemGroups(enquirers);
    users.Load();
    EXPECT_TRUE(CheckAdminUserHasAllEnquirers(users, *enquirers));
}

} // namespace
