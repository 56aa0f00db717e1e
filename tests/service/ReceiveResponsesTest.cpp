#include "ExchangeTest.h"

#include "service/RequestVehicleResponsesFromNevixServer.h"

#include "database/SysParameters.h"
#include "records/VQ3Enquiries.h"

namespace {

class ReceiveResponsesTest : public ExchangeTest {
protected:
    ReceiveResponsesTest()
    {
        answers[NevixMessageTypes::VQ7AvailableRequest] = QStringLiteral("vq7-available.xml");
        answers[NevixMessageTypes::VQ7Request] = QStringLiteral("vq7-responses.xml");
        SysParameters parameters;
        parameters.SetDataSource(&GlobalDatabase());
        parameters.Load();
        parameters.SetTrimAsterisk(true);
        parameters.Apply();
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&GlobalDatabase(), false);
        for (const auto& [vrm, reference] : {std::pair{"AA11AAA", "R1"}, std::pair{"BB22BBB", "R2"}}) {
            auto enquiry = std::make_shared<VQ3>();
            enquiry->SetVRMVIN(QString::fromLatin1(vrm));
            enquiry->SetEnquiryReference(QString::fromLatin1(reference));
            enquiry->SetDateOfEvent(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
            enquiry->SetControlReference(57);
            enquiry->SetWhenSent(QDateTime(QDate(2024, 3, 14), QTime(9, 0)));
            enquiry->SetEnquirerId(QStringLiteral("AB123"));
            enquiry->SetEnquiryCode(QStringLiteral("01AA"));
            enquiries.Add(enquiry);
        }
        enquiries.Apply();
    }
    QVariant Column(const QString& column, const QString& reference) const
    {
        return Scalar(QStringLiteral("select ") + column + QStringLiteral(" from VQ7_Responses where Enquiry_Reference=?"),
                      {reference});
    }
};

TEST_F(ReceiveResponsesTest, ResponsesAreMatchedStoredAndThenAcknowledged)
{
    RequestVehicleResponsesFromNevixServer(log, results);

    EXPECT_EQ(Types(), (QStringList{"VQ7AvailableRequest", "VQ7Request", "VQ7Complete"}));
    EXPECT_TRUE(requests[1].second.contains(QStringLiteral("<ControlReference>57</ControlReference>")));
    // The reference asked for is acknowledged, not the answer's own.
    EXPECT_TRUE(requests[2].second.contains(QStringLiteral("<ControlReference>57</ControlReference>")));
    EXPECT_EQ(Lines(EventCodes::Warning),
              QStringList{"Responses requested for control reference 57 came back under control reference 901"});
    EXPECT_EQ(results.VQ7sReceived(), 2);
    EXPECT_EQ(results.FatalVQ7ErrorMessage(), QString());
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("Response_Received=1")), 2);
    EXPECT_EQ(Column("EnquirerId", "R1").toString(), QStringLiteral("AB123"));
    EXPECT_EQ(Column("Control_Reference", "R1").toInt(), 901);
    // Asterisks go from keeper details only.
    EXPECT_EQ(Column("Keeper_Name_1", "R1").toString(), QStringLiteral("SMITH"));
    EXPECT_EQ(Column("Keeper_Address_1", "R1").toString(), QStringLiteral("1 HIGH STREET"));
    EXPECT_EQ(Column("Make", "R1").toString(), QStringLiteral("FO*RD"));
    EXPECT_EQ(Column("Keeper_Name_Code || Keeper_Title_Code", "R1").toString(), QStringLiteral("32"));
    EXPECT_EQ(Column("Number_Of_Keepers", "R1").toInt(), 2);
    EXPECT_EQ(Column("Engine_Capacity", "R1").toString(), QStringLiteral("1600"));
    // The hard-copy response is known by its VIN and carries one error.
    EXPECT_EQ(Column("VRM", "R2").toString(), QStringLiteral("BB22BBB"));
    EXPECT_EQ(Column("Keeper_Name_Code || Keeper_Title_Code", "R2").toString(), QStringLiteral("55"));
    EXPECT_EQ(Column("DVLA_ERR_Code", "R2").toString(), QStringLiteral("X"));
    EXPECT_EQ(Scalar(QStringLiteral("select group_concat(ErrorCode) from JUX_MSG_ERROR")).toString(),
              QStringLiteral("NS601"));
    EXPECT_TRUE(Lines(64).contains(QStringLiteral("Control reference 57 acknowledged with NEVIX service")));

    // Offered again, the delivery stores nothing new but is acknowledged.
    requests.clear();
    TransmissionResults again;
    RequestVehicleResponsesFromNevixServer(log, again);
    EXPECT_EQ(Types().last(), QStringLiteral("VQ7Complete"));
    EXPECT_EQ(CountRows(QStringLiteral("VQ7_Responses")), 2);
    EXPECT_TRUE(Lines(64).contains(QStringLiteral("0 Responses received under control reference 57 and committed to system")));
}

TEST_F(ReceiveResponsesTest, AnUnacknowledgedFetchStoresAndAcknowledgesNothing)
{
    answers[NevixMessageTypes::VQ7Request] = QStringLiteral("err.xml");
    RequestVehicleResponsesFromNevixServer(log, results);

    EXPECT_EQ(Types(), (QStringList{"VQ7AvailableRequest", "VQ7Request"}));
    EXPECT_EQ(CountRows(QStringLiteral("VQ7_Responses")), 0);
    EXPECT_EQ(Lines(256), QStringList{"NS101:Invalid user name or password"});
    EXPECT_EQ(results.FatalVQ7ErrorMessage(),
              QStringLiteral("NEVIX Service reported errors - please see log of details"));
    EXPECT_EQ(Lines(32).last(), QStringLiteral("None Vehicle Responses received"));
}

} // namespace
