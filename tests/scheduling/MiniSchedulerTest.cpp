#include "support/DatabaseTest.h"
#include "support/ScopedTimeZone.h"

#include "scheduling/MiniScheduler.h"

namespace {

class ScheduleRow : public DatabaseTest {
protected:
    std::unique_ptr<MiniScheduler> Loaded(CDataBase& source, const QString& id)
    {
        auto row = std::make_unique<MiniScheduler>();
        row->SetDataSource(&source);
        row->SetScheduleID(id);
        row->Load();
        return row;
    }
    QVariant Column(const QString& column, const QString& id = QStringLiteral("HCOMMS")) const
    {
        return Scalar(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM SCHEDULER WHERE ScheduleID=?"), {id});
    }
};

TEST_F(ScheduleRow, LoadsTheDeliveredRowByItsIdentifierBound)
{
    auto row = Loaded(db, QStringLiteral("hcomms"));
    EXPECT_EQ(row->ScheduleID(), "HCOMMS");
    EXPECT_EQ(row->RunAtID(), 1);
    EXPECT_EQ(row->LastTime(), "");
    EXPECT_FALSE(row->IsNew() || row->IsDirty());
    EXPECT_TRUE(row->AllowUpdates());

    auto pasted = Loaded(db, QStringLiteral("x' OR '1'='1"));
    EXPECT_TRUE(pasted->IsNew()) << "the identifier is a value, not SQL";
    EXPECT_EQ(pasted->ScheduleID(), "");
}

TEST_F(ScheduleRow, ALoadThatFailsRaisesTheDatabasesErrorNumber)
{
    db.Execute(QStringLiteral("DROP TABLE SCHEDULER"));
    int32_t expected = 0;
    try {
        db.OpenRecordSet(QStringLiteral("SELECT * FROM SCHEDULER"));
    } catch (const NevixError& e) {
        expected = e.Number();
    }
    ASSERT_NE(expected, 0);
    try {
        Loaded(db, QStringLiteral("HCOMMS"));
        FAIL() << "no error";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), expected);
    }
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(ScheduleRow, ShouldRunNowFollowsTheModeTheSwitchAndTheNextRun)
{
    MiniScheduler row;
    EXPECT_TRUE(row.ShouldRunNow()) << "mode 0 runs on every call";
    EXPECT_TRUE(row.ShouldRunNow());
    row.SetIsStopped(true);
    EXPECT_FALSE(row.ShouldRunNow());
    row.SetIsStopped(false);
    row.SetRunAtID(1);
    EXPECT_FALSE(row.ShouldRunNow());

    row.SetRunAtID(2);
    EXPECT_FALSE(row.ShouldRunNow()) << "active without a next run";
    const QDateTime next(QDate(2024, 3, 15), QTime(10, 31));
    row.SetNextRunDateTime(next);
    world.clock().Set(next);
    EXPECT_FALSE(row.ShouldRunNow()) << "at the exact minute";
    world.clock().Advance(1);
    EXPECT_TRUE(row.ShouldRunNow());
    row.SetIsStopped(true);
    EXPECT_FALSE(row.ShouldRunNow());
}

TEST_F(ScheduleRow, EditingIsAllowedUnlessTheRowIsSwitchedOn)
{
    MiniScheduler row;
    row.SetRunAtID(2);
    EXPECT_FALSE(row.AllowUpdates());
    row.SetIsStopped(true);
    EXPECT_TRUE(row.AllowUpdates());
    row.SetIsStopped(false);
    row.SetPause(30);
    EXPECT_TRUE(row.IsPaused());
    EXPECT_EQ(row.PauseUntil(), QDateTime(QDate(2024, 3, 15), QTime(11, 0)));
    EXPECT_TRUE(row.AllowUpdates());
    world.clock().Advance(3600);
    EXPECT_TRUE(row.IsPaused()) << "the pause's time is not compared with now";
    row.ClearPause();
    EXPECT_FALSE(row.AllowUpdates());
}

TEST_F(ScheduleRow, TimesAreTrimmedAndOnlyHoursAndMinutesAccepted)
{
    auto row = Loaded(db, QStringLiteral("HCOMMS"));
    QString typed = QStringLiteral(" 09:30 ");
    row->SetFirstTime(typed);
    EXPECT_EQ(typed, "09:30") << "the caller's text is trimmed";
    EXPECT_EQ(row->FirstTime(), "09:30");
    row->Apply();
    EXPECT_EQ(Column("FirstTime"), QVariant("09:30"));

    for (const char* refused : {"9:30", "24:00", "12:60", "1230", "25:00", "09.30", "09:3a",
                                "\xef\xbc\x90\xef\xbc\x99:30" /* full-width digits */}) {
        QString text = QString::fromUtf8(refused);
        row->SetFirstTime(text);
        row->SetLastTime(text);
        EXPECT_EQ(row->FirstTime(), "09:30") << refused;
        EXPECT_EQ(row->LastTime(), "") << refused;
        EXPECT_FALSE(row->IsDirty()) << refused;
    }
    QString edge = QStringLiteral("23:59");
    row->SetLastTime(edge);
    EXPECT_EQ(row->LastTime(), "23:59");
    QString empty = QStringLiteral("  ");
    row->SetLastTime(empty);
    EXPECT_EQ(row->LastTime(), "");
}

TEST_F(ScheduleRow, OnlyRealChangesMakeTheRowDirtyAndCancelEditRestores)
{
    auto row = Loaded(db, QStringLiteral("HCOMMS"));
    row->SetDaysToRun(QStringLiteral("0000000"));
    row->SetScheduleID(QStringLiteral("hcomms"));
    row->SetNextRunDateTime(std::nullopt);
    row->SetRunAtID(1);
    EXPECT_FALSE(row->IsDirty());

    row->SetRunAtID(2);
    QString first = QStringLiteral("08:15");
    row->SetFirstTime(first);
    EXPECT_TRUE(row->IsDirty());
    row->CancelEdit();
    EXPECT_FALSE(row->IsDirty());
    EXPECT_EQ(row->RunAtID(), 1);
    EXPECT_EQ(row->FirstTime(), "00:00");

    row->SetEvery30Mins(true);
    row->VirtualApply();
    row->CancelEdit();
    EXPECT_TRUE(row->Every30Mins()) << "the saved copy was taken";
}

TEST_F(ScheduleRow, ApplyWritesChangesWithANewStampAndNothingWhenClean)
{
    auto row = Loaded(db, QStringLiteral("HEXCOM"));
    row->Apply();
    EXPECT_FALSE(row->BeenApplied());
    EXPECT_TRUE(Column("TmStamp", "HEXCOM").isNull());

    row->SetRunAtID(2);
    row->SetDaysToRun(QStringLiteral("1000001"));
    row->SetEvery15Mins(true);
    row->SetLastRunDateTime(QDateTime(QDate(2024, 3, 15), QTime(9, 0, 12)));
    row->SetNextRunDate();
    row->Apply();
    EXPECT_TRUE(row->BeenApplied());
    EXPECT_FALSE(row->IsDirty());
    EXPECT_EQ(Scalar("SELECT RunAtID || DaysToRun || Every15Mins || Every60Mins || NextRunDateTime || '|' || "
                     "LastRunDateTime FROM SCHEDULER WHERE ScheduleID='HEXCOM'"),
              QVariant("21000001102024-03-17 00:00:00|2024-03-15 09:00:12"));
    EXPECT_EQ(Column("TmStamp", "HEXCOM").toString(), row->OldTimeStamp().value_or("none"));

    auto again = Loaded(db, QStringLiteral("HEXCOM"));
    EXPECT_EQ(again->NextRunDateTime(), row->NextRunDateTime());
    EXPECT_EQ(again->LastRunDateTime(), row->LastRunDateTime());
    EXPECT_TRUE(again->Every15Mins());
}

TEST_F(ScheduleRow, ARowChangedElsewhereIsRefusedAndKeepsItsChanges)
{
    auto mine = Loaded(db, QStringLiteral("HMAINT"));
    auto other = Other();
    auto theirs = Loaded(*other, QStringLiteral("HMAINT"));
    theirs->SetRunAtID(2);
    theirs->Apply();

    mine->SetDaysToRun(QStringLiteral("0101010"));
    try {
        mine->Apply();
        FAIL() << "no error";
    } catch (const NevixError& e) {
        EXPECT_EQ(uint32_t(e.Number()), 0x80040064u);
        EXPECT_EQ(e.Description(), "Concurrency prevented update.");
    }
    EXPECT_TRUE(mine->IsDirty());
    EXPECT_FALSE(mine->BeenApplied());
    EXPECT_EQ(mine->DaysToRun(), "0101010");
    EXPECT_FALSE(mine->OldTimeStamp().has_value());
    EXPECT_EQ(Column("DaysToRun || RunAtID", "HMAINT"), QVariant("00000002"));
}

TEST_F(ScheduleRow, AMissingRowIsInsertedUnderAGeneratedKey)
{
    auto row = Loaded(db, QStringLiteral("HNOTHERE"));
    EXPECT_TRUE(row->IsNew());
    EXPECT_EQ(row->ScheduleID(), "");
    row->SetScheduleID(QStringLiteral("HNOTHERE"));
    row->SetRunAtID(2);
    row->Apply();
    EXPECT_EQ(row->ScheduleID(), "S0000000001");
    EXPECT_EQ(CountRows("SCHEDULER", "ScheduleID='HNOTHERE'"), 0);
    EXPECT_EQ(Column("RunAtID || DaysToRun || FirstTime || ifnull(LastTime, '-')", "S0000000001"),
              QVariant("2000000000:00-"));

    row->SetIsDeleted(true);
    row->Apply();
    EXPECT_EQ(CountRows("SCHEDULER", "ScheduleID='S0000000001'"), 0);
}

TEST_F(ScheduleRow, ASlotTheClocksSkipIsStoredAndReadBackUnchanged)
{
    const ScopedTimeZone london(ScopedTimeZone::London());
    world.clock().Set(QDateTime(QDate(2024, 3, 31), QTime(0, 30)));
    auto row = Loaded(db, QStringLiteral("HCOMIM"));
    row->SetRunAtID(2);
    row->SetDaysToRun(QStringLiteral("0000001"));
    QString first = QStringLiteral("01:30");
    row->SetFirstTime(first);
    row->SetNextRunDate(std::nullopt, true);
    ASSERT_TRUE(row->NextRunDateTime().has_value());
    EXPECT_TRUE(row->NextRunDateTime()->isValid());
    EXPECT_GE(*row->NextRunDateTime(), QDateTime(QDate(2024, 3, 31), QTime(2, 0)));
    EXPECT_EQ(row->NextRunDateTime()->time().second(), 0);
    row->Apply();
    EXPECT_EQ(Loaded(db, QStringLiteral("HCOMIM"))->NextRunDateTime(), row->NextRunDateTime());
}

} // namespace
