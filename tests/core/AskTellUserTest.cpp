#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

TEST(AskUser, ShowsTheButtonsIconAndDefaultOfTheTable)
{
    const struct {
        const char* name;
        uint32_t buttonSet;
        int16_t defaultAnswer;
        uint32_t expectedStyle;
    } cases[] = {
        {"OkCancel_Ok_first", 1, 1, 0x20 | 1}, {"OkCancel_Cancel_second", 1, 2, 0x100 | 0x20 | 1},
        {"AbortRetryIgnore_Abort_first", 2, 3, 0x10 | 2},
        {"AbortRetryIgnore_Retry_second", 2, 4, 0x100 | 0x10 | 2},
        {"AbortRetryIgnore_Ignore_third", 2, 5, 0x200 | 0x10 | 2},
        {"YesNoCancel_Yes_first", 3, 6, 0x20 | 3},
        {"YesNoCancel_No_second", 3, 7, 0x100 | 0x20 | 3},
        {"YesNoCancel_Cancel_third", 3, 2, 0x200 | 0x20 | 3}, {"YesNo_Yes_first", 4, 6, 0x20 | 4},
        {"YesNo_No_second", 4, 7, 0x100 | 0x20 | 4},
        {"YesNo_unknown_answer_second", 4, 32, 0x100 | 0x20 | 4},
        {"RetryCancel_Retry_first_critical", 5, 4, 0x10 | 5},
        {"RetryCancel_Cancel_second_critical", 5, 2, 0x100 | 0x10 | 5},
        {"Unknown_set_question_only", 0, 1, 0x20},
    };
    for (const auto& c : cases) {
        TestWorld world;
        AskUser("Question?", QString(), c.buttonSet, c.defaultAnswer);
        ASSERT_EQ(world.ui().boxes.size(), 1);
        EXPECT_EQ(world.ui().boxes.first().style, c.expectedStyle) << c.name;
        EXPECT_EQ(world.ui().boxes.first().title, "Nevix");
    }
}

TEST(AskUser, ReturnsTheAnswerGivenAndJoinsDetailWithOneCr)
{
    TestWorld world;
    world.ui().ScriptAnswer(6);
    EXPECT_EQ(AskUser("Delete?", "It cannot be undone", 4, 7), 6);
    EXPECT_EQ(world.ui().boxes.first().text, "Delete?\rIt cannot be undone");
}

TEST(TellUser, ShowsMessageAloneOrWithDetailAfterOneCr)
{
    TestWorld world;
    TellUser("Saved", QString(), 0x40);
    TellUserWarning("Careful", "Disk nearly full");
    TellUserCritical("Failed", "line 1\r\nline 2");
    ASSERT_EQ(world.ui().boxes.size(), 3);
    EXPECT_EQ(world.ui().boxes[0].text, "Saved");
    EXPECT_EQ(world.ui().boxes[0].style, 0x40u);
    EXPECT_EQ(world.ui().boxes[1].text, "Careful\rDisk nearly full");
    EXPECT_EQ(world.ui().boxes[1].style, 0x30u);
    EXPECT_EQ(world.ui().boxes[2].text, "Failed\rline 1\r\nline 2");
    EXPECT_EQ(world.ui().boxes[2].style, 0x10u);
}

TEST(TellUser, BoxIsNeverAnsweredUnderAnHourglassAndThePointerComesBack)
{
    TestWorld world;
    world.ui().SetMousePointer(Pointer::Hourglass);
    TellUser("Note", QString(), 0);
    AskUser("Sure?", QString(), 4, 7);
    EXPECT_EQ(world.ui().pointerDuringBox, (QList<int16_t>{Pointer::Default, Pointer::Default}));
    EXPECT_EQ(world.ui().pointer, Pointer::Hourglass);
}

TEST(Unattended, BoxesNeverBlockAndQuestionsTakeTheDefault)
{
    TestWorld world;
    Settings().SetProgramRunningMode(RunningMode::Automatic);
    QStringList logged;
    SetUnattendedMessageSink([&](const QString& text, uint32_t) { logged.append(text); });

    TellUserWarning("Folder missing", "C:/in");
    EXPECT_EQ(AskUser("Remove?", QString(), 4, 7), 7);
    EXPECT_EQ(AskUser("Keep?", QString(), 4, 6), 6);

    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_EQ(logged, (QStringList{"Folder missing\rC:/in", "Remove?", "Keep?"}));
}

TEST(Unattended, OtherRunningModesStillAsk)
{
    TestWorld world;
    for (int16_t mode : {RunningMode::None, RunningMode::Interactive, RunningMode::Setup}) {
        Settings().SetProgramRunningMode(mode);
        TellUser("Hello", QString(), 0);
    }
    EXPECT_EQ(world.ui().boxes.size(), 3);
}

} // namespace
