#include "HelpFixture.h"

#include "help/ChmFile.h"
#include "help/HtmlHelpApi.h"
#include "platform/NevixError.h"
#include "support/FileBytes.h"
#include "support/Printers.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

TEST(ChmFile, ReadsTitleDefaultTopicAndObjects)
{
    ChmFile file(FixtureHelpFile());
    EXPECT_EQ(file.Title(), "Nevix Help Fixture");
    EXPECT_EQ(file.DefaultTopic(), "/welcome.htm");
    const auto picture = file.Read(QStringLiteral("images/menu.png"));
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->startsWith("\x89PNG"));
    EXPECT_FALSE(file.Read(QStringLiteral("/missing.htm")));
}

struct TopicCase {
    const char* name;
    int32_t topic;
    const char* page;
};

class ChmTopics : public ::testing::TestWithParam<TopicCase> {};

// The fixture's compiler stored the mapped pages as absolute build paths.
TEST_P(ChmTopics, MapsContextIdsToPagesElseTheDefaultTopic)
{
    ChmFile file(FixtureHelpFile());
    EXPECT_EQ(file.PageForTopic(GetParam().topic), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(Fixture, ChmTopics,
                         ::testing::Values(TopicCase{"Menu", 1000, "/menu.htm"},
                                           TopicCase{"Enquiries", 2000, "/enquiries.htm"},
                                           TopicCase{"Zero", 0, "/welcome.htm"},
                                           TopicCase{"Unmapped", 4242, "/welcome.htm"},
                                           TopicCase{"Negative", -1, "/welcome.htm"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChmFile, FindsPagesByTheirTrailingComponents)
{
    ChmFile file(FixtureHelpFile());
    EXPECT_EQ(file.FindPage(QStringLiteral("/build/somewhere/else/menu.htm")), "/menu.htm");
    EXPECT_EQ(file.FindPage(QStringLiteral("C:/docs/images/menu.png")), "/images/menu.png");
    EXPECT_EQ(file.FindPage(QStringLiteral("/build/nothing.htm")), "");
}

TEST(ChmFile, AFileThatIsNotCompiledHelpRaisesNamingIt)
{
    TestWorld world;
    const QString truncated = world.PathOf(QStringLiteral("guide.chm"));
    WriteBytes(truncated, ReadBytes(FixtureHelpFile()).left(600));
    const QString missing = world.PathOf(QStringLiteral("missing.chm"));
    for (const QString& path : {truncated, missing}) {
        try {
            ChmFile file(path);
            ADD_FAILURE() << path.toStdString() << " was read";
        } catch (const NevixError& e) {
            EXPECT_TRUE(e.Description().contains(path)) << e.Description().toStdString();
        }
    }
}

TEST(HtmlHelp, ShowsTheAskedPageInTheNamedWindow)
{
    TestWorld world;
    ScopedRecordingHost recording;
    const QString target = FixtureHelpFile() + QStringLiteral(">Main");
    EXPECT_EQ(HtmlHelp(0, target, HH::HelpContext, 1000), 42);
    HtmlHelp(0, target, HH::HelpContext, 4242);
    HtmlHelp(0, FixtureHelpFile(), HH::DisplayToc, 0);
    HtmlHelp(0, target, HH::DisplayTopic, QStringLiteral("enquiries.htm"));
    EXPECT_EQ(recording.host->shown,
              (QStringList{"guide.chm /menu.htm Main", "guide.chm /welcome.htm Main",
                           "guide.chm /welcome.htm ", "guide.chm /enquiries.htm Main"}));
    HtmlHelp(0, QString(), HH::CloseAll, 0);
    EXPECT_EQ(recording.host->closes, 1);
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST(HtmlHelp, AnUnreadableFileIsOneWarningAndNoWindow)
{
    TestWorld world;
    ScopedRecordingHost recording;
    const QString truncated = world.PathOf(QStringLiteral("guide.chm"));
    WriteBytes(truncated, ReadBytes(FixtureHelpFile()).left(2000));
    EXPECT_EQ(HtmlHelp(0, truncated + QStringLiteral(">Main"), HH::HelpContext, 1000), 0);
    EXPECT_TRUE(recording.host->shown.isEmpty());
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes[0].text.contains(truncated));
    EXPECT_EQ(world.ui().boxes[0].style & MsgBox::IconMask, MsgBox::Exclamation);
}

} // namespace
