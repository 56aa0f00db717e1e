#include "help/HHelper.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

TEST(HHelper, CompiledHelpByNameAndNoHelpForAnEmptyName)
{
    HHelper help;
    EXPECT_FALSE(help.HasHelp());
    help.SetHelpFile(QStringLiteral("/opt/nevix/guide.Chm"));
    EXPECT_TRUE(help.HasHelp());
    EXPECT_TRUE(help.UsesCompiledHelp());
    help.SetHelpFile(QStringLiteral("/opt/nevix/guide.hlp"));
    EXPECT_TRUE(help.HasHelp());
    EXPECT_FALSE(help.UsesCompiledHelp());
    help.SetHelpFile(QString());
    EXPECT_FALSE(help.HasHelp());
}

TEST(HHelper, ProgramWideObjectIsMadeAgainAfterRelease)
{
    GlobalHelp().SetHelpFile(QStringLiteral("Nevix.chm"));
    EXPECT_TRUE(GlobalHelp().HasHelp());
    ReleaseHelp();
    EXPECT_FALSE(GlobalHelp().HasHelp());
}

} // namespace
