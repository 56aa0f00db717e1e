#include "ExchangeTest.h"

#include "service/SendVehicleEnquiriesToNevixServer.h"

#include "database/SysParameters.h"
#include "records/VQ3Enquiries.h"

namespace {

class SendEnquiriesTest : public ExchangeTest {
protected:
    void Prepare(int16_t batchSize, const QStringList& references)
    {
        SysParameters parameters;
        parameters.SetDataSource(&GlobalDatabase());
        parameters.Load();
        parameters.SetBatchSize(batchSize);
        parameters.Apply();
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&GlobalDatabase(), false);
        for (int n = 0; n < references.size(); ++n) {
            const QString& reference = references[n];
            auto enquiry = std::make_shared<VQ3>();
            enquiry->SetVRMVIN(QStringLiteral("%1%1%2%2%1%1%1").arg(QChar(u'A' + n)).arg(n + 1));
            enquiry->SetDateOfEvent(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
            enquiry->SetEnquiryReference(reference);
            enquiry->SetEnquiryCode(QStringLiteral("01AA"));
            enquiries.Add(enquiry);
        }
        enquiries.Apply();
    }
    QVariant Column(const QString& column, const QString& reference) const
    {
        return Scalar(QStringLiteral("select ") + column + QStringLiteral(" from VQ3_Enquiries where Enquiry_Reference=?"),
                      {reference});
    }
};

TEST_F(SendEnquiriesTest, BatchesOfTheBatchSizeEachGetANewControlReference)
{
    Prepare(2, {"R1", "R2", "R3"});
    SendVehicleEnquiriesToNevixServer(log, results);

    EXPECT_EQ(Types(), (QStringList{"VQ3Enquiry", "VQ3Enquiry"}));
    EXPECT_EQ(requests[0].second.count(QStringLiteral("<VQ3>")), 2);
    EXPECT_EQ(requests[1].second.count(QStringLiteral("<VQ3>")), 1);
    EXPECT_EQ(results.VQ3sSent(), 3);
    EXPECT_EQ(results.FatalVQ3ErrorMessage(), QString());
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent is null")), 0);
    const int first = Column("Control_Reference", "R1").toInt();
    EXPECT_GT(first, 0);
    EXPECT_EQ(Column("Control_Reference", "R2").toInt(), first);
    EXPECT_EQ(Column("Control_Reference", "R3").toInt(), first + 1);
    EXPECT_TRUE(requests[1].second.contains(QStringLiteral("<ControlReference>%1</ControlReference>").arg(first + 1)));
    EXPECT_EQ(Lines(32).mid(1), (QStringList{"3 Vehicle Enquiries ready for sending", "3 Vehicle Enquiries sent",
                                             "None Vehicle Enquiries returned from server with warnings"}));

    // Nothing left to send.
    requests.clear();
    SendVehicleEnquiriesToNevixServer(log, results);
    EXPECT_TRUE(requests.isEmpty());
    EXPECT_EQ(Lines(32).last(), QStringLiteral("There are no Vehicle Enquiries to send"));
}

TEST_F(SendEnquiriesTest, WarnedEnquiriesReturnToUnsentWithTheServiceErrors)
{
    answers[NevixMessageTypes::VQ3Enquiry] = QStringLiteral("warn-vq3-enquiries.xml");
    Prepare(10, {"R1", "R2", "R3"});
    SendVehicleEnquiriesToNevixServer(log, results);

    EXPECT_EQ(results.VQ3Warnings(), 2);
    EXPECT_EQ(results.VQ3sSent(), 1);
    EXPECT_TRUE(Column("When_Sent", "R1").isValid() && !Column("When_Sent", "R1").isNull());
    EXPECT_TRUE(Column("When_Sent", "R2").isNull());
    EXPECT_TRUE(Column("When_Prepared", "R2").isNull());
    EXPECT_GT(Column("Control_Reference", "R2").toInt(), 0);
    EXPECT_EQ(CountRows(QStringLiteral("JUX_MSG_ERROR")), 2);
    EXPECT_TRUE(Lines(64).contains(QStringLiteral("VRM BB22BBB,Date of event & VRM differ")));
    EXPECT_EQ(results.FatalVQ3ErrorMessage(),
              QStringLiteral("Unable to match Enquiry Reference from NEVIX Service: NOPE"));
    ASSERT_EQ(world.ui().boxes.size(), 1);
}

TEST_F(SendEnquiriesTest, ARejectedBatchStopsSendingAndKeepsItsReference)
{
    answers[NevixMessageTypes::VQ3Enquiry] = QStringLiteral("err.xml");
    Prepare(1, {"R1", "R2"});
    SendVehicleEnquiriesToNevixServer(log, results);

    EXPECT_EQ(Types(), QStringList{"VQ3Enquiry"});
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent is null")), 2);
    const int reference = Column("Control_Reference", "R1").toInt();
    EXPECT_GT(reference, 0);
    EXPECT_EQ(Column("Control_Reference", "R2").toInt(), 0);
    EXPECT_EQ(Lines(256), (QStringList{"NS101:Invalid user name or password",
                                       QStringLiteral(" All VQ3 Enquiries in Control Reference %1 were rejected").arg(reference)}));
    EXPECT_EQ(results.FatalVQ3ErrorMessage(),
              QStringLiteral("NEVIX Service reported errors - please see log of details"));
    EXPECT_EQ(Lines(32).last(), QStringLiteral("None Vehicle Enquiries returned from server with warnings"));
}

} // namespace
