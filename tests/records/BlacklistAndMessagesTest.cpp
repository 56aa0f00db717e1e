#include "support/DatabaseTest.h"

#include "records/SystemMessages.h"
#include "records/VRMBlackList.h"

namespace {

class Blacklist : public DatabaseTest {
protected:
    std::shared_ptr<BlackListedVRM> Entry(const QString& vrm, const QString& reason)
    {
        auto entry = std::make_shared<BlackListedVRM>();
        entry->SetDataSource(&db);
        entry->SetVRM(vrm);
        entry->SetReason(reason);
        entry->SetBlacklistedBy("Clerk");
        entry->SetBlacklistedOn(QDateTime(QDate(2024, 3, 1), QTime(9, 30)));
        return entry;
    }
    VRMBlackList Loaded()
    {
        VRMBlackList list;
        list.SetDataSource(&db);
        list.Load();
        return list;
    }
};

TEST_F(Blacklist, AnEntryIsKeptUnderItsCleanedMark)
{
    Entry("  ab 12 cd ", "Stolen")->Apply();
    EXPECT_EQ(Scalar("SELECT Reason FROM VRM_BLACKLIST WHERE VRM='AB12CD'").toString(), "Stolen");

    auto loaded = std::make_shared<BlackListedVRM>();
    loaded->SetDataSource(&db);
    loaded->Load("AB12CD");
    EXPECT_FALSE(loaded->IsNew());
    loaded->SetBlacklistedBy("CLERK");
    EXPECT_FALSE(loaded->IsDirty()) << "the user's name compares without case";
    loaded->SetReason("STOLEN");
    EXPECT_TRUE(loaded->IsDirty()) << "the reason compares exactly";

    loaded->Load("XY99ZZZ");
    EXPECT_TRUE(loaded->IsNew());
    EXPECT_TRUE(loaded->VRM().isEmpty() && loaded->Reason().isEmpty());
    loaded->Load("AB*");
    EXPECT_EQ(loaded->VRM(), "AB12CD") << "a star matches any characters";
}

TEST_F(Blacklist, TheListFindsMarksAndSavesItsChangesTogether)
{
    Entry("AB12CD", "Stolen")->Apply();
    Entry("ZZ99", "Cloned")->Apply();
    VRMBlackList list = Loaded();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.Exists("ZZ99"));
    EXPECT_FALSE(list.Exists("NOPE"));
    EXPECT_EQ(list.Find("ab12cd"), nullptr) << "Find compares exactly";
    EXPECT_EQ(list.Find("AB12CD"), list.Item(1));
    EXPECT_THROW(list.Add(Entry("zz 99", "Again")), NevixError);

    auto added = Entry("NEW1", "New");
    added->SetIsDeleted(true);
    list.Add(added);
    list.Item("AB12CD")->SetIsDeleted(true);
    list.Item("ZZ99")->SetReason("Cloned plates");
    list.Apply();
    EXPECT_EQ(CountRows("VRM_BLACKLIST"), 1);
    EXPECT_EQ(Scalar("SELECT Reason FROM VRM_BLACKLIST").toString(), "Cloned plates");
    EXPECT_EQ(list.Count(), 1) << "deleted entries leave the list, the new one unwritten";

    // Changed elsewhere: nothing of this Apply stays.
    VRMBlackList again = Loaded();
    again.Add(Entry("NEW2", "New"));
    again.Item("ZZ99")->SetReason("Mine");
    db.Execute("UPDATE VRM_BLACKLIST SET TmStamp='other'");
    try {
        again.Apply();
        FAIL() << "a changed row was overwritten";
    } catch (const NevixError& error) {
        EXPECT_EQ(error.Number(), ErrorNumbers::Concurrency);
        EXPECT_EQ(error.Source(), "BlackListedVRM");
    }
    EXPECT_EQ(CountRows("VRM_BLACKLIST"), 1);
}

