#include "ExchangeTest.h"

#include "service/SendVehicleEnquiriesToNevixServer.h"

#include "service/NevixCommsTest.h"

#include "database/SysParameters.h"
#include "records/VQ3Enquiries.h"

#include <QTimer>

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
    int32_t Counter() const
    {
        return Scalar(QStringLiteral("SELECT VQ3_Control_Reference FROM System_Parameters")).toInt();
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

TEST_F(SendEnquiriesTest, AnotherInstallationWritesWhileTheServiceHoldsTheAnswer)
{
    Prepare(10, {"R1", "R2"});
    db.Execute(QStringLiteral("CREATE TABLE Other_Work (Done INTEGER)"));
    bool otherWrote = false;
    alter = [&](const QString& type, const QString&, SimpleHttpServer::Answer&) {
        if (type != NevixMessageTypes::VQ3Enquiry)
            return;
        // The client waits for this answer: the file must be free to write.
        const auto other = Other();
        other->SetBusyRetry(0, 10);
        try {
            other->Execute(QStringLiteral("INSERT INTO Other_Work VALUES (1)"));
            otherWrote = true;
        } catch (const NevixError&) {
        }
    };
    SendVehicleEnquiriesToNevixServer(log, results);

    EXPECT_TRUE(otherWrote);
    EXPECT_EQ(results.VQ3sSent(), 2);
    EXPECT_EQ(results.FatalVQ3ErrorMessage(), QString());
    EXPECT_EQ(CountRows(QStringLiteral("Other_Work")), 1);
}

TEST_F(SendEnquiriesTest, AnAcceptedBatchWhoseOutcomeIsNotStoredGoesAgainUnderItsReference)
{
    Prepare(10, {"R1", "R2"});
    const int32_t before = Counter();
    db.Execute(QStringLiteral("CREATE TRIGGER fail_sent BEFORE UPDATE OF When_Sent ON VQ3_Enquiries "
                              "WHEN NEW.When_Sent IS NOT NULL BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END"));
    SendVehicleEnquiriesToNevixServer(log, results);

    ASSERT_EQ(Types(), QStringList{"VQ3Enquiry"});
    const int32_t reference = before + 1;
    EXPECT_EQ(Counter(), reference);
    EXPECT_TRUE(requests[0].second.contains(QStringLiteral("<ControlReference>%1</ControlReference>").arg(reference)));
    EXPECT_FALSE(results.FatalVQ3ErrorMessage().isEmpty());
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent IS NULL AND Control_Reference=%1").arg(reference)), 2);

    // The next run sends the same enquiries under the same reference.
    db.Execute(QStringLiteral("DROP TRIGGER fail_sent"));
    requests.clear();
    TransmissionResults next;
    SendVehicleEnquiriesToNevixServer(log, next);
    ASSERT_EQ(Types(), QStringList{"VQ3Enquiry"});
    EXPECT_TRUE(requests[0].second.contains(QStringLiteral("<ControlReference>%1</ControlReference>").arg(reference)));
    EXPECT_EQ(requests[0].second.count(QStringLiteral("<VQ3>")), 2);
    EXPECT_EQ(Counter(), reference) << "no reference drawn again";
    EXPECT_EQ(next.VQ3sSent(), 2);
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent IS NULL")), 0);
}

TEST_F(SendEnquiriesTest, AWarningWithoutDetailsSendsNothing)
{
    fill["<ResponseType>ACK"] = "<ResponseType>WARN";
    Prepare(10, {"R1", "R2"});
    SendVehicleEnquiriesToNevixServer(log, results);

    EXPECT_EQ(results.VQ3sSent(), 0);
    EXPECT_EQ(results.VQ3Warnings(), 0);
    EXPECT_EQ(Lines(EventCodes::Error), QStringList{"WARN answer without warning details"});
    EXPECT_EQ(results.FatalVQ3ErrorMessage(), QStringLiteral("WARN answer without warning details"));
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent IS NULL AND When_Prepared IS NULL")), 2);
    EXPECT_GT(Column("Control_Reference", "R1").toInt(), 0) << "kept for the next run";
}

// A connection that drops before the answer or half way through it.
class DroppedConnection : public SendEnquiriesTest, public ::testing::WithParamInterface<qsizetype> {};

TEST_P(DroppedConnection, IsAFailureAndTheBatchWaitsForTheNextRun)
{
    Prepare(10, {"R1", "R2"});
    alter = [&](const QString&, const QString&, SimpleHttpServer::Answer& answer) {
        answer.dropAfterBytes = GetParam();
    };
    SendVehicleEnquiriesToNevixServer(log, results);

    EXPECT_EQ(Types(), QStringList{"VQ3Enquiry"}) << "posted once, never again by itself";
    const QStringList errors = Lines(EventCodes::Error);
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.first().startsWith(QStringLiteral("JX001:Connection to NEVIX service failed ("))) << errors.first().toStdString();
    EXPECT_EQ(results.VQ3sSent(), 0);
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent IS NULL")), 2);
    const int reference = Column("Control_Reference", "R1").toInt();
    EXPECT_GT(reference, 0);

    alter = nullptr;
    requests.clear();
    TransmissionResults next;
    SendVehicleEnquiriesToNevixServer(log, next);
    ASSERT_EQ(Types(), QStringList{"VQ3Enquiry"});
    EXPECT_TRUE(requests[0].second.contains(QStringLiteral("<ControlReference>%1</ControlReference>").arg(reference)));
    EXPECT_EQ(next.VQ3sSent(), 2);
}

INSTANTIATE_TEST_SUITE_P(Drops, DroppedConnection, ::testing::Values(0, 150),
                         [](const ::testing::TestParamInfo<qsizetype>& info) {
                             return info.param == 0 ? std::string("BeforeTheAnswer") : std::string("MidAnswer");
                         });

TEST_F(SendEnquiriesTest, ACommsTestStartedDuringTheWaitIsRefusedAndTheSendCompletes)
{
    Prepare(10, {"R1", "R2"});
    LogLines nestedLog;
    bool nestedResult = true;
    alter = [&](const QString& type, const QString&, SimpleHttpServer::Answer& answer) {
        if (type != NevixMessageTypes::VQ3Enquiry)
            return;
        // Held, so that a window event runs while the client still waits.
        answer.delayMilliseconds = 200;
        QTimer::singleShot(0, [&] { nestedResult = RunNevixCommsTest(nestedLog); });
    };
    SendVehicleEnquiriesToNevixServer(log, results);

    EXPECT_FALSE(nestedResult);
    QStringList nestedErrors;
    for (const auto& line : nestedLog.NewEnum())
        if (line->EventCode() == EventCodes::Error)
            nestedErrors.append(line->EventText());
    EXPECT_EQ(nestedErrors, QStringList{"JX001:Connection to NEVIX service failed (another exchange with the NEVIX "
                                        "service is under way)"});
    EXPECT_EQ(Types(), QStringList{"VQ3Enquiry"});
    EXPECT_EQ(results.VQ3sSent(), 2);
    EXPECT_EQ(results.FatalVQ3ErrorMessage(), QString());
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("When_Sent IS NULL")), 0);
}

} // namespace
