#include "screens/admin/ClientTab.h"
#include "screens/admin/ParametersChecks.h"
#include "support/TestWorld.h"

#include "platform/NevixError.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

// ---- the client tab's checks --------------------------------------------

struct GeneralCase {
    const char* name;
    const char* party;
    const char* days;
    const char* batch;
    const char* message; // "" when they pass
    const char* daysAfter;
};

class ValidateGeneral : public ::testing::TestWithParam<GeneralCase> {
protected:
    TestWorld world;
};

TEST_P(ValidateGeneral, RefusesOrCorrectsTheEntries)
{
    const GeneralCase& c = GetParam();
    ClientTab tab;
    tab.txtPartyName()->setText(QLatin1String(c.party));
    tab.txtDuplicateDays()->setText(QLatin1String(c.days));
    tab.TxtBatchSize()->setText(QLatin1String(c.batch));
    EXPECT_EQ(tab.ValidateGeneral(), *c.message == '\0');
    if (*c.message == '\0')
        EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    else
        EXPECT_EQ(world.ui().Texts(), QStringList{QLatin1String(c.message)});
    EXPECT_EQ(tab.txtDuplicateDays()->text(), QLatin1String(c.daysAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ValidateGeneral,
    ::testing::Values(
        GeneralCase{"BatchOfOnePasses", "Acme", "0", "1", "", "0"},
        GeneralCase{"BatchOf99Passes", "Acme", "0", "99", "", "0"},
        GeneralCase{"BatchOfNoneRefused", "Acme", "0", "0", "Batch Size must be between 1 and 99", "0"},
        GeneralCase{"BatchOf100Refused", "Acme", "0", "100", "Batch Size must be between 1 and 99", "0"},
        GeneralCase{"EmptyDaysBecomeNone", "Acme", "", "10", "", "0"},
        GeneralCase{"DaysBelowMinusTwoBecomeNone", "Acme", "-5", "10", "", "0"},
        GeneralCase{"MinusOneKept", "Acme", "-1", "10", "", "-1"},
        GeneralCase{"MinusTwoKept", "Acme", "-2", "10", "", "-2"},
        GeneralCase{"DaysNotANumber", "Acme", "abc", "10", "Duplicate number of days must be between 0 and 99", "abc"},
        GeneralCase{"BlankCompany", " ", "0", "10", "Company Name cannot be blank", "0"},
        GeneralCase{"AllTogether", "", "abc", "0",
                    "Company Name cannot be blank\r\nDuplicate number of days must be between 0 and 99\r\n"
                    "Batch Size must be between 1 and 99",
                    "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValidateGeneralFolder, ADuplicateFolderUnderAPlainFileIsRefusedOnlyWhileTicked)
{
    TestWorld world;
    QFile plain(world.PathOf("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ClientTab tab;
    tab.txtPartyName()->setText("Acme");
    tab.TxtBatchSize()->setText("10");
    tab.txtDuplicateFileLocation()->setText(world.PathOf("plain/dups"));
    EXPECT_TRUE(tab.ValidateGeneral());
    tab.chkDuplicatesToFile()->setChecked(true);
    EXPECT_TRUE(tab.txtDuplicateFileLocation()->isVisibleTo(&tab));
    EXPECT_FALSE(tab.ValidateGeneral());
    EXPECT_TRUE(world.ui().Texts().value(0).startsWith("Could not write to duplicate folder: "));
}

TEST(IntegerOfText, NamesTheFieldOfANonNumberOrAnOverflow)
{
    EXPECT_EQ(IntegerOfText(" 42 ", "Batch"), 42);
    EXPECT_EQ(IntegerOfText("2.5", "Batch"), 2) << "halves to even, as stored integers round";
    try {
        IntegerOfText("abc", "Enquiry Batch Size");
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Description(), "Enquiry Batch Size is not a number: \"abc\"");
    }
    EXPECT_THROW(IntegerOfText("40000", "Duplicate number of days"), NevixError);
}

// ---- retention terms ------------------------------------------------------

struct TermCase {
    const char* name;
    const char* term;
    const char* period;
    const char* message;
};

class ValidateTermTable : public ::testing::TestWithParam<TermCase> {};

TEST_P(ValidateTermTable, GivesTheFirstFailure)
{
    EXPECT_EQ(ValidateTerm(QLatin1String(GetParam().term), QLatin1String(GetParam().period)),
              QLatin1String(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Terms, ValidateTermTable,
    ::testing::Values(TermCase{"Zero", "0", "Day", "The term value must be greater than zero"},
                      TermCase{"ThirtyOneDays", "31", "Day", ""},
                      TermCase{"ThirtyTwoDays", "32", "Day", "The term must not be greater than 31 if the period is days"},
                      TermCase{"FiftyTwoWeeks", "52", "Week", ""},
                      TermCase{"FiftyThreeWeeks", "53", "Week",
                               "The term must not be greater than 52 if the period is weeks"},
                      TermCase{"SixtyMonths", "60", "Month", ""},
                      TermCase{"SixtyOneMonths", "61", "Month",
                               "The term must not be greater than 60 if the period is months"},
                      TermCase{"NotANumber", "x", "Day", "The term value is not numeric"},
                      TermCase{"OtherPeriodWord", "400", "Year", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
