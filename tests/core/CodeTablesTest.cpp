#include "core/ApplicationSettings.h"
#include "core/GlobalDeclarations.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

// The texts of the codes from..to, joined.
template <typename F>
QString Texts(F&& desc, int from, int to)
{
    QStringList texts;
    for (int code = from; code <= to; ++code)
        texts << desc(code);
    return texts.join(u'|');
}

TEST(CodeTables, TextsAndNoneForUnknownCodes)
{
    TestWorld world;
    EXPECT_EQ(ProgramRunningModeDesc(), QString());
    Settings().SetProgramRunningMode(RunningMode::Automatic);
    EXPECT_EQ(ProgramRunningModeDesc(), "Automatic");
    EXPECT_EQ(Texts(RunningModeDesc, 1, 4), "Interactive|Automatic|Setup|");
    EXPECT_EQ(Texts(ImportFileFormatDesc, 0, 5), "|CSV|Tab delimited|Fixed length fields|Bespoke|");
    // "-": no value
    EXPECT_EQ(Texts([](int c) { return ValidationActionDesc(c).value_or("-"); }, -1, 5),
              QStringLiteral("-|Cancelled|Continue|Continue but skip this enquiry|Continue always|"
                             "Continue but skip all enquiries with error|-"));
}

} // namespace
