#include "StandInService.h"

#include "ExchangeTest.h"

#include "service/BuildNevixRequestHeader.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/ExchangeStep.h"
#include "service/SendNevixRequest.h"
#include "records/XMLUtils.h"

#include "support/Printers.h"
#include "support/TestWorld.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

namespace T = NevixMessageTypes;

// Drives the stand-in's handler with the documents the client writes and
// reads its answers the way the client does.
class StandInServiceTest : public ::testing::Test {
protected:
    struct Exchange {
        bool answered = false;
        QString raw;
        QString responseType;
        int32_t controlReference = 0;
    };

    Exchange Send(const QString& type, const QStringList& body = {}, int32_t headerReference = 0)
    {
        NevixRequestHeader header = CreateNevixRequestHeader(type, QStringLiteral("user"), QStringLiteral("pw"), false,
                                                             NevixMessageVersionFor(type));
        header.SetControlReference(headerReference);
        NevixRequest request;
        request.AddHeader(header);
        for (const QString& line : body)
            request.AddNewBodyLine(line);
        const auto answer = service.Handle({"POST", "/nevix", "text/xml", request.ToXMLString().toUtf8()});
        Exchange exchange;
        if (!answer)
            return exchange;
        exchange.answered = true;
        exchange.raw = QString::fromUtf8(answer->body);
        NevixResponse response;
        response.SetRequest(request);
        response.LoadFromRawResponse(exchange.raw);
        exchange.responseType = response.GetHeader()->ResponseType();
        exchange.controlReference = response.GetHeader()->ControlReference();
        return exchange;
    }
    static int Count(const char* element, const Exchange& exchange)
    {
        return ExtractElementList(QLatin1String(element), exchange.raw).Count();
    }
    static QString Enquiry(const char* vrm, const char* reference)
    {
        return QStringLiteral("<VQ3><DateOfEvent>2024-03-01</DateOfEvent><VRM>%1</VRM><EnquiryReference>%2"
                              "</EnquiryReference></VQ3>")
            .arg(QLatin1String(vrm), QLatin1String(reference));
    }

    TestWorld world;
    StandInService service{world.PathOf(QStringLiteral("script"))};
};

TEST_F(StandInServiceTest, DefaultAnswersAreAcceptedByTheClient)
{
    struct Case {
        QString type;
        const char* responseType;
        const char* element; // counted in the answer
        int count;
    };
    const Case cases[] = {
        {T::CommsTest, "ACK", "ErrorMessage", 0},      {T::EnquirerRequest, "ACK", "Enquirer", 2},
        {T::EnquirerRequest, "ACK", "EnquiryReason", 4}, {T::ChangePassword, "ACK", "ErrorMessage", 0},
        {T::SeedVQ7CtrlRef, "ACK", "ErrorMessage", 0}, {T::SeedDebCtrlRef, "ACK", "ErrorMessage", 0},
        {T::DEBRequest, "ACK", "Deb", 0},              {T::VQ7AvailableRequest, "ACK", "ControlReference", 0},
        {QStringLiteral("NoSuchType"), "ERR", "ErrorMessage", 1},
    };
    for (const Case& c : cases) {
        const Exchange exchange = Send(c.type);
        EXPECT_EQ(exchange.responseType, QLatin1String(c.responseType)) << c.type.toStdString() << exchange.raw.toStdString();
        EXPECT_EQ(Count(c.element, exchange), c.count) << c.type.toStdString();
    }
}

TEST_F(StandInServiceTest, EnquiriesComeBackAsResponsesThenAsOneDebit)
{
    EXPECT_EQ(Send(T::VQ3Enquiry, {Enquiry("AA11AAA", "R1"), Enquiry("BB22BBB", "R&amp;2")}, 57).responseType, "ACK");
    EXPECT_EQ(Send(T::VQ3Enquiry, {Enquiry("CC33CCC", "R3")}, 58).responseType, "ACK");
    EXPECT_EQ(Count("ControlReference", Send(T::VQ7AvailableRequest)), 2);

    const Exchange responses = Send(T::VQ7Request, {ControlReferenceBodyLine(57)});
    EXPECT_EQ(responses.responseType, "ACK") << responses.raw.toStdString();
    EXPECT_EQ(responses.controlReference, 57);
    const DelimitedString elements = ExtractElementList(QStringLiteral("VQ7Response"), responses.raw);
    ASSERT_EQ(elements.Count(), 2);
    EXPECT_EQ(ExtractElementValue(QStringLiteral("VRM"), elements.Word(1)), "AA11AAA");
    EXPECT_EQ(ExtractElementValue(QStringLiteral("EnquiryReference"), elements.Word(2)), "R&2");
    EXPECT_EQ(ExtractElementValue(QStringLiteral("DateOfEvent"), elements.Word(2)), "2024-03-01");

    EXPECT_EQ(Send(T::VQ7Complete, {ControlReferenceBodyLine(57)}).responseType, "ACK");
    EXPECT_EQ(Count("VQ7Response", Send(T::VQ7Request, {ControlReferenceBodyLine(57)})), 0);
    EXPECT_EQ(Count("ControlReference", Send(T::VQ7AvailableRequest)), 1);

    const Exchange debits = Send(T::DEBRequest);
    ASSERT_EQ(Count("Deb", debits), 1) << debits.raw.toStdString();
    EXPECT_EQ(ExtractElementValue(QStringLiteral("NumberOfCharges"), debits.raw), "2");
    EXPECT_EQ(Send(T::DEBComplete, {ControlReferenceBodyLine(debits.controlReference)}).responseType, "ACK");
    EXPECT_EQ(Count("Deb", Send(T::DEBRequest)), 0);
}

