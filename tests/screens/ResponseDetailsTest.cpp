#include "support/ScopedTimeZone.h"

#include "records/VQ7.h"
#include "screens/records/ResponseDetails.h"

#include <gtest/gtest.h>

namespace {

using Layout = ResponseDetails::KeeperLayout;

VQ7 PrivateKeeper()
{
    VQ7 response;
    response.SetVRM("AB12CDE");
    response.SetKeeperName1("SMITH");
    response.SetKeeperName2("JANE");
    return response;
}

TEST(ResponseDetails, LegacyFieldsShowOnlyForLegacyData)
{
    VQ7 response = PrivateKeeper();
    EXPECT_FALSE(MakeResponseDetails(&response, false, false).LegacyVisible);
    response.SetDateOfTheft(QDateTime(QDate(2020, 5, 1), QTime(0, 0)));
    const ResponseDetails details = MakeResponseDetails(&response, false, false);
    EXPECT_TRUE(details.LegacyVisible);
    EXPECT_EQ(details.Text("txtDateOfTheft"), "01/05/2020");
    EXPECT_EQ(details.Text("txtDateOfRecovery"), "") << "a missing date";
    VQ7 keepers = PrivateKeeper();
    keepers.SetNumberOfKeepers(2);
    EXPECT_TRUE(MakeResponseDetails(&keepers, false, false).LegacyVisible);
}

TEST(ResponseDetails, TheKeeperTitleComesFromTheTitleElseItsCode)
{
    const struct {
        const char* title;
        const char* code;
        const char* shown;
    } cases[] = {{"", "1", "Mr."},           {"", "2", "Mrs."}, {"", "3", "Miss"}, {"", "5", "Official name"},
                 {"", "7", "Pseudo name"},  {"", "", ""},      {"", "9", "9"},     {"DR", "2", "DR"},
                 {"OTHER", "2", ""},        {"Other", "", ""}};
    for (const auto& c : cases) {
        VQ7 response = PrivateKeeper();
        response.SetTitle(QLatin1String(c.title));
        response.SetKeeperTitleCode(QLatin1String(c.code));
        const ResponseDetails details = MakeResponseDetails(&response, false, false);
        EXPECT_EQ(details.Keeper, Layout::Surname);
        EXPECT_EQ(details.Text("txtKeeperTitle"), QLatin1String(c.shown)) << c.title << "/" << c.code;
        EXPECT_EQ(details.Text("txtKeeperName"), "SMITH");
        EXPECT_EQ(details.Text("txtKeeperForename"), "JANE");
    }
}

TEST(ResponseDetails, ACompanyOrAnotherNameTakesTheWideBox)
{
    VQ7 company;
    company.SetCompanyName("ACME LTD");
    company.SetOtherName("IGNORED");
    ResponseDetails details = MakeResponseDetails(&company, false, false);
    EXPECT_EQ(details.Keeper, Layout::Company);
    EXPECT_EQ(ResponseDetails::KeeperCaption(details.Keeper), "Company");
    EXPECT_EQ(details.Text("txtKeeperTitle"), "ACME LTD");
    EXPECT_EQ(details.Text("txtKeeperName"), "");
    VQ7 other;
    other.SetOtherName("TRUSTEES");
    details = MakeResponseDetails(&other, false, false);
    EXPECT_EQ(ResponseDetails::KeeperCaption(details.Keeper), "Other");
    EXPECT_EQ(details.Text("txtKeeperTitle"), "TRUSTEES");
    VQ7 nobody;
    EXPECT_EQ(MakeResponseDetails(&nobody, false, false).Keeper, Layout::Unchanged);
}

TEST(ResponseDetails, DvlaLinesAreTheMessageErrorsElseTheResultCodeText)
{
    VQ7 response;
    EXPECT_TRUE(MakeResponseDetails(&response, false, false).DvlaLines.isEmpty());
    response.SetDVLAERRCode("A");
    EXPECT_EQ(MakeResponseDetails(&response, false, false).DvlaLines, QStringList{"No trace of VRM at DVLA"});
    response.SetDVLAERRCode("X");
    response.AddError("NS500", "Invalid VRM");
    response.AddError("NS504", "Invalid date of event");
    EXPECT_EQ(MakeResponseDetails(&response, false, false).DvlaLines,
              QStringList({"Invalid VRM", "Invalid date of event"}));
}

TEST(ResponseDetails, TheReceivedDayIsTheLocalDayOfTheUtcTime)
{
    ScopedTimeZone london(ScopedTimeZone::London());
    VQ7 response;
    response.SetWhenReceived(QDateTime(QDate(2024, 6, 1), QTime(23, 30)));
    response.SetDateOfResponse(QDateTime(QDate(2024, 6, 1), QTime(0, 0)));
    const ResponseDetails details = MakeResponseDetails(&response, false, false);
    EXPECT_EQ(details.Text("txtWhenReceived"), "02/06/2024");
    EXPECT_EQ(details.Text("txtDateOfResponse"), "01/06/2024");
}

} // namespace
