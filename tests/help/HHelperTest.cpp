#include "HelpFixture.h"

#include "help/CompiledHelpEngine.h"
#include "help/HHelper.h"
#include "help/HelpEngine.h"
#include "platform/NevixError.h"
#include "support/Printers.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

// Records what it is asked to show; raises when told to.
class RecordingEngine : public HelpEngine {
public:
    void DisplayContents(const QString& file) override { shown.append(file + QStringLiteral(" contents")); }
    void DisplayTopic(const QString& file, int32_t topic) override
    {
        if (fails)
            throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("The file is damaged"));
        shown.append(file + QStringLiteral(" #") + QString::number(topic));
    }
    void Close() override { ++closes; }
    QStringList shown;
    int closes = 0;
    bool fails = false;
};

TEST(HHelper, CompiledHelpByNameAndNoHelpForAnEmptyName)
{
    TestWorld world;
    ScopedRecordingHost recording;
    HHelper help;
    EXPECT_FALSE(help.HasHelp());
    help.SetHelpFile(QStringLiteral("/opt/nevix/guide.Chm"));
    EXPECT_TRUE(help.HasHelp());
    EXPECT_TRUE(help.UsesCompiledHelp());
    EXPECT_TRUE(dynamic_cast<const CompiledHelpEngine*>(&help.Engine()));
    help.SetHelpFile(QStringLiteral("/opt/nevix/guide.hlp"));
    EXPECT_TRUE(help.HasHelp());
    EXPECT_FALSE(help.UsesCompiledHelp());
    EXPECT_TRUE(dynamic_cast<const NullHelpEngine*>(&help.Engine()));
    help.DisplayTopic(1000);
    help.DisplayContentsPage();
    help.SetHelpFile(QString());
    EXPECT_FALSE(help.HasHelp());
    help.DisplayTopic(1000);
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << "the other engine and no help show nothing";
    EXPECT_TRUE(recording.host->shown.isEmpty());
}

TEST(HHelper, ASecondFileDropsTheFirstEngine)
{
    auto engine = std::make_shared<RecordingEngine>();
    HHelper help;
    help.SetHelpFile(QStringLiteral("guide.chm"));
    help.SetHelpEngine(engine);
    help.SetHelpFile(QStringLiteral("other.chm"));
    EXPECT_EQ(engine.use_count(), 1);
    help.DisplayTopic(1000);
    EXPECT_TRUE(engine->shown.isEmpty());
}

TEST(HHelper, ShowsTheFixturesTopicsAndReleaseClosesTheWindow)
{
    TestWorld world;
    ScopedRecordingHost recording;
    GlobalHelp().SetHelpFile(FixtureHelpFile());
    GlobalHelp().DisplayTopic(2000);
    GlobalHelp().DisplayContentsPage();
    EXPECT_EQ(recording.host->shown,
              (QStringList{"guide.chm /enquiries.htm Main", "guide.chm /welcome.htm Main"}));
    ReleaseHelp();
    EXPECT_EQ(recording.host->closes, 1);
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST(HHelper, ProgramWideObjectIsMadeAgainAfterRelease)
{
    GlobalHelp().SetHelpFile(QStringLiteral("Nevix.chm"));
    EXPECT_TRUE(GlobalHelp().HasHelp());
    ReleaseHelp();
    EXPECT_FALSE(GlobalHelp().HasHelp());
}

TEST(HHelper, TopicsAndContentsGoToTheEngineOnlyWithAHelpFile)
{
    auto engine = std::make_shared<RecordingEngine>();
    HHelper help;
    help.SetHelpEngine(engine);
    help.DisplayTopic(1000);
    help.DisplayContentsPage();
    help.CloseHelpWindow();
    EXPECT_TRUE(engine->shown.isEmpty());
    EXPECT_EQ(engine->closes, 0);
    help.SetHelpFile(QStringLiteral("guide.chm"));
    help.SetHelpEngine(engine);
    help.DisplayTopic(7030);
    help.DisplayContentsPage();
    EXPECT_EQ(engine->shown, (QStringList{"guide.chm #7030", "guide.chm contents"}));
}

TEST(HHelper, TheProgramsHelpFileOutlivesARelease)
{
    SetProgramHelpFile(QStringLiteral("/opt/nevix/Nevix.chm"));
    EXPECT_EQ(GlobalHelp().HelpFile(), "/opt/nevix/Nevix.chm");
    ReleaseHelp();
    EXPECT_EQ(GlobalHelp().HelpFile(), "/opt/nevix/Nevix.chm") << "help works after a log off";
    SetProgramHelpFile(QString());
    EXPECT_FALSE(GlobalHelp().HasHelp());
    ReleaseHelp();
}

TEST(ShowHelpTopic, AFailureIsAWarningAndNoHelpFileIsSilence)
{
    TestWorld world;
    auto engine = std::make_shared<RecordingEngine>();
    GlobalHelp().SetHelpEngine(engine);
    ShowHelpTopic(1000);
    EXPECT_TRUE(world.ui().boxes.isEmpty());

    GlobalHelp().SetHelpFile(QStringLiteral("guide.chm"));
    GlobalHelp().SetHelpEngine(engine);
    ShowHelpTopic(1000);
    EXPECT_EQ(engine->shown, QStringList{"guide.chm #1000"});
    engine->fails = true;
    ShowHelpTopic(1000);
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, "There was an error reading the help:\rThe file is damaged");
    ReleaseHelp();
}

} // namespace
