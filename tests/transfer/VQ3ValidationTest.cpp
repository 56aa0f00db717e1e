#include "ImportTest.h"

#include "records/JuxMessageErrors.h"
#include "records/VRMBlackList.h"
#include "transfer/VQ3Utils.h"

namespace {

struct ValidationCase {
    const char* name;
    const char* enquirerId;
    const char* code;
    const char* intermediary;
    const char* vrm;
    const char* dateOfEvent;
    const char* reference;
    bool skipVRM;
    bool skip10Years;
    const char* errors; // "CODE text" lines joined by "|"
    const char* field;
};

const ValidationCase Cases[] = {
    {"Valid", "AB123", "01AB", "", "AB51ABC", "20240301", "R1", false, false, "", ""},
    {"BlankEnquirerStopsBeforeVRM", "", "01AB", "", "A", "20240301", "R1", false, false,
     "JX501 Enquirer Id cannot be blank|JX502 Enquirer Id is unknown|"
     "JX503 Could not get Enquirer to check the intermediary id",
     "IntermediaryId"},
    {"UnknownEnquirer", "ZZ999", "01AB", "", "AB51ABC", "20240301", "", false, false,
     "JX501 Enquirer Id is unknown (ZZ999)|JX502 Enquirer Id is unknown|"
     "JX503 Could not get Enquirer to check the intermediary id",
     "IntermediaryId"},
    {"BlankCode", "AB123", "", "", "AB51ABC", "20240301", "", false, false,
     "JX502 EnquiryCode cannot be blank", "EnquiryCode"},
    {"CodeOfNoReason", "AB123", "09ZZ", "", "AB51ABC", "20240301", "", false, false,
     "JX502 The Enquiry code 09ZZ does not match with the Enquirer Id", "EnquiryCode"},
    {"BadCodeFormat", "AB123", "1AB", "", "AB51ABC", "20240301", "", false, false,
     "JX502 The EnquiryCode Id must be 2 numbers followed by 2 characters", "EnquiryCode"},
    {"ForeignIntermediary", "AB123", "01AB", "A12", "AB51ABC", "20240301", "", false, false,
     "JX503 Intermediary id A12 is not appropriate for the EnquirerId", "IntermediaryId"},
    {"UnreadableDate", "AB123", "01AB", "", "AB51ABC", "20230230", "", false, false,
     "JX504 Please enter a valid Date of Event was: 20230230, changed to to 1/April/2000", ""},
    {"UnreadableDateReportedWithoutTenYearCheck", "AB123", "02CD", "", "AB51ABC", "2023", "", false, true,
     "JX504 Please enter a valid Date of Event was: 2023, changed to to 1/April/2000", ""},
    {"DateTomorrow", "AB123", "01AB", "", "AB51ABC", "20240316", "", false, false,
     "JX504 Date of Event cannot be later than today", "DateOfEvent"},
    {"BeyondReasonCutOff", "AB123", "01AB", "", "AB51ABC", "20230828", "", false, false,
     "JX504 Date of Event cannot be earlier than 17-Sep-2023 (More than 180 days ago)", "DateOfEvent"},
    {"ElevenYearsAgo", "AB123", "02CD", "", "AB51ABC", "130301", "", false, false,
     "JX504 Date of Event cannot be earlier than 15-Mar-2014 (More than 10 years ago)", "DateOfEvent"},
    {"ElevenYearsAgoCheckOff", "AB123", "02CD", "", "AB51ABC", "20130301", "", false, true, "", ""},
    {"FutureDateCheckOff", "AB123", "02CD", "", "AB51ABC", "50010301", "", false, true,
     "JX504 Date of Event cannot be later than today", "DateOfEvent"},
    {"VRMTooLong", "AB123", "01AB", "", "AB51ABCD", "20240301", "", false, false,
     "JX500 VRM must be between 2 and 7 characters", "VRM"},
    {"VRMNumberedRule", "AB123", "01AB", "", "1234ABC", "20240301", "", false, false,
     "JX500 VRM is invalid{004}", "VRM"},
    {"IsleOfMan", "AB123", "01AB", "", "MAN123", "20240301", "", false, false,
     "JX500 Isle of Man VRMs cannot be checked", "VRM"},
    {"BlackListed", "AB123", "01AB", "", "XY51ABC", "20240301", "", false, false,
     "JX509 VRM is black-listed for: Stolen", "VRM"},
    {"BlackListedButSkipped", "AB123", "01AB", "", "XY51ABC", "20240301", "", true, false, "", ""},
    {"VINNotChecked", "AB123", "01AB", "", "XY51ABC0123456789", "20240301", "", false, false, "", ""},
    {"BadReference", "AB123", "01AB", "", "AB51ABC", "20240301", "R!", false, false,
     "JX506 Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;", "EnquiryReference"},
    {"ReferenceOfTabAlone", "AB123", "01AB", "", "AB51ABC", "20240301", "\t", false, false,
     "JX506 Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;", "EnquiryReference"},
    {"ReferenceOfNoBreakSpaceAlone", "AB123", "01AB", "", "AB51ABC", "20240301", "\xA0", false, false,
     "JX506 Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;", "EnquiryReference"},
    {"ReferenceOfVerticalTabAlone", "AB123", "01AB", "", "AB51ABC", "20240301", "\v", false, false,
     "JX506 Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;", "EnquiryReference"},
    {"ReferenceOfFormFeedAlone", "AB123", "01AB", "", "AB51ABC", "20240301", "\f", false, false,
     "JX506 Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;", "EnquiryReference"},
    {"ReferenceOfLineFeedAlone", "AB123", "01AB", "", "AB51ABC", "20240301", "\n", false, false,
     "JX506 Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;", "EnquiryReference"},
    {"ReferenceOfSpacesIsNone", "AB123", "01AB", "", "AB51ABC", "20240301", "   ", false, false, "", ""},
    {"ExactDuplicateStored", "AB123", "01AB", "", "AB12ABC", "20240301", "OLD1", false, false,
     "JX507 Exact duplicate for AB12ABC found", "ExactDuplicateEnquiry"},
};

class Validation : public ImportTest, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(Validation, AttachesTheRulesFindings)
{
    const ValidationCase& c = GetParam();
    // The stored enquiry that the duplicate case meets.
    VQ3 stored;
    stored.SetDataSource(&GlobalDatabase());
    stored.SetVRMVIN(QStringLiteral("AB12ABC"));
    stored.SetEnquirerId(QStringLiteral("AB123"));
    stored.SetDateOfEvent(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    stored.SetEnquiryReference(QStringLiteral("OLD1"));
    stored.Apply();
    if (c.skip10Years)
        WriteSettings({}, QStringLiteral("Skip10YearDOECheck=Yes"));

    Enquirers enquirers;
    enquirers.SetDataSource(&db);
    enquirers.Load();
    VRMBlackList blacklist;
    blacklist.SetDataSource(&db);
    blacklist.Load();
    VQ3 enquiry;
    enquiry.SetEnquirerId(QLatin1String(c.enquirerId));
    enquiry.SetEnquiryCode(QLatin1String(c.code));
    enquiry.SetIntermediaryId(QLatin1String(c.intermediary));
    enquiry.SetVRMVIN(QLatin1String(c.vrm));
    enquiry.SetEnquiryReference(QLatin1String(c.reference));
    enquiry.SetSkipVRMValidation(c.skipVRM);

    const QString field = ValidateVQ3(enquiry, enquirers, &blacklist, *enquiry.Errors(), nullptr,
                                      QString::fromLatin1(c.dateOfEvent));

    EXPECT_EQ(enquiry.Errors()->ToString(true), QString::fromLatin1(c.errors).replace(u'|', QStringLiteral("\r\n")));
    EXPECT_EQ(field, QLatin1String(c.field));
    ASSERT_TRUE(enquiry.DateOfEvent().has_value());
    if (QLatin1String(c.errors).contains(QLatin1String("changed to to"))) {
        EXPECT_EQ(enquiry.DateOfEvent()->date(), QDate(2000, 4, 1));
    }
    for (const auto& error : *enquiry.Errors())
        EXPECT_EQ(error->JuxMsgReference(), enquiry.JuxMsgReference());
}

INSTANTIATE_TEST_SUITE_P(Rules, Validation, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
