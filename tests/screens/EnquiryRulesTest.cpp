#include "screens/records/EnquiryButtons.h"
#include "screens/records/EnquiryDates.h"
#include "screens/records/EnquiryImport.h"
#include "screens/records/EnquiryListOrder.h"
#include "screens/records/RecordGridModel.h"

#include <QLocale>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QLocale British(QLocale::English, QLocale::UnitedKingdom);
const QDate Today(2024, 3, 15);

// ---- the date of event --------------------------------------------------

struct DateCase {
    const char* name;
    const char* typed;
    const char* shown;
};

class DateOfEventTable : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateOfEventTable, IsReadDayFirstAndShownInFull)
{
    const DateCase& c = GetParam();
    EXPECT_EQ(EnquiryDates::NormaliseDateOfEvent(QString::fromLatin1(c.typed), Today, British),
              QString::fromLatin1(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Typed, DateOfEventTable,
    ::testing::Values(DateCase{"TwoDigitYearBelow50IsThisCentury", "1/2/49", "01/02/2049"},
                      DateCase{"TwoDigitYear50IsTheLastCentury", "1/2/50", "01/02/1950"},
                      DateCase{"FourDigitYearStays", "01/02/1930", "01/02/1930"},
                      DateCase{"ShortFourDigitYearStays", "1/2/1930", "01/02/1930"},
                      DateCase{"EmptyIsToday", "", "15/03/2024"},
                      DateCase{"DayAndMonthTakeThisYear", "3/4", "03/04/2024"},
                      DateCase{"DigitsAloneAreReadByTheDateReader", "01022024", "01/02/2024"},
                      DateCase{"TheDateReaderCarriesADayOverIntoTheNextMonth", "31/02/2024", "02/03/2024"},
                      DateCase{"NonsenseStaysForTheCheck", "99/99/99/9", "99/99/99/9"},
                      DateCase{"DashesAreReadDayFirst", "20-11-26", "20/11/2026"},
                      DateCase{"AFourDigitYearMayLead", "2024-03-01", "01/03/2024"},
                      DateCase{"ThreeNumbersAreNeverReadYearFirst", "30.02.10", "02/03/2010"},
                      DateCase{"ADayPastAnyMonthIsNoDate", "45/03/24", "45/03/24"},
                      DateCase{"ANoBreakSpaceIsABlank", "5/\xa0" "3/24", "05/03/2024"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateOfEvent, IsShownInTheLocalesShortFormAndReadBackWhateverTheLocale)
{
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    const QString shown = EnquiryDates::NormaliseDateOfEvent(QStringLiteral("1/2/49"), Today, american);
    EXPECT_EQ(shown, QStringLiteral("2/1/2049")) << "typed day first, shown as the locale writes it";
    EXPECT_EQ(EnquiryDates::NormaliseDateOfEvent(shown, Today, american), shown) << "shown text stays as it is";
    EXPECT_EQ(EnquiryDates::DateOfEventFromText(shown, Today, american), QDate(2049, 2, 1));
    EXPECT_EQ(EnquiryDates::DateOfEventFromText(QStringLiteral("no date"), Today, British), std::nullopt);
}

// ---- the buttons ---------------------------------------------------------

struct ButtonCase {
    const char* name;
    int32_t mode;
    EnquiryButtonInputs inputs;
    // Edit (visible, enabled), Delete, Save (visible), Clear Errors, Print, grid on.
    bool editVisible, editEnabled, deleteEnabled, saveVisible, clearErrors, print, grid;
    const char* addCaption;
    const char* saveCaption;
};

class ButtonTable : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonTable, FollowTheModeAndTheEnquirysState)
{
    const ButtonCase& c = GetParam();
    const EnquiryButtonStates s = EnquiryButtonStatesFor(c.mode, c.inputs);
    EXPECT_EQ(s.editVisible, c.editVisible);
    EXPECT_EQ(s.editEnabled, c.editEnabled);
    EXPECT_EQ(s.deleteEnabled, c.deleteEnabled);
    EXPECT_EQ(s.saveVisible, c.saveVisible);
    EXPECT_EQ(s.saveEnabled, c.saveVisible);
    EXPECT_EQ(s.clearErrorsEnabled, c.clearErrors);
    EXPECT_EQ(s.printEnabled, c.print);
    EXPECT_EQ(s.gridOn, c.grid);
    EXPECT_EQ(s.searchEnabled, c.grid);
    EXPECT_EQ(s.importEnabled, c.grid && c.inputs.userHasEnquirers);
    EXPECT_EQ(s.detailsEditable, c.mode != EnquiryMode::Browse);
    EXPECT_EQ(s.saveIsDefault, c.mode != EnquiryMode::Browse);
    EXPECT_EQ(s.addEnabled, c.inputs.userHasEnquirers);
    EXPECT_EQ(s.addCaption, QString::fromLatin1(c.addCaption));
    EXPECT_EQ(s.saveCaption, QString::fromLatin1(c.saveCaption));
}

constexpr EnquiryButtonInputs Stored{true, false, false, false, 0, 5, true};
constexpr EnquiryButtonInputs Prepared{true, false, true, false, 0, 5, true};
constexpr EnquiryButtonInputs Sent{true, false, true, true, 0, 5, true};
constexpr EnquiryButtonInputs WithErrors{true, false, false, false, 2, 5, true};
constexpr EnquiryButtonInputs New{true, true, false, false, 0, 5, true};
constexpr EnquiryButtonInputs NoneShown{false, false, false, false, 0, 0, true};
constexpr EnquiryButtonInputs NoEnquirers{true, false, false, false, 0, 5, false};

INSTANTIATE_TEST_SUITE_P(
    ModesAndStates, ButtonTable,
    ::testing::Values(
        ButtonCase{"BrowseUnsent", 0, Stored, true, true, true, false, false, true, true, "&Add New Enquiry",
                   "&Save Changes"},
        ButtonCase{"BrowsePrepared", 0, Prepared, true, false, false, false, false, true, true, "&Add New Enquiry",
                   "&Save Changes"},
        ButtonCase{"BrowseSent", 0, Sent, true, false, false, false, false, true, true, "&Add New Enquiry",
                   "&Save Changes"},
        ButtonCase{"BrowseEmptyList", 0, NoneShown, true, false, false, false, false, false, true,
                   "&Add New Enquiry", "&Save Enquiry"},
        ButtonCase{"EditUnsent", 1, Stored, false, false, false, true, false, false, false, "Cancel &Edit",
                   "&Save Changes"},
        ButtonCase{"EditWithErrors", 1, WithErrors, false, false, false, true, true, false, false, "Cancel &Edit",
                   "&Save Changes"},
        ButtonCase{"EditSent", 1, Sent, false, false, false, true, false, false, false, "Cancel &Edit",
                   "&Save Changes"},
        ButtonCase{"AddNew", 2, New, false, false, false, true, false, false, false, "Cancel &Add",
                   "&Save Enquiry"},
        ButtonCase{"AddWithErrorsClearsNothing", 2, WithErrors, false, false, false, true, false, false, false,
                   "Cancel &Add", "&Save Changes"},
        ButtonCase{"UserWithoutEnquirers", 0, NoEnquirers, true, false, false, false, false, true, true,
                   "&Add New Enquiry", "&Save Changes"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- headings and orders -------------------------------------------------

TEST(EnquiryHeadings, MarkTheDirectionOfTheOrderLoaded)
{
    using namespace EnquiryListOrder;
    EXPECT_EQ(VrmHeading(QString()), QStringLiteral("VRM/VIN"));
    EXPECT_EQ(VrmHeading(ByVrm(true)), QStringLiteral("VRM/VIN (A..Z)"));
    EXPECT_EQ(VrmHeading(ByVrm(false)), QStringLiteral("VRM/VIN (Z..A)"));
    EXPECT_EQ(VrmHeading(QStringLiteral("VRM DESC")), QStringLiteral("VRM/VIN (Z..A)")) << "any letter case";
    EXPECT_EQ(DateHeading(ByVrm(false)), QStringLiteral("Date of Event"));
    EXPECT_EQ(DateHeading(ByDateOfEvent(true)), QStringLiteral("Date of Event (A..Z)"));
    EXPECT_EQ(DateHeading(ByDateOfEvent(false)), QStringLiteral("Date of Event (Z..A)"));
    EXPECT_EQ(VrmHeading(ByDateOfEvent(false)), QStringLiteral("VRM/VIN"));
}

// ---- the grid model ------------------------------------------------------

TEST(RecordGridRows, AnEmptyListShowsOneBlankRowThatTheFirstRecordTakes)
{
    QStringList keys;
    RecordGridModel model({QString(), QStringLiteral("VRM/VIN")});
    const auto text = [&keys](int row, int column) { return column == 0 ? keys.at(row) : keys.at(row) + u'!'; };
    model.Reset(0, text);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.Key(0), QString());

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    keys << QStringLiteral("Q1");
    model.RecordsAppended(1);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(inserted.count(), 0) << "the blank row became the record's";
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("Q1!"));
    keys << QStringLiteral("Q2");
    model.RecordsAppended(1);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(inserted.count(), 1);

    keys.removeAt(0);
    model.RecordRemoved(0);
    keys.removeAt(0);
    model.RecordRemoved(0);
    EXPECT_EQ(model.rowCount(), 1) << "the last record's row stays, blank";
    EXPECT_EQ(model.Key(0), QString());
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("VRM/VIN"));
}

// ---- import ----------------------------------------------------------------

TEST(EnquiryImportNames, TheMarkerIsNamedAfterTheMomentAndTheFilterAfterTheFileType)
{
    EXPECT_EQ(MarkerFileName(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0))), QStringLiteral("240315103000.$$$"));
    EXPECT_EQ(ImportFileFilter(QStringLiteral("IMP")),
              QStringLiteral("Import files (*.IMP)|*.IMP|CSV files (*.csv)|*.csv|TAB files (*.tab)|*.tab|"
                             "All files (*.*)|*.*"));
    EXPECT_EQ(ImportFileFilter(QStringLiteral("Csv")),
              QStringLiteral("Import files (*.Csv)|*.Csv|IMP files (*.imp)|*.imp|TAB files (*.tab)|*.tab|"
                             "All files (*.*)|*.*"));
    EXPECT_EQ(ImportFileFilter(QStringLiteral("tab")),
              QStringLiteral("Import files (*.tab)|*.tab|IMP files (*.imp)|*.imp|CSV files (*.csv)|*.csv|"
                             "All files (*.*)|*.*"));
}

} // namespace
