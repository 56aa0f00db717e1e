#include "support/DatabaseTest.h"
#include "Widgets.h"

namespace {

class RecordPattern : public DatabaseTest {
protected:
    RecordPattern() { CreateWidgetTable(); }

    std::shared_ptr<Widget> Stored(const QString& name, int32_t quantity)
    {
        auto widget = NewWidget(name, quantity);
        widget->SetDataSource(&db);
        widget->Apply();
        return widget;
    }
    std::shared_ptr<Widget> LoadedBy(CDataBase& source, const QString& id)
    {
        auto widget = std::make_shared<Widget>();
        widget->SetDataSource(&source);
        widget->Load(id);
        return widget;
    }
    Widgets Loaded()
    {
        Widgets widgets;
        widgets.SetDataSource(&db);
        widgets.Load();
        return widgets;
    }
    QVariant KeyCounter() const
    {
        return Scalar("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME='WIDGETS'");
    }
};

TEST_F(RecordPattern, ANewRecordIsInsertedWithAKeyAndAStamp)
{
    world.clock().Set(QDateTime(QDate(2024, 1, 31), QTime(12, 34, 56, 780)));
    auto widget = NewWidget("Bolt", 3);
    widget->SetMadeOn(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    EXPECT_TRUE(widget->IsNew());
    widget->SetDataSource(&db);
    widget->Apply();
    EXPECT_EQ(widget->Key(), QStringLiteral("W0000000001"));
    EXPECT_FALSE(widget->IsNew() || widget->IsDirty());
    EXPECT_TRUE(widget->BeenApplied());
    EXPECT_EQ(widget->OldTimeStamp(), QStringLiteral("20240131:45296.78"));

    auto loaded = LoadedBy(db, "w0000000001");
    EXPECT_FALSE(loaded->IsNew() || loaded->IsDirty());
    EXPECT_EQ(loaded->Name(), QStringLiteral("Bolt"));
    EXPECT_EQ(loaded->Quantity(), 3);
    EXPECT_TRUE(loaded->Active());
    EXPECT_EQ(loaded->MadeOn(), QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(loaded->OldTimeStamp(), QStringLiteral("20240131:45296.78"));

    auto missing = LoadedBy(db, "W404"); // no row: a new record with its defaults
    EXPECT_TRUE(missing->IsNew());
    EXPECT_FALSE(missing->IsDirty());
    EXPECT_FALSE(missing->MadeOn().has_value());
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(RecordPattern, DirtyMarksFollowTheSavedCopy)
{
    auto widget = Stored("Bolt", 3);
    widget->SetQuantity(3);
    EXPECT_FALSE(widget->IsDirty()) << "the value it already has";
    widget->SetQuantity(4);
    widget->SetQuantity(3);
    EXPECT_TRUE(widget->IsDirty()) << "a set never clears the mark";
    widget->CancelEdit();
    EXPECT_FALSE(widget->IsDirty());
    EXPECT_FALSE(widget->BeenApplied());

    widget->SetMadeOn(std::nullopt);
    EXPECT_FALSE(widget->IsDirty()) << "Null to Null";
    widget->SetMadeOn(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    EXPECT_TRUE(widget->IsDirty());
    widget->EndEdit();
    EXPECT_TRUE(widget->IsDirty()) << "EndEdit keeps the mark";
    EXPECT_TRUE(widget->BeenApplied());
    widget->EndSetDefaultsEdit();
    EXPECT_FALSE(widget->IsDirty());
    EXPECT_FALSE(widget->BeenApplied());

    auto loaded = LoadedBy(db, widget->Key());
    db.Execute("DROP TABLE WIDGETS"); // any statement would now fail
    loaded->Apply();
    EXPECT_FALSE(loaded->BeenApplied()) << "a clean record writes nothing";
}

TEST_F(RecordPattern, ADeliveredRowWithoutStampIsUpdatedAndThenCarriesOne)
{
    db.Execute("INSERT INTO WIDGETS (WidgetId, Name, Quantity, Active) VALUES ('W9', 'Old', 1, 1)");
    auto widget = LoadedBy(db, "W9");
    EXPECT_FALSE(widget->OldTimeStamp().has_value());
    widget->SetName("New");
    widget->Apply();
    EXPECT_EQ(Scalar("SELECT Name || '/' || TmStamp FROM WIDGETS"), QVariant("New/20240315:37800.00"));
}

TEST_F(RecordPattern, AnotherInstallationsChangeIsNeverOverwritten)
{
    auto mine = Stored("Bolt", 3);
    auto other = Other();
    auto theirs = LoadedBy(*other, mine->Key());
    world.clock().Advance(1);
    theirs->SetQuantity(10);
    theirs->Apply();

    mine->SetQuantity(7);
    const NullableString stamp = mine->OldTimeStamp();
    try {
        mine->Apply();
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(static_cast<uint32_t>(e.Number()), 0x80040064u);
        EXPECT_EQ(e.Description(), QStringLiteral("Concurrency prevented update."));
        EXPECT_EQ(e.Source(), QStringLiteral("Nevix"));
    }
    EXPECT_TRUE(mine->IsDirty()) << "left as it was";
    EXPECT_EQ(mine->Quantity(), 7);
    EXPECT_EQ(mine->OldTimeStamp(), stamp);
    EXPECT_EQ(Scalar("SELECT Quantity FROM WIDGETS").toInt(), 10);
    EXPECT_EQ(db.TransactionCount(), 0);
}

// A column changed behind the stamp's back shows which columns an update
// wrote: after the record's own write only the changed ones, after a load
// (the row not known to hold the record's values) all of them.
TEST_F(RecordPattern, AnUpdateWritesOnlyTheChangedColumnsOfARowItWroteItself)
{
    auto written = Stored("Bolt", 3);
    db.Execute("UPDATE WIDGETS SET Name='Behind'");
    written->SetQuantity(7);
    written->Apply();
    EXPECT_EQ(Scalar("SELECT Name || '/' || Quantity FROM WIDGETS"), QVariant("Behind/7"));

    auto loaded = LoadedBy(db, written->Key());
    db.Execute("UPDATE WIDGETS SET Name='Later'");
    loaded->SetQuantity(8);
    loaded->Apply();
    EXPECT_EQ(Scalar("SELECT Name || '/' || Quantity FROM WIDGETS"), QVariant("Behind/8"));

    loaded->SetOldTimeStamp(loaded->OldTimeStamp()); // a stamp from outside vouches for nothing
    db.Execute("UPDATE WIDGETS SET Name='Later'");
    loaded->SetQuantity(9);
    loaded->Apply();
    EXPECT_EQ(Scalar("SELECT Name || '/' || Quantity FROM WIDGETS"), QVariant("Behind/9"));
}

TEST_F(RecordPattern, AnUpdateOfTheChangedColumnsStillRefusesARowChangedElsewhere)
{
    auto mine = Stored("Bolt", 3);
    mine->SetQuantity(4);
    mine->Apply(); // the row is now known as written
    auto other = Other();
    auto theirs = LoadedBy(*other, mine->Key());
    world.clock().Advance(1);
    theirs->SetName("Nut");
    theirs->Apply();

    mine->SetQuantity(5);
    EXPECT_THROW(mine->Apply(), NevixError);
    EXPECT_EQ(Scalar("SELECT Name || '/' || Quantity FROM WIDGETS"), QVariant("Nut/4"));
    EXPECT_TRUE(mine->IsDirty());
}

TEST_F(RecordPattern, ADeleteNeedsTheStampItLoadedAndANewOneIsNeverWritten)
{
    auto mine = Stored("Bolt", 3);
    auto other = Other();
    auto theirs = LoadedBy(*other, mine->Key());
    theirs->SetIsDeleted(true);
    EXPECT_TRUE(theirs->IsDirty());
    theirs->Apply();
    EXPECT_EQ(CountRows("WIDGETS"), 0);
    mine->SetIsDeleted(true);
    EXPECT_THROW(mine->Apply(), NevixError); // the row is gone

    auto created = NewWidget("Nut", 3);
    created->SetIsDeleted(true);
    created->SetDataSource(&db);
    created->Apply();
    EXPECT_EQ(CountRows("WIDGETS"), 0);
    EXPECT_EQ(KeyCounter().toInt(), 2) << "no key drawn";
    EXPECT_TRUE(created->BeenApplied());
}

using Collections = RecordPattern;

TEST_F(Collections, MembersAreFoundByPositionAndByTheKeyTheyWereAddedUnder)
{
    Widgets widgets;
    widgets.Add(NewWidget("A", 1));
    widgets.Add(NewWidget("B", 2));
    EXPECT_EQ(widgets.Item(2)->Name(), QStringLiteral("B"));
    EXPECT_EQ(widgets.Item("nw1")->Name(), QStringLiteral("A"));
    EXPECT_TRUE(widgets.Exists("NW2"));
    EXPECT_FALSE(widgets.Exists(3));
    EXPECT_THROW(widgets.Item(3), NevixError);
    EXPECT_THROW(widgets.Item("NW9"), NevixError);
    widgets.Remove("NW9"); // ignored
    widgets.Remove(1);
    EXPECT_EQ(widgets.Count(), 1);
    EXPECT_TRUE(widgets.IsNew());
}

TEST_F(Collections, LoadingFillsMembersThatAreClean)
{
    Stored("A", 1);
    Stored("B", 2);
    Widgets widgets = Loaded();
    EXPECT_EQ(widgets.Count(), 2);
    EXPECT_FALSE(widgets.IsDirty() || widgets.IsNew());
    EXPECT_EQ(widgets.Item("W0000000002")->Name(), QStringLiteral("B"));
    EXPECT_EQ(widgets.Item(1)->DataSource(), &db);
    int seen = 0;
    for (const auto& member : widgets)
        seen += member->Quantity();
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Collections, ApplyWritesEveryChangedMemberAndRemovesTheDeletedFirst)
{
    Stored("Keep", 1);
    Stored("Drop", 2);
    Widgets widgets = Loaded();
    ASSERT_EQ(widgets.Count(), 2);
    widgets.Item(2)->SetIsDeleted(true);
    widgets.Item(1)->SetQuantity(5);
    auto created = NewWidget("New", 9);
    widgets.Add(created);
    auto abandoned = NewWidget("Never", 9);
    widgets.Add(abandoned);
    abandoned->SetIsDeleted(true);
    widgets.Apply();
    EXPECT_EQ(widgets.Count(), 2);
    EXPECT_FALSE(widgets.IsDirty());
    EXPECT_EQ(Scalar("SELECT group_concat(Name || Quantity) FROM "
                     "(SELECT * FROM WIDGETS ORDER BY WidgetId)"),
              QVariant("Keep5,New9"));
    EXPECT_EQ(created->Key(), QStringLiteral("W0000000003"));
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Collections, AFailingMemberLeavesTheDatabaseAndEveryMemberAsBefore)
{
    Stored("Drop", 2);
    Widgets widgets = Loaded();
    widgets.Item(1)->SetIsDeleted(true);
    auto first = NewWidget("First", 1);
    auto second = NewWidget("Second", -1); // refused by the table
    auto third = NewWidget("Third", 3);
    for (const auto& member : {first, second, third})
        widgets.Add(member);

    EXPECT_THROW(widgets.Apply(), NevixError);
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_EQ(CountRows("WIDGETS"), 1) << "the deleted row is back";
    EXPECT_EQ(KeyCounter().toInt(), 2);
    ASSERT_EQ(widgets.Count(), 4);
    EXPECT_TRUE(widgets.Item(1)->IsDeleted());
    for (const auto& member : {first, second, third}) {
        EXPECT_TRUE(member->IsNew() && member->IsDirty());
        EXPECT_FALSE(member->BeenApplied());
        EXPECT_TRUE(member->Key().isEmpty());
    }
    EXPECT_EQ(widgets.Item("NW2"), first);

    second->SetQuantity(2);
    widgets.Apply();
    EXPECT_EQ(CountRows("WIDGETS"), 3);
    EXPECT_EQ(widgets.Count(), 3);
}

TEST_F(Collections, AFailureInsideAnOuterTransactionDoomsIt)
{
    db.BeginTrans();
    Stored("Outer", 1);
    Widgets widgets;
    widgets.SetDataSource(&db);
    widgets.Add(NewWidget("Bad", -1));
    EXPECT_THROW(widgets.Apply(), NevixError);
    EXPECT_EQ(db.TransactionCount(), 1);
    EXPECT_THROW(db.CommitTrans(), NevixError);
    EXPECT_EQ(CountRows("WIDGETS"), 0);
}

} // namespace
