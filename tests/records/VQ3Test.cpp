#include "support/DatabaseTest.h"

#include "records/JuxMessageErrors.h"
#include "records/VQ3.h"
#include "records/VQ3Enquiries.h"

namespace {

QDateTime Day(int day)
{
    return QDateTime(QDate(2024, 3, day), QTime(0, 0));
}

struct Response {
    QString VRM() const { return vrm; }
    QString EnquiryReference() const { return reference; }
    int32_t VQ3Controlreference() const { return control; }
    NullableDate DateOfEvent() const { return date; }
    QString vrm;
    QString reference;
    int32_t control = 0;
    NullableDate date;
};

class EnquiryRecord : public DatabaseTest {
protected:
    std::shared_ptr<VQ3> Enquiry(const QString& vrm, const QString& reference = "R1")
    {
        auto enquiry = std::make_shared<VQ3>();
        enquiry->SetDataSource(&db);
        enquiry->SetVRMVIN(vrm);
        enquiry->SetEnquiryReference(reference);
        enquiry->SetDateOfEvent(Day(10));
        return enquiry;
    }
    std::shared_ptr<VQ3> Reloaded(const QString& id)
    {
        auto enquiry = std::make_shared<VQ3>();
        enquiry->SetDataSource(&db);
        enquiry->SetID(id);
        enquiry->Load();
        return enquiry;
    }
};

TEST_F(EnquiryRecord, ElementForTheService)
{
    VQ3 enquiry;
    enquiry.SetDateOfEvent(QDateTime(QDate(2024, 3, 5), QTime(13, 0)));
    EXPECT_EQ(enquiry.GetNevixMessageXmlString(),
              "<VQ3><DateOfEvent>2024-03-05</DateOfEvent><DateOfEnquiry></DateOfEnquiry><VRM></VRM></VQ3>");
    enquiry.SetVRMVIN(" ab 12 cde ");
    enquiry.SetEnquirerId("A&<01");
    enquiry.SetEnquiryReference("R&<1");
    enquiry.SetSkipVRMValidation(true);
    EXPECT_EQ(enquiry.GetNevixMessageXmlString(),
              "<VQ3><DateOfEvent>2024-03-05</DateOfEvent><DateOfEnquiry></DateOfEnquiry><VRM>AB12CDE</VRM>"
              "<EnquirerId>A&<01</EnquirerId><EnquiryReference>R&amp;&lt;1</EnquiryReference>"
              "<SkipVRMValidation>true</SkipVRMValidation></VQ3>");
    enquiry.SetVRMVIN("VIN45678");
    EXPECT_TRUE(enquiry.GetNevixMessageXmlString().contains("<VIN>VIN45678</VIN>"));
}

TEST_F(EnquiryRecord, SavedWithItsErrorsAndAReferenceThatIsNeverEmpty)
{
    auto enquiry = Enquiry("ab 1", "");
    enquiry->SetComputerName(QString(60, 'C'));
    enquiry->AddError("JX500", "Bad mark");
    enquiry->Apply();

    const QString id = enquiry->ID();
    EXPECT_TRUE(id.startsWith('Q'));
    EXPECT_EQ(enquiry->EnquiryReference(), "NC3:" + id);
    EXPECT_FALSE(enquiry->IsDirty());
    auto loaded = Reloaded(id);
    EXPECT_EQ(loaded->EnquiryReference(), "NC3:" + id);
    EXPECT_EQ(loaded->VRMVIN(), "AB1");
    EXPECT_EQ(loaded->ComputerName().size(), 50);
    ASSERT_EQ(loaded->Errors()->Count(), 1);
    EXPECT_EQ(loaded->Errors()->Item(1)->JuxMsgReference(), enquiry->JuxMsgReference());
    loaded->SetVRMVIN("ab1");
    EXPECT_FALSE(loaded->IsDirty());

    // A new check replaces the program's own findings and keeps the service's.
    for (const char* code : {"jx501", "JX5011", "NS500", "X500"})
        loaded->AddError(code, "x");
    loaded->ClearValidatableErrors("JX500,JX501");
    loaded->Apply();
    EXPECT_EQ(Scalar("SELECT group_concat(ErrorCode) FROM (SELECT ErrorCode FROM JUX_MSG_ERROR ORDER BY 1)"),
              "JX5011,NS500,X500");
    EXPECT_EQ(loaded->Errors()->Count(), 3);

    loaded->SetToDeleteErrors();
    loaded->Apply();
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 0);
}

