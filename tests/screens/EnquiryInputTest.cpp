#include "EnquiryScreenTest.h"

#include "records/VRMBlackList.h"
#include "screens/records/EnquiryForm.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString ReferenceRule = QStringLiteral("Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;");

class EnquiryInput : public EnquiryScreenTest {
protected:
    int64_t StoredCount()
    {
        RecordSet rs = db().OpenRecordSet(QStringLiteral("SELECT COUNT(*) FROM VQ3_Enquiries WHERE IsTest=0"));
        const int64_t count = rs.Field(0).toLongLong();
        rs.Close();
        return count;
    }
    void Type(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void Paste(QLineEdit* box, const QString& text)
    {
        QApplication::clipboard()->setText(text);
        box->setFocus();
        box->selectAll();
        box->paste();
    }
};

struct InvisibleCase {
    const char* name;
    char16_t character;
    bool keptWhenPasted; // not a control character
};

class InvisibleReference : public EnquiryInput, public ::testing::WithParamInterface<InvisibleCase> {};

TEST_P(InvisibleReference, NeverPassesTheSaveCheck)
{
    const InvisibleCase& c = GetParam();
    const QString reference(QChar(c.character));
    Open();

    // Typed: the check of what the form holds.
    EnquiryFormValues form;
    form.vrm = QStringLiteral("AB12CDE");
    form.dateOfEvent = QStringLiteral("01/03/2024");
    form.reference = reference;
    form.enquirerIndex = 0;
    form.reasonIndex = 0;
    const auto enquirers = GetCurrentUser()->Enquirers();
    VQ3 enquiry;
    enquiry.SetDataSource(&db());
    const auto undated = ReadFormIntoVQ3(form, enquiry, *enquirers, world.clock().Now());
    VRMBlackList blacklist;
    blacklist.SetDataSource(&db());
    blacklist.Load();
    const EnquiryValidation checked = ValidateEnquiry(enquiry, undated, *enquirers, blacklist, 0);
    EXPECT_EQ(checked.outcome, EnquiryValidationOutcome::StayInEdit);
    EXPECT_EQ(checked.field, QStringLiteral("EnquiryReference"));
    EXPECT_EQ(world.ui().Texts(), QStringList{ReferenceRule});

    // Pasted: a control character goes as a typed one would; what stays is
    // refused by the save.
    world.ui().boxes.clear();
    const int64_t stored = StoredCount();
    screen->cmdAdd()->click();
    Type(screen->txtVRM(), QStringLiteral("AB12CDE"));
    Paste(screen->txtReference(), reference);
    EXPECT_EQ(screen->txtReference()->text(), c.keptWhenPasted ? reference : QString());
    screen->cmdSave()->click();
    EXPECT_EQ(world.ui().Texts(), c.keptWhenPasted ? QStringList{ReferenceRule} : QStringList());
    EXPECT_EQ(StoredCount(), stored + (c.keptWhenPasted ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(Characters, InvisibleReference,
                         ::testing::Values(InvisibleCase{"Tab", u'\t', false},
                                           InvisibleCase{"NoBreakSpace", u'\u00A0', true},
                                           InvisibleCase{"VerticalTab", u'\v', false},
                                           InvisibleCase{"FormFeed", u'\f', false},
                                           InvisibleCase{"LineFeed", u'\n', false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PasteCase {
    const char* name;
    QLineEdit* (frmVQ3::*box)() const;
    const char* pasted;
    const char* kept;
};

class PastedText : public EnquiryInput, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PastedText, LosesItsControlCharactersWithTheCaretAfterThePaste)
{
    const PasteCase& c = GetParam();
    Open();
    screen->cmdAdd()->click();
    QLineEdit* box = (screen.get()->*c.box)();
    Paste(box, QString::fromUtf8(c.pasted));
    EXPECT_EQ(box->text(), QString::fromUtf8(c.kept));
    EXPECT_EQ(box->cursorPosition(), box->text().size());
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, PastedText,
    ::testing::Values(PasteCase{"Mark", &frmVQ3::txtVRM, "ab\t12\r\ncde\x7f", "AB12CDE"},
                      PasteCase{"DateOfEvent", &frmVQ3::txtDateOfEvent, "01/\v03/2024\n", "01/03/2024"},
                      PasteCase{"Reference", &frmVQ3::txtReference, "\fref 1\xc2\x85-2", "REF 1-2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EnquiryInput, APastedDateTheCheckReadsIsSavedAndOneItCannotReadIsReported)
{
    Open();
    const int64_t stored = StoredCount();
    screen->cmdAdd()->click();
    Type(screen->txtVRM(), QStringLiteral("AB12CDE"));
    Paste(screen->txtDateOfEvent(), QStringLiteral("2024-03-01"));
    screen->cmdSave()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList());
    ASSERT_EQ(StoredCount(), stored + 1) << "never refused without a word";
    RecordSet rs = db().OpenRecordSet(QStringLiteral("SELECT Date_Of_Event FROM VQ3_Enquiries WHERE VRM='AB12CDE'"));
    EXPECT_EQ(rs.Field(0).toDateTime().date(), QDate(2024, 3, 1));
    rs.Close();

    Type(screen->txtVRM(), QStringLiteral("AB12CDF"));
    Paste(screen->txtDateOfEvent(), QStringLiteral("2024-03"));
    screen->cmdSave()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{QStringLiteral("Please enter a valid Date of Event was: 2024-03, "
                                                             "changed to to 1/April/2000")});
    EXPECT_EQ(StoredCount(), stored + 1);
}

struct PastedDateCase {
    const char* name;
    const char* pasted;
    int cutOff;          // days; 0 for the ten-year check
    const char* shown;   // once the box has read the text
    const char* refusal; // "" when the date shown is saved
    bool tenYearCheckOff = false;
};

class PastedDate : public EnquiryInput, public ::testing::WithParamInterface<PastedDateCase> {};

// Whatever the separator, a date is read day first; only a four-digit year
// may lead. The box shows the date read and the save stores that date, or
// refuses the text with the date error.
TEST_P(PastedDate, IsSavedAsTheBoxShowsItReadDayFirstOrRefused)
{
    const PastedDateCase& c = GetParam();
    world.clock().Set(QDateTime(QDate(2026, 12, 7), QTime(10, 30)));
    Make(FixtureOptions().WithBulkEnquiries(0));
    db().Execute(QStringLiteral("UPDATE ENQUIRY_REASON SET DateOfEventCutOff=?"), {c.cutOff});
    OpenAs(Fixture::Admin);
    Settings().SetSkip10YearDOECheck(c.tenYearCheckOff);
    const int64_t stored = StoredCount();
    screen->cmdAdd()->click();
    Type(screen->txtVRM(), QStringLiteral("AB12CDE"));
    Paste(screen->txtDateOfEvent(), QString::fromLatin1(c.pasted));
    screen->txtReference()->setFocus();
    EXPECT_EQ(screen->txtDateOfEvent()->text(), QLatin1String(c.shown));
    screen->cmdSave()->click();

    if (*c.refusal) {
        EXPECT_EQ(world.ui().Texts(), QStringList{QString::fromLatin1(c.refusal)});
        EXPECT_EQ(StoredCount(), stored);
        return;
    }
    EXPECT_EQ(world.ui().Texts(), QStringList());
    ASSERT_EQ(StoredCount(), stored + 1);
    RecordSet rs = db().OpenRecordSet(QStringLiteral("SELECT Date_Of_Event FROM VQ3_Enquiries WHERE VRM='AB12CDE'"));
    EXPECT_EQ(rs.Field(0).toDateTime().date(), QDate::fromString(QLatin1String(c.shown), QStringLiteral("dd/MM/yyyy")));
    rs.Close();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PastedDate,
    ::testing::Values(
        PastedDateCase{"Dashed", "20-11-26", 0, "20/11/2026", ""},
        PastedDateCase{"DashedBeforeTheReasonsLimit", "26-10-24", 180, "26/10/2024",
                       "Date of Event cannot be earlier than 10-Jun-2026 (More than 180 days ago)"},
        PastedDateCase{"DashedWithinTenYears", "01-03-24", 0, "01/03/2024", ""},
        PastedDateCase{"DashedFourDigitYear", "01-03-2024", 0, "01/03/2024", ""},
        PastedDateCase{"FourDigitYearFirst", "2024-03-01", 0, "01/03/2024", ""},
        PastedDateCase{"Slashed", "20/11/26", 0, "20/11/2026", ""},
        PastedDateCase{"Dotted", "20.11.26", 0, "20/11/2026", ""},
        PastedDateCase{"Blanks", "20 11 26", 0, "20/11/2026", ""},
        PastedDateCase{"NoBreakSpace", "20/11/\xa0" "26", 0, "20/11/2026", ""},
        PastedDateCase{"Digits", "201126", 0, "20/11/2026", ""},
        PastedDateCase{"Unreadable", "20-11-2-6", 0, "20-11-2-6",
                       "Please enter a valid Date of Event was: 20-11-2-6, changed to to 1/April/2000"},
        PastedDateCase{"SlashedYearBelowAHundred", "01/03/0002", 0, "01/03/0002",
                       "Please enter a valid Date of Event was: 01/03/0002, changed to to 1/April/2000", true},
        PastedDateCase{"DashedYearBelowAHundred", "01-03-0002", 0, "01-03-0002",
                       "Please enter a valid Date of Event was: 01-03-0002, changed to to 1/April/2000", true},
        PastedDateCase{"ShownFormYearBelowAHundred", "22/02/0024", 0, "22/02/0024",
                       "Please enter a valid Date of Event was: 22/02/0024, changed to to 1/April/2000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EnquiryInput, AFutureDateOfEventIsRefusedWhenTheTenYearCheckIsOff)
{
    Make(FixtureOptions().WithBulkEnquiries(0));
    db().Execute(QStringLiteral("UPDATE ENQUIRY_REASON SET DateOfEventCutOff=0")); // the ten-year check's
    OpenAs(Fixture::Admin);
    Settings().SetSkip10YearDOECheck(true);
    const int64_t stored = StoredCount();
    screen->cmdAdd()->click();
    Type(screen->txtVRM(), QStringLiteral("AB12CDE"));
    Type(screen->txtDateOfEvent(), QStringLiteral("01/03/5001"));
    screen->cmdSave()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{QStringLiteral("Date of Event cannot be later than today")});
    EXPECT_EQ(StoredCount(), stored);

    world.ui().boxes.clear();
    Type(screen->txtDateOfEvent(), QStringLiteral("01/03/2001"));
    screen->cmdSave()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList()) << "the age limit stays lifted";
    EXPECT_EQ(StoredCount(), stored + 1);
}

} // namespace
