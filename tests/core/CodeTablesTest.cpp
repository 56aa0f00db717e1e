#include "core/ApplicationSettings.h"
#include "core/GlobalDeclarations.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

TEST(CodeTables, RunningMode)
{
    TestWorld world;
    EXPECT_EQ(ProgramRunningModeDesc(), QString());
    Settings().SetProgramRunningMode(RunningMode::Automatic);
    EXPECT_EQ(ProgramRunningModeDesc(), QStringLiteral("Automatic"));
    EXPECT_EQ(RunningModeDesc(1), QStringLiteral("Interactive"));
    EXPECT_EQ(RunningModeDesc(3), QStringLiteral("Setup"));
    EXPECT_EQ(RunningModeDesc(4), QString());
}

TEST(CodeTables, ValidationActionHasNoValueForAnUnknownCode)
{
    EXPECT_EQ(ValidationActionDesc(0), QStringLiteral("Cancelled"));
    EXPECT_EQ(ValidationActionDesc(1), QStringLiteral("Continue"));
    EXPECT_EQ(ValidationActionDesc(2), QStringLiteral("Continue but skip this enquiry"));
    EXPECT_EQ(ValidationActionDesc(3), QStringLiteral("Continue always"));
    EXPECT_EQ(ValidationActionDesc(4), QStringLiteral("Continue but skip all enquiries with error"));
    EXPECT_FALSE(ValidationActionDesc(7).has_value());
    EXPECT_FALSE(ValidationActionDesc(-1).has_value());
}

TEST(CodeTables, ImportFileFormat)
{
    EXPECT_EQ(ImportFileFormatDesc(0), QString());
    EXPECT_EQ(ImportFileFormatDesc(1), QStringLiteral("CSV"));
    EXPECT_EQ(ImportFileFormatDesc(2), QStringLiteral("Tab delimited"));
    EXPECT_EQ(ImportFileFormatDesc(3), QStringLiteral("Fixed length fields"));
    EXPECT_EQ(ImportFileFormatDesc(4), QStringLiteral("Bespoke"));
    EXPECT_EQ(ImportFileFormatDesc(5), QString());
}

} // namespace
