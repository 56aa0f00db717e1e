#include "support/DatabaseTest.h"

#include "core/ApplicationSettings.h"
#include "records/DVLAUtils.h"
#include "records/VQ7.h"
#include "records/VQ7Responses.h"

namespace {

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

class Response : public DatabaseTest {
protected:
    std::shared_ptr<VQ7> Bound()
    {
        auto response = std::make_shared<VQ7>();
        response->SetDataSource(&db);
        return response;
    }
    std::shared_ptr<VQ7> Reloaded(const QString& id)
    {
        auto response = Bound();
        response->SetID(id);
        response->Load();
        return response;
    }
};

TEST_F(Response, IsStoredWithDaysAsDaysAndAnEnquiryReferenceOfItsOwn)
{
    auto response = Bound();
    response->SetVRM("AB12CDE");
    response->SetDateOfResponse(At(2024, 3, 14, 16, 45));
    response->SetWhenReceived(At(2024, 3, 15, 10, 30));
    response->SetJuxExportedDate(At(2024, 3, 15, 11, 0));
    response->SetNumberOfKeepers(3);
    response->SetForAutoExport(true);
    response->SetComment("line one\r\nline two");
    response->Apply();

    const QString id = response->ID();
    EXPECT_TRUE(id.startsWith('R'));
    EXPECT_EQ(response->EnquiryReference(), "NC3" + id);
    EXPECT_FALSE(response->IsDirty());
    EXPECT_TRUE(response->BeenApplied());
    EXPECT_EQ(Scalar("SELECT Enquiry_Reference FROM VQ7_Responses WHERE VQ7ID=?", {id}).toString(),
              "NC3" + id);
    EXPECT_EQ(Scalar("SELECT Comment FROM VQ7_Responses").toString(), "line one\\nline two");

    auto stored = Reloaded(id);
    EXPECT_FALSE(stored->IsNew());
    EXPECT_FALSE(stored->IsDirty());
    EXPECT_EQ(stored->VRM(), "AB12CDE");
    EXPECT_EQ(stored->DateOfResponse(), At(2024, 3, 14));
    EXPECT_EQ(stored->WhenReceived(), At(2024, 3, 15, 10, 30));
    EXPECT_EQ(stored->JuxExportedDate(), At(2024, 3, 15));
    EXPECT_EQ(stored->NumberOfKeepers(), 3);
    EXPECT_TRUE(stored->ForAutoExport());
    EXPECT_TRUE(stored->IsLegacyData());
    EXPECT_EQ(stored->Comment(), "line one\r\nline two");
    EXPECT_EQ(stored->JuxMsgReference(), response->JuxMsgReference());

    // The stamp of the second write is the one kept: a further update fits.
    response->SetMake("Ford");
    EXPECT_NO_THROW(response->Apply());
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(Response, ChangesAreJudgedByTheRulesOfEachProperty)
{
    auto response = Bound();
    response->SetVRM("ab12cde");
    response->SetMake("ford");
    response->Apply();
    const QString id = response->ID();

    struct Case {
        const char* name;
        std::function<void(VQ7&)> change;
        bool dirty;
    };
    const Case cases[] = {
        {"make only in case", [](VQ7& r) { r.SetMake("FORD"); }, false},
        {"id only in case", [&](VQ7& r) { r.SetID(id.toLower()); }, false},
        {"vrm only in case", [](VQ7& r) { r.SetVRM("AB12CDE"); }, true},
        {"date from null", [](VQ7& r) { r.SetDateOfTheft(At(2020, 1, 1)); }, true},
        {"same number", [](VQ7& r) { r.SetControlReference(0); }, false},
        {"memory-only control reference", [](VQ7& r) { r.SetVQ3Controlreference(5); }, false},
        {"errors added", [](VQ7& r) { r.AddError("E2200", "No trace"); }, false},
        {"errors to delete", [](VQ7& r) { r.SetToDeleteErrors(); }, true},
    };
    for (const Case& c : cases) {
        auto stored = Reloaded(id);
        c.change(*stored);
        EXPECT_EQ(stored->IsDirty(), c.dirty) << c.name;
    }
}

TEST_F(Response, TypedBackslashNReadsBackAsALineBreak)
{
    VQ7 response;
    response.SetComment("C:\\new");
    EXPECT_EQ(response.Comment(), "C:\r\new");
}

TEST_F(Response, RowWithoutReferenceGetsAFreshOneAndLoadOfNoRowIsNew)
{
    db.Execute("INSERT INTO VQ7_Responses (VQ7ID, VRM, TmStamp) VALUES ('R1','X1','1')");
    auto first = Reloaded("R1");
    auto second = Reloaded("R1");
    EXPECT_EQ(first->JuxMsgReference().size(), 38);
    EXPECT_NE(first->JuxMsgReference(), second->JuxMsgReference());
    EXPECT_FALSE(first->IsDirty());

    auto missing = Reloaded("R404");
    EXPECT_TRUE(missing->IsNew());
    EXPECT_TRUE(missing->ID().isEmpty());
    EXPECT_EQ(missing->ColumnsToString(), "0" + QString(18, '\t'));
    EXPECT_FALSE(missing->IsLegacyData());
    EXPECT_EQ(VQ7::ColumnHeadingsToString().count('\t'), 13);
}

// A list load makes the fresh reference only where the row has none: an
// empty one stays empty, a stored one stays.
TEST_F(Response, AListLoadGivesAFreshReferenceOnlyToARowWithoutOne)
{
    db.Execute("INSERT INTO VQ7_Responses (VQ7ID, Control_Reference, JuxMsgReference, TmStamp) VALUES "
               "('R1', 5, NULL, '1'), ('R2', 5, NULL, '1'), ('R3', 5, '', '1'), ('R4', 5, '{KEPT}', '1')");
    VQ7Responses responses;
    responses.SetDataSource(&db, false);
    responses.LoadByControlReference(5);
    ASSERT_EQ(responses.Count(), 4);
    const QString first = responses.Item("R1")->JuxMsgReference();
    EXPECT_EQ(first.size(), 38);
    EXPECT_NE(first, responses.Item("R2")->JuxMsgReference());
    EXPECT_EQ(responses.Item("R3")->JuxMsgReference(), "");
    EXPECT_EQ(responses.Item("R4")->JuxMsgReference(), "{KEPT}");
    EXPECT_FALSE(responses.Item("R1")->IsDirty());
}

TEST_F(Response, ErrorsAreWrittenWithTheRowAndGoWithIt)
{
    auto response = Bound();
    response->SetVRM("AB12CDE");
    response->SetEnquiryReference("REF1");
    response->AddError("E2200", "No trace");
    response->AddError("NS601", "Paper to follow");
    response->Apply();
    const QString reference = response->JuxMsgReference();
    EXPECT_EQ(CountRows("JUX_MSG_ERROR", "JuxMsgReference='" + reference + "'"), 2);

    auto stored = Reloaded(response->ID());
    EXPECT_EQ(stored->GetErrors().Count(), 2);
    ASSERT_NE(stored->GetErrors().Find("NS601"), nullptr);

    stored->SetToDeleteErrors();
    stored->Apply();
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 0);
    EXPECT_EQ(CountRows("VQ7_Responses"), 1);

    stored->AddError("E2201", "Scrapped");
    stored->SetIsDeleted(true);
    stored->SetEnquiryReference("");
    stored->Apply();
    EXPECT_EQ(CountRows("VQ7_Responses"), 0);
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 0);
    EXPECT_TRUE(stored->EnquiryReference().isEmpty());
}

