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
    // A delivery as the service sends it: its header names the reference
    // when one is given (0: none), then one response per enquiry of the
    // batch sent under the enquiry reference, each as enquiry reference,
    // VRM, date of response and number of previous keepers.
    struct Response {
        const char* reference;
        const char* vrm;
        const char* dateOfResponse = "2024-03-14";
        const char* keepers = "1";
    };
    static QByteArray Delivery(int headerReference, int batchReference, const QList<Response>& responses)
    {
        QString body;
        for (const Response& r : responses)
            body += QStringLiteral("<VQ7Response><ControlReference>%5</ControlReference><DateOfResponse>%1"
                                   "</DateOfResponse><VQ3><VRM>%2</VRM><DateOfEvent>2024-03-01</DateOfEvent>"
                                   "<EnquiryReference>%3</EnquiryReference></VQ3><VQ7><KeeperName><Surname>KEEPER"
                                   "</Surname></KeeperName><VehicleDetails><NumberOfPreviousKeepers>%4"
                                   "</NumberOfPreviousKeepers></VehicleDetails></VQ7></VQ7Response>")
                        .arg(QLatin1String(r.dateOfResponse), QLatin1String(r.vrm), QLatin1String(r.reference),
                             QLatin1String(r.keepers), QString::number(batchReference));
        const QString reference = headerReference > 0 ? QStringLiteral("<ControlReference>%1</ControlReference>")
                                                             .arg(headerReference)
                                                       : QString();
        return (QStringLiteral("<ns2:NSResponse xmlns:ns2=\"x\"><ResponseHeader><ResponseType>ACK</ResponseType>"
                               "<MessageType>VQ7Request</MessageType><MessageVersion>2.0</MessageVersion>") +
                reference + QStringLiteral("<MessageTimeStamp>2024-03-15T10:30:05Z</MessageTimeStamp>"
                                           "</ResponseHeader>") +
                body + QStringLiteral("</ns2:NSResponse>"))
            .toUtf8();
    }
    static QByteArray Available(const QList<int>& references)
    {
        QString list;
        for (int reference : references)
            list += QStringLiteral("<ControlReference>%1</ControlReference>").arg(reference);
        return QStringLiteral("<ns2:NSResponse xmlns:ns2=\"x\"><ResponseHeader><ResponseType>ACK</ResponseType>"
                              "<MessageType>VQ7AvailableRequest</MessageType><MessageVersion>1.0</MessageVersion>"
                              "<MessageTimeStamp>2024-03-15T10:30:05Z</MessageTimeStamp></ResponseHeader>"
                              "<ControlReferences>%1</ControlReferences></ns2:NSResponse>")
            .arg(list)
            .toUtf8();
    }
    void StoreEnquiry(const char* vrm, const char* reference, int32_t controlReference)
    {
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&GlobalDatabase(), false);
        auto enquiry = std::make_shared<VQ3>();
        enquiry->SetVRMVIN(QLatin1String(vrm));
        enquiry->SetEnquiryReference(QLatin1String(reference));
        enquiry->SetDateOfEvent(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
        enquiry->SetControlReference(controlReference);
        enquiry->SetWhenSent(QDateTime(QDate(2024, 3, 14), QTime(9, 0)));
        enquiry->SetEnquirerId(QStringLiteral("AB123"));
        enquiry->SetEnquiryCode(QStringLiteral("01AA"));
        enquiries.Add(enquiry);
        enquiries.Apply();
    }
    QStringList Acknowledged() const
    {
        QStringList references;
        for (const auto& [type, body] : requests)
            if (type == NevixMessageTypes::VQ7Complete)
                references.append(ExtractElementValue(QStringLiteral("ControlReference"), body));
        return references;
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

// Deliveries 17 and 18 are offered; 17's fails in one of these ways.
struct DeliveryFault {
    const char* name;
    const char* keepers;   // of 17's response
    bool refused;          // the service answers 17 with an error
    bool storingFails;     // the database refuses 17's response
    const char* logged;    // the error line that names 17
};

class FailedDelivery : public ReceiveResponsesTest, public ::testing::WithParamInterface<DeliveryFault> {};

TEST_P(FailedDelivery, IsLeftUnacknowledgedAndTheWalkGoesOn)
{
    const DeliveryFault& fault = GetParam();
    StoreEnquiry("CC17CCC", "R17", 17);
    StoreEnquiry("DD18DDD", "R18", 18);
    if (fault.storingFails)
        db.Execute("CREATE TRIGGER refuse_r17 BEFORE INSERT ON VQ7_Responses WHEN NEW.Enquiry_Reference='R17' "
                   "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
    alter = [&](const QString& type, const QString& body, SimpleHttpServer::Answer& answer) {
        const QString requested = ExtractElementValue(QStringLiteral("ControlReference"), body);
        if (type == NevixMessageTypes::VQ7AvailableRequest)
            answer.body = Available({17, 18});
        else if (type == NevixMessageTypes::VQ7Request && requested == "17" && fault.refused)
            answer.body = ReadBytes(QStringLiteral(NEVIX_TEST_DATA "/service/err.xml")).replace("$TYPE", "VQ7Request");
        else if (type == NevixMessageTypes::VQ7Request && requested == "17")
            answer.body = Delivery(17, 17, {{"R17", "CC17CCC", "2024-03-14", fault.keepers}});
        else if (type == NevixMessageTypes::VQ7Request)
            answer.body = Delivery(18, 18, {{"R18", "DD18DDD"}});
    };
    RequestVehicleResponsesFromNevixServer(log, results);

    EXPECT_EQ(Types(), (QStringList{"VQ7AvailableRequest", "VQ7Request", "VQ7Request", "VQ7Complete"}));
    EXPECT_EQ(Acknowledged(), QStringList{"18"});
    EXPECT_EQ(Scalar("SELECT group_concat(Enquiry_Reference) FROM VQ7_Responses").toString(), "R18");
    EXPECT_EQ(Scalar("SELECT group_concat(Enquiry_Reference) FROM VQ3_Enquiries WHERE Response_Received=1").toString(),
              "R18");
    EXPECT_EQ(results.VQ7sReceived(), 1);
    EXPECT_TRUE(Lines(EventCodes::Error).contains(QLatin1String(fault.logged))) << Lines(EventCodes::Error).join('\n').toStdString();
    EXPECT_FALSE(results.FatalVQ7ErrorMessage().isEmpty());
    EXPECT_TRUE(Lines(EventCodes::Communication).contains("Control reference 18 acknowledged with NEVIX service"));
}

INSTANTIATE_TEST_SUITE_P(
    Deliveries, FailedDelivery,
    ::testing::Values(
        DeliveryFault{"UnreadableResponse", "99999", false, false, "Control reference 17 not received: Overflow"},
        DeliveryFault{"RefusedByTheService", "1", true, false, "NS101:Invalid user name or password"},
        DeliveryFault{"StoringFails", "1", false, true, "Control reference 17 not received: constraint failed"}),
    [](const ::testing::TestParamInfo<DeliveryFault>& info) { return std::string(info.param.name); });

TEST_F(ReceiveResponsesTest, TheReferenceAskedForIsAcknowledgedWhateverTheHeaderSays)
{
    alter = [&](const QString& type, const QString&, SimpleHttpServer::Answer& answer) {
        if (type == NevixMessageTypes::VQ7Request)
            answer.body = Delivery(0, 57, {{"R1", "AA11AAA"}});
    };
    RequestVehicleResponsesFromNevixServer(log, results);

    EXPECT_EQ(Acknowledged(), QStringList{"57"});
    EXPECT_EQ(Lines(EventCodes::Warning),
              QStringList{"Responses requested for control reference 57 came back under control reference 0"});
    EXPECT_EQ(CountRows(QStringLiteral("VQ7_Responses")), 1);
    EXPECT_EQ(results.FatalVQ7ErrorMessage(), QString());
}

TEST_F(ReceiveResponsesTest, EveryResponseToAnEnquiryCarriesItsEnquirer)
{
    alter = [&](const QString& type, const QString&, SimpleHttpServer::Answer& answer) {
        if (type == NevixMessageTypes::VQ7Request)
            answer.body = Delivery(57, 57, {{"R1", "AA11AAA", "2024-03-13"},
                                        {"R1", "AA11AAA", "2024-03-14"},
                                        {"R9", "ZZ99ZZZ"}});
    };
    RequestVehicleResponsesFromNevixServer(log, results);

    EXPECT_EQ(Scalar("SELECT group_concat(Enquiry_Reference || '/' || coalesce(EnquirerId, '-') || '/' || "
                     "coalesce(EnquiryCode, '-'), ',') FROM (SELECT * FROM VQ7_Responses ORDER BY Enquiry_Reference)")
                  .toString(),
              "R1/AB123/01AA,R1/AB123/01AA,R9/-/-");
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries"), QStringLiteral("Response_Received=1")), 1);
    // A response without its enquiry is stored all the same, with a warning.
    EXPECT_EQ(Lines(EventCodes::Warning), QStringList{"Could not find a matched VQ3 for ZZ99ZZZ,R9,57"});
    EXPECT_EQ(Acknowledged(), QStringList{"57"});
}

} // namespace