// A load makes the fresh reference only where the row has none: an empty
// one stays empty, a stored one stays.
TEST_F(EnquiryRecord, ARowWithoutAReferenceLoadsWithAFreshOne)
{
    db.Execute("INSERT INTO VQ3_Enquiries (VQ3ID, VRM, JuxMsgReference, IsTest, TmStamp) VALUES "
               "('Q1', 'A1', NULL, 0, '1'), ('Q2', 'A2', NULL, 0, '1'), ('Q3', 'A3', '', 0, '1'), "
               "('Q4', 'A4', '{KEPT}', 0, '1')");
    VQ3Enquiries enquiries;
    enquiries.SetDataSource(&db, false);
    enquiries.Load({});
    ASSERT_EQ(enquiries.Count(), 4);
    const QString first = enquiries.Item("Q1")->JuxMsgReference();
    EXPECT_EQ(first.size(), 38);
    EXPECT_NE(first, enquiries.Item("Q2")->JuxMsgReference());
    EXPECT_EQ(enquiries.Item("Q3")->JuxMsgReference(), "");
    EXPECT_EQ(enquiries.Item("Q4")->JuxMsgReference(), "{KEPT}");
    EXPECT_FALSE(enquiries.Item("Q1")->IsDirty());
    EXPECT_EQ(Reloaded("Q1")->JuxMsgReference().size(), 38);
    EXPECT_NE(Reloaded("Q1")->JuxMsgReference(), first);
}

TEST_F(EnquiryRecord, DeletingTakesTheErrorRowsAndANeverSavedOneTouchesNothing)
{
    auto kept = Enquiry("KEEP");
    kept->AddError("JX500", "kept");
    kept->Apply();
    auto enquiry = Enquiry("GONE");
    enquiry->AddError("JX500", "gone");
    enquiry->Apply();

    auto loaded = Reloaded(enquiry->ID());
    loaded->SetIsDeleted(true);
    loaded->Apply();
    EXPECT_EQ(CountRows("VQ3_Enquiries"), 1);
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 1);

    auto never = Enquiry("NEW", "");
    never->SetIsDeleted(true);
    never->Apply();
    EXPECT_EQ(never->EnquiryReference(), "");
    EXPECT_EQ(CountRows("VQ3_Enquiries"), 1);
}

TEST_F(EnquiryRecord, DeletedAfterItsErrorsWereSetToGoItIsCleanAndASecondApplyDoesNothing)
{
    auto enquiry = Enquiry("GONE");
    enquiry->AddError("JX500", "gone");
    enquiry->Apply();
    auto loaded = Reloaded(enquiry->ID());
    loaded->SetToDeleteErrors();
    loaded->SetIsDeleted(true);
    loaded->Apply();
    EXPECT_FALSE(loaded->IsDirty());
    EXPECT_NO_THROW(loaded->Apply());
    EXPECT_EQ(CountRows("VQ3_Enquiries"), 0);
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 0);
}

TEST_F(EnquiryRecord, AConcurrentChangeWritesNothingAndKeepsTheChanges)
{
    auto enquiry = Enquiry("AB1");
    enquiry->Apply();
    auto loaded = Reloaded(enquiry->ID());
    loaded->SetEnquiryReference("MINE");
    loaded->AddError("JX506", "x");
    Other()->Execute("UPDATE VQ3_Enquiries SET TmStamp='other'");

    EXPECT_THROW(loaded->Apply(), NevixError);
    EXPECT_TRUE(loaded->IsDirty());
    EXPECT_EQ(loaded->Errors()->Count(), 1);
    EXPECT_TRUE(loaded->Errors()->Item(1)->IsNew());
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 0);
    EXPECT_EQ(Scalar("SELECT Enquiry_Reference FROM VQ3_Enquiries"), "R1");
    EXPECT_EQ(db.TransactionCount(), 0);
    EXPECT_TRUE(Reloaded("NO SUCH ID")->IsNew());
}

TEST_F(EnquiryRecord, MatchedToAResponseByMarkReferenceDateAndControlReference)
{
    auto enquiry = Enquiry("AB1");
    enquiry->SetControlReference(7);
    enquiry->SetAutoImport(true);
    enquiry->Apply();

    VQ3 match;
    match.SetDataSource(&db);
    const struct {
        Response response;
        bool notYetExported;
        bool found;
    } cases[] = {{{"ab1", "r1", 0, Day(10)}, false, true},     {{"AB1", "R1", 7, Day(10)}, true, true},
                 {{"AB1", "R1", 8, Day(10)}, false, false},    {{"AB1", "R1", 0, Day(11)}, false, false},
                 {{"AB1", "R'1", 0, Day(10)}, false, false},   {{"AB1", "R1", 0, std::nullopt}, false, false}};
    for (const auto& c : cases) {
        match.LoadByMatchedVQ7(c.response, c.notYetExported);
        EXPECT_EQ(match.IsNew(), !c.found) << c.response.reference.toStdString() << c.response.control;
    }
    enquiry->SetAutoResponseExported(true);
    enquiry->Apply();
    match.LoadByMatchedVQ7(Response{"AB1", "R1", 7, Day(10)}, true);
    EXPECT_TRUE(match.IsNew());
}

TEST_F(EnquiryRecord, TextExportLinesHaveSeventeenFields)
{
    auto enquiry = Enquiry("AB1");
    enquiry->SetWhenSent(QDateTime(QDate(2024, 3, 15), QTime(9, 5)));
    const QStringList fields = enquiry->ColumnsToString().split('\t');
    ASSERT_EQ(fields.size(), 17);
    EXPECT_EQ(VQ3::ColumnHeadingsToString().split('\t').size(), 17);
    EXPECT_EQ(fields[3], "10 March 2024");
    EXPECT_EQ(fields[9], "15 March 2024 09:05");
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(enquiry->ToString(), "AB1, 20240310, R1");
}

} // namespace
