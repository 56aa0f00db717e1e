#include "support/AccountsTest.h"

namespace {

using EnquirersTest = AccountsTest;

TEST_F(EnquirersTest, LoadsByNameByIdsAndByUser)
{
    StoreEnquirer("CD456", "Beta");
    StoreEnquirer("AB123", "alpha");
    StoreEnquirer("EF789", "Gamma");
    EXPECT_EQ(LoadedEnquirers()->GetEnquirerIdsAsString(), "AB123,CD456,EF789");
    EXPECT_EQ(LoadedEnquirers("EF789,AB123")->GetEnquirerIdsAsString(), "AB123,EF789");
    auto none = LoadedEnquirers(",");
    EXPECT_EQ(none->GetEnquirerIdsAsString(), QString());

    auto user = StoreUser("Bob", "pw", {}, "CD456,EF789");
    EXPECT_EQ(LoadedUser("bob")->Enquirers()->GetEnquirerIdsAsString(), "CD456,EF789");

    auto all = LoadedEnquirers();
    EXPECT_NE(all->Find("AB123"), nullptr);
    EXPECT_EQ(all->Find("ab123"), nullptr) << "Find compares exactly";
    EXPECT_TRUE(all->Exists("ab123")) << "the key does not";
}

TEST_F(EnquirersTest, ReasonsAddedWithoutLoadingTheStoredOnes)
{
    StoreEnquirer("AB123", "Acme", {"01AA"});
    auto enquirer = LoadedEnquirers()->Item(1);
    auto added = std::make_shared<EnquiryReason>();
    added->SetEnquiryCode("09ZZ");
    enquirer->AddEnquiryReason(added);
    EXPECT_EQ(added->EnquirerId(), "AB123");
    EXPECT_EQ(added->ID(), "AB123001") << "the stored reasons are not in memory";
    EXPECT_EQ(enquirer->EnquiryReasons()->Count(), 1);
    EXPECT_TRUE(enquirer->IsDirty()) << "through its reasons";
}

TEST_F(EnquirersTest, DeletionTakesReasonsAndLinksInOneTransaction)
{
    StoreEnquirer("AB123", "Acme", {"01AA", "02BB"});
    StoreEnquirer("CD456", "Beta", {"01AA"});
    StoreUser("Bob", "pw", {}, "AB123,CD456");

    // Changed by another installation since it was loaded: nothing goes.
    auto stale = LoadedEnquirers()->Find("AB123");
    auto other = Other();
    Enquirers elsewhere;
    elsewhere.SetDataSource(other.get());
    elsewhere.Load();
    elsewhere.Item(1)->SetName("Acme Ltd");
    world.clock().Advance(1);
    elsewhere.Apply();
    stale->SetIsDeleted(true);
    try {
        stale->Apply();
        FAIL() << "a stale stamp must be refused";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::Concurrency);
        EXPECT_EQ(e.Description(), "Concurrency prevented update.");
    }
    EXPECT_TRUE(stale->IsDirty());
    EXPECT_EQ(CountRows("ENQUIRY_REASON"), 3);
    EXPECT_EQ(CountRows("USER_ENQUIRER_LINK"), 2);
    EXPECT_EQ(db.TransactionCount(), 0);

    // Its reasons were never loaded; the delete takes them all the same.
    auto fresh = LoadedEnquirers();
    fresh->Find("AB123")->SetIsDeleted(true);
    fresh->Apply();
    EXPECT_EQ(fresh->GetEnquirerIdsAsString(), "CD456");
    EXPECT_EQ(CountRows("ENQUIRER"), 1);
    EXPECT_EQ(CountRows("ENQUIRY_REASON", "EnquirerId='AB123'"), 0);
    EXPECT_EQ(CountRows("USER_ENQUIRER_LINK"), 1);
}

TEST_F(EnquirersTest, AFailedCollectionApplyKeepsEveryChangeForTheNextTry)
{
    StoreEnquirer("AB123", "Acme", {"01AA"});
    StoreEnquirer("CD456", "Beta");
    auto enquirers = LoadedEnquirers();
    auto reason = enquirers->Item(1)->EnquiryReasons()->Item(1);
    reason->SetIsDefault(true);
    enquirers->Item(2)->SetName("Beta 2");
    db.Execute("UPDATE ENQUIRER SET TmStamp='elsewhere' WHERE EnquirerId='CD456'");

    EXPECT_THROW(enquirers->Apply(), NevixError);
    EXPECT_TRUE(reason->IsDirty()) << "the first enquirer's reason was rolled back with the rest";
    EXPECT_EQ(CountRows("ENQUIRY_REASON", "IsDefault=1"), 0);

    enquirers->Item(2)->SetOldTimeStamp("elsewhere");
    enquirers->Apply();
    EXPECT_EQ(CountRows("ENQUIRY_REASON", "IsDefault=1"), 1);
}

} // namespace
