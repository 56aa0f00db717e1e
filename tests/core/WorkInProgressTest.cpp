#include "core/PreservePointer.h"
#include "core/WorkInProgress.h"
#include "platform/NevixError.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkInProgress, NestedShowsKeepOneWindowUntilTheLastHide)
{
    TestWorld world;
    WorkInProgress wip;
    wip.Show("Enquiry maintenance in progress");
    wip.Show(QString(), "Maintenance");
    EXPECT_EQ(world.ui().waitShows, 1);
    EXPECT_EQ(world.ui().waitMessage, "Enquiry maintenance in progress");
    EXPECT_EQ(world.ui().waitCaption, "Maintenance");

    wip.Hide();
    EXPECT_TRUE(world.ui().waitVisible);
    wip.Hide();
    EXPECT_FALSE(world.ui().waitLoaded);
    EXPECT_EQ(world.ui().waitUnloads, 1);
    wip.Hide(); // without a show: must not stop the next one
    EXPECT_EQ(wip.NestingCount(), 0);
    wip.Show("Database is Compact/Repairing");
    EXPECT_TRUE(world.ui().waitVisible);
}

TEST(WorkInProgress, ReleasedAfterThreeShowsUnloadsAtOnce)
{
    TestWorld world;
    {
        WorkInProgress wip;
        for (const char* text : {"a", "b", "c"})
            wip.Show(QString::fromLatin1(text));
        EXPECT_EQ(wip.NestingCount(), 3);
    }
    EXPECT_FALSE(world.ui().waitLoaded);
    EXPECT_EQ(world.ui().waitUnloads, 1);
}

TEST(WorkInProgress, UpdateMessageShowsWhenHiddenAndRelabelsWhenShown)
{
    TestWorld world;
    WorkInProgress wip;
    wip.UpdateMessage("first");
    EXPECT_TRUE(world.ui().waitVisible);
    wip.UpdateMessage("second");
    EXPECT_EQ(world.ui().waitMessage, "second");
    EXPECT_EQ(wip.NestingCount(), 1);
    EXPECT_EQ(world.ui().waitShows, 1);
}

TEST(WorkInProgress, CountPastItsRangeIsAnOverflow)
{
    TestWorld world;
    WorkInProgress wip;
    for (int i = 0; i < 32767; ++i)
        wip.Show(QString());
    try {
        wip.Show(QString());
        FAIL() << "no overflow";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), 6);
    }
}

TEST(PreservePointer, RestoresThePointerOnReleaseAndResetPutsBackTheLastSaved)
{
    TestWorld world;
    world.ui().SetMousePointer(Pointer::Hourglass);
    { PreservePointer keeper; } // released without any call: the default pointer
    EXPECT_EQ(world.ui().pointer, Pointer::Default);
    {
        PreservePointer keeper;
        keeper.SetHourGlass(nullptr);
        EXPECT_EQ(world.ui().pointer, Pointer::Hourglass);
    }
    EXPECT_EQ(world.ui().pointer, Pointer::Default);
    EXPECT_GT(world.ui().pumps, 0);

    PreservePointer keeper;
    keeper.SetGlobalHourGlass();
    keeper.SetGlobalHourGlass(); // saves the hourglass itself
    keeper.Reset();
    EXPECT_EQ(world.ui().pointer, Pointer::Hourglass);
}

} // namespace
