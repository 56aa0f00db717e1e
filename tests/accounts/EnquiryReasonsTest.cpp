#include "support/AccountsTest.h"

namespace {

using EnquiryReasonsTest = AccountsTest;

std::shared_ptr<EnquiryReason> Reason(const QString& id = {}, const QString& enquirerId = "AB123")
{
    auto reason = std::make_shared<EnquiryReason>();
    reason->SetEnquirerId(enquirerId);
    reason->SetID(id);
    return reason;
}

TEST_F(EnquiryReasonsTest, AddGivesTheLowestFreeIdAmongTheMembersInMemory)
{
    EnquiryReasons reasons;
    auto first = Reason();
    reasons.Add(first);
    EXPECT_EQ(first->ID(), "AB123001");
    reasons.Add(Reason("AB123003"));
    auto gap = Reason();
    reasons.Add(gap);
    EXPECT_EQ(gap->ID(), "AB123002");

    first->SetIsDeleted(true); // still in memory: its id stays taken
    auto next = Reason();
    reasons.Add(next);
    EXPECT_EQ(next->ID(), "AB123004");
    EXPECT_THROW(reasons.Add(Reason("ab123004")), NevixError) << "duplicate key";
}

TEST_F(EnquiryReasonsTest, DownloadRewriteDeletesFirstAndNumbersAboveTheOldOnes)
{
    auto enquirer = StoreEnquirer("AB123", "Acme", {"01AA", "02BB"});
    // Stored ids as the next download finds them; a Null cut-off loads as 180.
    db.Execute("UPDATE ENQUIRY_REASON SET DateOfEventCutOff=NULL");
    Enquirer reloaded;
    reloaded.SetDataSource(&db);
    reloaded.SetEnquirerId("AB123");
    auto reasons = reloaded.EnquiryReasons();
    ASSERT_EQ(reasons->Count(), 2);
    EXPECT_EQ(reasons->Item(1)->DateOfEventCutOff(), 180);

    for (const auto& reason : *reasons)
        reason->SetIsDeleted(true);
    auto replacement = std::make_shared<EnquiryReason>();
    replacement->SetEnquiryCode("01AA");
    replacement->SetDescription("Parking");
    reloaded.AddEnquiryReason(replacement);
    EXPECT_EQ(replacement->ID(), "AB123003");
    reasons->Apply();
    EXPECT_EQ(reasons->Count(), 1);
    EXPECT_EQ(Scalar("SELECT group_concat(Id) FROM ENQUIRY_REASON").toString(), "AB123003");

    reasons->Load("AB123");
    auto again = std::make_shared<EnquiryReason>();
    reloaded.AddEnquiryReason(again);
    EXPECT_EQ(again->ID(), "AB123001") << "the lowest free number again";
}

TEST_F(EnquiryReasonsTest, FindsCompareExactly)
{
    EnquiryReasons reasons;
    auto reason = Reason();
    reason->SetEnquiryCode("01AB");
    reason->SetDescription("Insurance claim");
    reasons.Add(reason);
    EXPECT_EQ(reason->DescriptionWithCode(), "01AB, Insurance claim");
    EXPECT_EQ(reasons.FindByEnquiryCode("01AB"), reason);
    EXPECT_EQ(reasons.FindByEnquiryCode("01ab"), nullptr);
    EXPECT_EQ(reasons.FindByDescription("insurance claim"), nullptr);
    EXPECT_EQ(reasons.FindByEnquirerIdAndEnquiryCode("AB123", "01AB"), reason);
    EXPECT_EQ(reasons.FindByEnquirerIdAndEnquiryCode("ab123", "01AB"), nullptr);
}

// Members as flag words: E enabled, D default; expected position, 0 none.
struct DefaultCase {
    const char* name;
    std::vector<const char*> members;
    int expected;
};

template <typename Collection, typename Pick>
int PickDefault(const DefaultCase& c, Pick pick)
{
    Collection members;
    for (const char* flags : c.members) {
        auto member = std::make_shared<typename Collection::Pointer::element_type>();
        member->SetEnquirerId(QStringLiteral("AB%1").arg(members.Count() + 100));
        member->SetIsEnabled(QByteArray(flags).contains('E'));
        member->SetIsDefault(QByteArray(flags).contains('D'));
        members.Add(member);
    }
    const auto picked = pick(members);
    for (int32_t i = 1; i <= members.Count(); ++i) {
        if (members.Item(i) == picked)
            return i;
    }
    return 0;
}

TEST(DefaultMember, EnquirersAndReasonsFollowOneRule)
{
    const DefaultCase cases[] = {
        {"empty", {}, 0}, {"one disabled default", {"D"}, 0},
        {"one enabled, not default", {"E"}, 1}, {"last enabled default wins", {"ED", "D", "ED"}, 3},
        {"no default: first enabled", {"", "E", "E"}, 2}, {"nothing enabled", {"D", ""}, 0},
    };
    for (const DefaultCase& c : cases) {
        EXPECT_EQ(PickDefault<Enquirers>(c, [](auto& e) { return e.DefaultEnquirer(); }), c.expected)
            << c.name;
        EXPECT_EQ(PickDefault<EnquiryReasons>(c, [](auto& r) { return r.DefaultReason(); }), c.expected)
            << c.name;
    }
}

} // namespace
