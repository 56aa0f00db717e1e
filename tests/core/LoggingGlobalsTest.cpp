#include "core/LoggingGlobals.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessCodeDescription, EveryCodeWithItsExactText)
{
    const std::pair<const char*, const char*> codes[] = {
        {"VQ3IMP", "Vehicle Enquiry Import"}, {"TBLMAINT", "Table Maintenance"},
        {"AUTOEXEC", "Autoexecute Schedule Run"}, {"COMRUN", "Communication Session"},
        {"VQ7EXP", "Keeper Response Export"}, {"DEBEXP", "Debit Statement Export"},
        {"VQ7PRN", "Keeper Response Print"}, {"DEBPRN", "Debit Statement Print"},
        {"VQ3AEX", "Keeper Response Admin Export"}, {"DEBAEX", "Debit Statement Admin Export"},
        {"VQ7AEX", "Keeper Response  Admin Export"}, {"EDIIN", "EDI Import (VQ3)"},
        {"EDIOUT", "EDI Export (VQ7 and DEB)"}, {"NCOMST", "Nevix Communication Test"},
        {"NVQ3", "Nevix Vehicle Keeper Request"}, {"NVQ7", "Nevix Vehicle Keeper Response"},
        {"NPARAMS", "Nevix Parameter Request"}, {"CHGPWD", "Nevix Change Password"},
        {"SMR", "Nevix System Message Request"}, {"SCTL", "Seeding Control References"},
        {"DEB", "Nevix Debit Statement Request"},
    };
    for (const auto& [code, description] : codes)
        EXPECT_EQ(ProcessCodeDescription(code), QString(description)) << code;
}

TEST(ProcessCodeDescription, LetterCaseCountsAndUnknownCodesHaveNone)
{
    EXPECT_EQ(ProcessCodeDescription("vq3imp"), QString());
    EXPECT_EQ(ProcessCodeDescription("VQ3IMP "), QString());
    EXPECT_EQ(ProcessCodeDescription(""), QString());
}

TEST(EventCodeText, MarksOfTheEventCodes)
{
    const std::pair<int32_t, const char*> marks[] = {
        {8, "Start"}, {16, "End"}, {32, ""}, {64, ""}, {128, "W"},
        {256, "E"},   {512, "F"},  {0, ""},  {1024, ""}, {-1, ""},
    };
    for (const auto& [code, mark] : marks)
        EXPECT_EQ(EventCodeText(code), QString(mark)) << code;
}

} // namespace