TEST_F(Response, ARowChangedElsewhereIsNotOverwritten)
{
    auto response = Bound();
    response->SetEnquiryReference("REF1");
    response->Apply();
    Other()->Execute("UPDATE VQ7_Responses SET TmStamp='other'");

    response->SetMake("Ford");
    response->AddError("E2200", "No trace");
    try {
        response->Apply();
        FAIL() << "no concurrency error";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::Concurrency);
        EXPECT_EQ(e.Description(), "Concurrency prevented update.");
    }
    EXPECT_TRUE(response->IsDirty());
    EXPECT_TRUE(response->GetErrors().IsDirty());
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 0);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST(DVLAUtils, ServiceErrorsBecomeResultCodesAndCodesTheirTexts)
{
    TestWorld world;
    const std::pair<const char*, const char*> toCode[] = {
        {"E2200", "A"}, {"E2206", "G"}, {"NS500", "G"}, {"NS504", "H"}, {"E2209", "J"},
        {"e2200", "J"}, {" E2200", "J"}, {"E2200 ", "J"}, {"", "J"}, {"NS501", "J"},
        {"NS601", "1"},
    };
    for (const auto& [code, result] : toCode)
        EXPECT_EQ(ServiceErrorToDVLACode(code), result) << code;

    const std::pair<const char*, const char*> hardCopy[] = {
        {"K", "K"}, {"NONE", ""}, {"none", ""}, {"xNoNex", ""}, {"", ""}, {" 2 ", " 2 "}};
    for (const auto& [setting, result] : hardCopy) {
        Settings().SetHardCopyResponseCode(setting);
        EXPECT_EQ(ServiceErrorToDVLACode("NS601"), result) << setting;
    }

    const std::pair<const char*, const char*> toText[] = {
        {"1", "Hardcopy response to follow"}, {"K", "Hardcopy response to follow"},
        {"A", "No trace of VRM at DVLA"}, {"J", "Invalid date of enquiry"},
        {"a", "a"}, {"I", "I"}, {"X", "X"}, {"", ""},
    };
    for (const auto& [code, text] : toText)
        EXPECT_EQ(DVLACodeText(code), text) << code;
}

} // namespace
