// What both owners of schedule rows do with a row the editor gives back.
#include "ScheduleOwnerTest.h"

#include "scheduling/AutoExecuteConsole.h"
#include "scheduling/TransmissionControl.h"

namespace {

struct Owner {
    const char* name;
    QString rowId;
    std::function<std::unique_ptr<ScheduleOwner>(CDataBase&, std::shared_ptr<Exchanges>)> open;
};

template <typename T>
std::unique_ptr<ScheduleOwner> Opened(CDataBase& db, std::shared_ptr<Exchanges> exchanges)
{
    auto owner = std::make_unique<T>(db, std::move(exchanges));
    owner->InitialiseForm();
    owner->Timer().stop();
    return owner;
}

class Editing : public ScheduleOwnerTest, public ::testing::WithParamInterface<Owner> {
protected:
    ScheduleOwner& Open()
    {
        owner = GetParam().open(db, exchanges);
        owner->SwitchRow(0, false);
        return *owner;
    }
    std::unique_ptr<ScheduleOwner> owner;
};

TEST_P(Editing, ACancelledEditOfARowWhoseNextRunWasNeverStoredWorksItOutAgain)
{
    StoreRow(GetParam().rowId, 2);
    Open();
    EXPECT_EQ(owner->View(0).nextRun, "15/03/2024  11:00") << "worked out at load";
    MiniScheduler* row = owner->BeginEdit(0);
    ASSERT_TRUE(row);
    row->CancelEdit(); // the editor's Cancel puts the stored Null back
    owner->EndEdit(0);
    EXPECT_EQ(owner->View(0).nextRun, "15/03/2024  11:00");
    ASSERT_TRUE(owner->Row(0).NextRunDateTime());

    owner->SwitchRow(0, true);
    world.clock().Set(At(11, 1));
    Beat(*owner);
    EXPECT_EQ(exchanges->calls.size(), 1) << "the ticked row runs";
}

TEST_P(Editing, ARowSavedInTheEditorIsStoredAndItsBoxFollowsItsMode)
{
    StoreRow(GetParam().rowId, 1);
    Open();
    MiniScheduler* row = owner->BeginEdit(0);
    ASSERT_TRUE(row);
    SetWeekdaysHourly(*row);
    row->SetNextRunDate(std::nullopt, true);
    owner->EndEdit(0);
    EXPECT_EQ(Stored(GetParam().rowId).RunAtID(), 2);
    EXPECT_EQ(owner->View(0).nextRun, "15/03/2024 11:00") << "one blank after an edit";
    EXPECT_TRUE(owner->View(0).canSwitch);
    EXPECT_FALSE(owner->View(0).switchedOn) << "the operator ticks it";

    row = owner->BeginEdit(0);
    row->SetRunAtID(1);
    row->SetNextRunDate(std::nullopt, true);
    owner->EndEdit(0);
    EXPECT_FALSE(owner->View(0).canSwitch);
    EXPECT_EQ(owner->View(0).nextRun, "");
}

TEST_P(Editing, ASaveRefusedBecauseAnotherInstallationChangedTheRowWarnsAndShowsTheStoredRow)
{
    StoreRow(GetParam().rowId, 2, At(11, 0));
    Open();
    MiniScheduler* row = owner->BeginEdit(0);
    ASSERT_TRUE(row);
    world.clock().Advance(1);
    {
        auto other = Other();
        MiniScheduler theirs;
        theirs.SetDataSource(other.get());
        theirs.SetScheduleID(GetParam().rowId);
        theirs.Load();
        theirs.SetRunAtID(1);
        theirs.SetNextRunDateTime(std::nullopt);
        theirs.Apply();
    }
    row->SetEvery30Mins(true);
    row->SetNextRunDate(std::nullopt, true);
    owner->EndEdit(0);
    ASSERT_EQ(world.ui().Texts(),
              QStringList{"Could not save the scheduler settings because:\rConcurrency prevented update."});
    EXPECT_EQ(owner->Row(0).RunAtID(), 1) << "the stored row is shown";
    EXPECT_FALSE(owner->View(0).canSwitch);
    EXPECT_EQ(owner->View(0).nextRun, "");
    EXPECT_TRUE(owner->Row(0).IsStopped());
}

INSTANTIATE_TEST_SUITE_P(
    Owners, Editing,
    ::testing::Values(Owner{"Console", QStringLiteral("HCOMMS"), Opened<AutoExecuteConsole>},
                      Owner{"SendReceive", QStringLiteral("HCOMIM"), Opened<TransmissionControl>}),
    [](const ::testing::TestParamInfo<Owner>& info) { return std::string(info.param.name); });

} // namespace