// The dialog offers the mark only for a new entry; the list and the row
// follow an entry given another mark all the same.
TEST_F(Blacklist, AnEntryGivenAnotherMarkIsFiledAndStoredUnderItAndFreesTheOldOne)
{
    Entry("AB12CD", "Stolen")->Apply();
    VRMBlackList list = Loaded();
    list.Item("AB12CD")->SetVRM("cd 34 ef");
    list.Apply();
    ASSERT_TRUE(list.Exists("CD34EF"));
    EXPECT_EQ(list.Item("CD34EF")->Reason(), "Stolen");
    EXPECT_FALSE(list.Exists("AB12CD"));
    EXPECT_EQ(Scalar("SELECT group_concat(VRM) FROM VRM_BLACKLIST").toString(), "CD34EF");

    list.Add(Entry("AB12CD", "Seen again"));
    list.Item("CD34EF")->SetReason("Stolen twice");
    list.Apply();
    EXPECT_EQ(Scalar("SELECT group_concat(VRM || ':' || Reason) FROM (SELECT * FROM VRM_BLACKLIST ORDER BY VRM)")
                  .toString(),
              "AB12CD:Seen again,CD34EF:Stolen twice");
    list.Item("CD34EF")->SetIsDeleted(true);
    list.Apply();
    EXPECT_EQ(CountRows("VRM_BLACKLIST"), 1);
}

using Messages = DatabaseTest;

TEST_F(Messages, PriorityIsALetterOverANumber)
{
    struct Case {
        const char* set;
        int16_t stored;
        const char* read;
    };
    for (const Case& c : {Case{"m", 1, "M"}, Case{"H", 2, "H"}, Case{"X", 0, "L"}, Case{"", 0, "L"}}) {
        SystemMessage message;
        message.SetPriority("H");
        message.SetPriority(c.set);
        message.SetDataSource(&db);
        message.Apply();
        EXPECT_EQ(Scalar("SELECT Priority FROM SYSTEM_MESSAGE WHERE Id=?", {message.ID()}).toInt(),
                  c.stored)
            << c.set;
        EXPECT_EQ(message.Priority(), c.read) << c.set;
    }
    db.Execute("UPDATE SYSTEM_MESSAGE SET Priority=7");
    SystemMessages messages;
    messages.SetDataSource(&db);
    messages.Load();
    EXPECT_EQ(messages.Item(1)->Priority(), "") << "a number of no priority";
}

TEST_F(Messages, NewMessagesWaitUnderTemporaryIdsAndLoadLatestFirst)
{
    SystemMessages messages;
    messages.SetDataSource(&db);
    const char* letters[] = {"H", "L", "M"};
    for (int i = 0; i < 3; ++i) {
        auto message = std::make_shared<SystemMessage>();
        message->SetTitle(QString("Title %1").arg(i));
        message->SetPriority(letters[i]);
        message->SetEffectiveFrom(QDateTime(QDate(2024, 3, i == 0 ? 20 : 1), QTime(12, 0)));
        messages.Add(message);
        EXPECT_EQ(message->ID(), QString("SS%1").arg(i));
    }
    messages.Apply();
    EXPECT_EQ(messages.Item(1)->ID(), "M0000000001");
    EXPECT_EQ(Scalar("SELECT EffectiveFrom FROM SYSTEM_MESSAGE WHERE Id='M0000000001'").toDateTime(),
              QDateTime(QDate(2024, 3, 20), QTime(0, 0)));

    messages.Load();
    QStringList titles;
    for (const auto& message : messages)
        titles << message->Title();
    EXPECT_EQ(titles.join(','), "Title 0,Title 1,Title 2") << "latest first, then by priority";
    messages.Item(2)->SetBody("Body");
    db.Execute("UPDATE SYSTEM_MESSAGE SET TmStamp='other'");
    EXPECT_THROW(messages.Apply(), NevixError);
}

} // namespace
