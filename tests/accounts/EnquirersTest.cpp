#include "support/AccountsTest.h"

namespace {

using EnquirersTest = AccountsTest;

TEST_F(EnquirersTest, LoadsByNameByIdsAndByUser)
{
    StoreEnquirer(QStringLiteral("CD456"), QStringLiteral("Beta"));
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("alpha"));
    StoreEnquirer(QStringLiteral("EF789"), QStringLiteral("Gamma"));
    EXPECT_EQ(LoadedEnquirers()->GetEnquirerIdsAsString(), QStringLiteral("AB123,CD456,EF789"));
    EXPECT_EQ(LoadedEnquirers(QStringLiteral("EF789,AB123"))->GetEnquirerIdsAsString(),
              QStringLiteral("AB123,EF789"));
    auto none = LoadedEnquirers(QStringLiteral(","));
    EXPECT_EQ(none->GetEnquirerIdsAsString(), QString());

    auto user = StoreUser(QStringLiteral("Bob"), QStringLiteral("pw"), {}, QStringLiteral("CD456,EF789"));
    EXPECT_EQ(LoadedUser(QStringLiteral("bob"))->Enquirers()->GetEnquirerIdsAsString(),
              QStringLiteral("CD456,EF789"));

    auto all = LoadedEnquirers();
    EXPECT_NE(all->Find(QStringLiteral("AB123")), nullptr);
    EXPECT_EQ(all->Find(QStringLiteral("ab123")), nullptr) << "Find compares exactly";
    EXPECT_TRUE(all->Exists(QStringLiteral("ab123"))) << "the key does not";
}

TEST_F(EnquirersTest, ReasonsAddedWithoutLoadingTheStoredOnes)
{
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Acme"), {"01AA"});
    auto enquirer = LoadedEnquirers()->Item(1);
    auto added = std::make_shared<EnquiryReason>();
    added->SetEnquiryCode(QStringLiteral("09ZZ"));
    enquirer->AddEnquiryReason(added);
    EXPECT_EQ(added->EnquirerId(), QStringLiteral("AB123"));
    EXPECT_EQ(added->ID(), QStringLiteral("AB123001")) << "the stored reasons are not in memory";
    EXPECT_EQ(enquirer->EnquiryReasons()->Count(), 1);
    EXPECT_TRUE(enquirer->IsDirty()) << "through its reasons";
}

TEST_F(EnquirersTest, DeletionTakesReasonsAndLinksInOneTransaction)
{
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Acme"), {"01AA", "02BB"});
    StoreEnquirer(QStringLiteral("CD456"), QStringLiteral("Beta"), {"01AA"});
    StoreUser(QStringLiteral("Bob"), QStringLiteral("pw"), {}, QStringLiteral("AB123,CD456"));

    // Changed by another installation since it was loaded: nothing goes.
    auto stale = LoadedEnquirers()->Find(QStringLiteral("AB123"));
    auto other = Other();
    Enquirers elsewhere;
    elsewhere.SetDataSource(other.get());
    elsewhere.Load();
    elsewhere.Item(1)->SetName(QStringLiteral("Acme Ltd"));
    world.clock().Advance(1);
    elsewhere.Apply();
    stale->SetIsDeleted(true);
    try {
        stale->Apply();
        FAIL() << "a stale stamp must be refused";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::Concurrency);
        EXPECT_EQ(e.Description(), QStringLiteral("Concurrency prevented update."));
    }
    EXPECT_TRUE(stale->IsDirty());
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRY_REASON")), 3);
    EXPECT_EQ(CountRows(QStringLiteral("USER_ENQUIRER_LINK")), 2);
    EXPECT_EQ(db.TransactionCount(), 0);

    // Its reasons were never loaded; the delete takes them all the same.
    auto fresh = LoadedEnquirers();
    fresh->Find(QStringLiteral("AB123"))->SetIsDeleted(true);
    fresh->Apply();
    EXPECT_EQ(fresh->GetEnquirerIdsAsString(), QStringLiteral("CD456"));
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRER")), 1);
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRY_REASON"), QStringLiteral("EnquirerId='AB123'")), 0);
    EXPECT_EQ(CountRows(QStringLiteral("USER_ENQUIRER_LINK")), 1);
}

TEST_F(EnquirersTest, AFailedCollectionApplyKeepsEveryChangeForTheNextTry)
{
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Acme"), {"01AA"});
    StoreEnquirer(QStringLiteral("CD456"), QStringLiteral("Beta"));
    auto enquirers = LoadedEnquirers();
    auto reason = enquirers->Item(1)->EnquiryReasons()->Item(1);
    reason->SetIsDefault(true);
    enquirers->Item(2)->SetName(QStringLiteral("Beta 2"));
    db.Execute(QStringLiteral("UPDATE ENQUIRER SET TmStamp='elsewhere' WHERE EnquirerId='CD456'"));

    EXPECT_THROW(enquirers->Apply(), NevixError);
    EXPECT_TRUE(reason->IsDirty()) << "the first enquirer's reason was rolled back with the rest";
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRY_REASON"), QStringLiteral("IsDefault=1")), 0);

    enquirers->Item(2)->SetOldTimeStamp(QStringLiteral("elsewhere"));
    enquirers->Apply();
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRY_REASON"), QStringLiteral("IsDefault=1")), 1);
}

} // namespace