TEST_F(StandInServiceTest, ScriptedTypesAreAnsweredFromTheirFileOrNever)
{
    const QString folder = world.PathOf(QStringLiteral("script"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile warn(folder + QStringLiteral("/CommsTest.xml"));
    ASSERT_TRUE(warn.open(QIODevice::WriteOnly));
    warn.write("<ns2:NSResponse><ResponseHeader><ResponseType>WARN</ResponseType><MessageType>$TYPE</MessageType>"
               "<MessageVersion>$VERSION</MessageVersion><MessageTimeStamp>$TIMESTAMP</MessageTimeStamp>"
               "</ResponseHeader></ns2:NSResponse>");
    warn.close();
    QFile(folder + QStringLiteral("/VQ7Request.hang")).open(QIODevice::WriteOnly);

    EXPECT_EQ(Send(T::CommsTest).responseType, "WARN");
    EXPECT_FALSE(Send(T::VQ7Request).answered);
    EXPECT_EQ(Send(T::EnquirerRequest).responseType, "ACK");
}

TEST_F(StandInServiceTest, FaultsAreKnownByKindAndFittingType)
{
    const struct {
        const char* fault;
        bool known;
    } cases[] = {{"hang:VQ3Enquiry", true},     {"slow:DEBRequest", true},      {"drop:VQ7Complete", true},
                 {"cut:CommsTest", true},       {"warn-empty", true},           {"bad-delivery:VQ7Request", true},
                 {"no-header-reference", true}, {"double-response", true},      {"bad-statement", true},
                 {"hang", false},               {"drop:NoSuchType", false},     {"warn-empty:DEBRequest", false},
                 {"explode:VQ3Enquiry", false}, {"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(service.AddFault(QLatin1String(c.fault)), c.known) << c.fault;
}

TEST_F(StandInServiceTest, AFaultStrikesOnceAtTheFirstRequestItFits)
{
    ASSERT_TRUE(service.AddFault(QStringLiteral("drop:VQ3Enquiry")));
    ASSERT_TRUE(service.AddFault(QStringLiteral("no-header-reference")));
    EXPECT_EQ(Send(T::CommsTest).responseType, "ACK");
    // Handled, then the connection goes before the answer.
    const auto dropped = service.Handle({"POST", "/nevix", "text/xml",
                                         QStringLiteral("<MessageType>VQ3Enquiry</MessageType><ControlReference>7"
                                                        "</ControlReference>%1").arg(Enquiry("AA11AAA", "R1")).toUtf8()});
    ASSERT_TRUE(dropped.has_value());
    EXPECT_EQ(dropped->dropAfterBytes, 0);
    ASSERT_TRUE(service.AddFault(QStringLiteral("warn-empty")));
    EXPECT_EQ(Send(T::VQ3Enquiry, {Enquiry("AA11AAA", "R1")}, 7).responseType, "WARN");
    // Sent again under its reference, the batch is kept once.
    EXPECT_EQ(Send(T::VQ3Enquiry, {Enquiry("AA11AAA", "R1")}, 7).responseType, "ACK");
    const Exchange withoutReference = Send(T::VQ7Request, {ControlReferenceBodyLine(7)});
    EXPECT_EQ(withoutReference.controlReference, 0);
    EXPECT_EQ(Count("VQ7Response", withoutReference), 1);
    EXPECT_EQ(Send(T::VQ7Request, {ControlReferenceBodyLine(7)}).controlReference, 7);
    EXPECT_EQ(service.Received(T::VQ3Enquiry), 3);
}

// The stand-in behind the loopback server, reached by the send procedure
// the exchanges use.
class StandInOverHttpTest : public ExchangeTest {
protected:
    StandInOverHttpTest()
    {
        EXPECT_TRUE(standInServer.Listen());
        UseServiceAt(standInServer.Url(), world.PathOf(QStringLiteral("Nevix.INI")));
    }

    StandInService standIn;
    SimpleHttpServer standInServer{[this](const SimpleHttpServer::Request& r) { return standIn.Handle(r); }};
};

TEST_F(StandInOverHttpTest, AnswersTheSendProcedure)
{
    NevixRequest enquiry = NewNevixRequest(T::VQ3Enquiry, log);
    enquiry.GetHeader()->SetControlReference(9);
    enquiry.AddNewBodyLine(QStringLiteral("<VQ3><VRM>AA11AAA</VRM><EnquiryReference>R1</EnquiryReference></VQ3>"));
    EXPECT_EQ(ResponseTypeOf(SendNevixRequest(NewNevixRequest(T::CommsTest, log), false)), "ACK");
    EXPECT_EQ(ResponseTypeOf(SendNevixRequest(enquiry, false)), "ACK");
    const NevixResponse responses = SendNevixRequest(NewNevixRequest(T::VQ7Request, log), false);
    EXPECT_EQ(ResponseTypeOf(responses), "ACK");
    EXPECT_EQ(ExtractElementList(QStringLiteral("VQ7Response"), responses.RawResponse()).Count(), 1);
    EXPECT_TRUE(requests.isEmpty()); // nothing went to the fixture's own server
}

} // namespace
