#include "service/BuildNevixRequestHeader.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"

#include "core/ApplicationSettings.h"
#include "database/GlobalDatabase.h"
#include "database/NevixParameters.h"
#include "platform/NevixError.h"

#include "support/DatabaseTest.h"
#include "support/Printers.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace {

const QString Root = QStringLiteral("<jux:NSRequest xmlns:jux=\"http://www.nevix.co.uk/schema/jux\">");
const QString Instruction = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>");

struct RequestCase {
    const char* name;
    const char* type;
    bool automatic;
    bool testMode;
    bool noInstruction; // DebugMode switch
    QDateTime now;      // local, London
    int32_t controlReference;
    QStringList body;
    const char* wrapper;
    QString expected;   // after the root opening tag
};

class RequestText : public DatabaseTest, public ::testing::WithParamInterface<RequestCase> {
protected:
    RequestText()
    {
        ConnectTo(NewGlobalDatabase(), path);
        NevixParameters account;
        account.SetDataSource(&db);
        account.SetUserName("Nevix&Co");
        account.SetPassword("Pa55word!");
        account.Apply();
    }
    ~RequestText() override { ReleaseGlobalDatabase(); }

    ScopedTimeZone zone{ScopedTimeZone::London()};
};

TEST_P(RequestText, IsBuiltExactlyOnOneLine)
{
    const RequestCase& c = GetParam();
    world.clock().Set(c.now);
    Settings().SetIsInAutoExecuteMode(c.automatic);
    Settings().SetRunInTestMode(c.testMode);
    Settings().SetDebugMode(c.noInstruction ? "NNNNNN-NY" : "NNNNNNNNN");

    const QString type = QString::fromLatin1(c.type);
    NevixRequestHeader header = BuildNevixRequestHeader(type, NevixMessageVersionFor(type));
    header.SetControlReference(c.controlReference);
    NevixRequest request;
    request.AddHeader(header);
    request.SetBodyStructureElement(QString::fromLatin1(c.wrapper));
    for (const QString& line : c.body)
        request.AddNewBodyLine(line);

    EXPECT_EQ(request.ToXMLString(),
              (c.noInstruction ? QString() : Instruction) + Root + c.expected + "</jux:NSRequest>");
}

const QDateTime Spring(QDate(2024, 3, 15), QTime(10, 30)); // 10:30 UTC
const QDateTime Summer(QDate(2011, 3, 30), QTime(14, 5));  // 13:05 UTC
#define STAMP(utc) "<RequestHeader><MessageTimeStamp>" utc "Z</MessageTimeStamp>"
#define TYPE(type, version) "<MessageType>" type "</MessageType><MessageVersion>" version "</MessageVersion>"
#define ACCOUNT(mode) \
    "<UserName>Nevix&amp;Co</UserName><Password>Pa55word!</Password>" \
    "<SoftwareClient>Nevix v3.01 DB v3.0" mode "</SoftwareClient>"

INSTANTIATE_TEST_SUITE_P(
    Request, RequestText,
    ::testing::Values(
        RequestCase{"CommsTestInteractive", "CommsTest", false, false, false, Spring, 0, {}, "Enquiries",
                    STAMP("2024-03-15T10:30:00") TYPE("CommsTest", "1.0") ACCOUNT("(I)") "</RequestHeader>"},
        RequestCase{"VQ7CompleteUnattendedInTestMode", "VQ7Complete", true, true, true, Summer, -4,
                    {"<ControlReference>812</ControlReference>"}, "",
                    STAMP("2011-03-30T13:05:00") TYPE("VQ7Complete", "1.0") ACCOUNT("(A)")
                    "<TestFlag>true</TestFlag></RequestHeader><ControlReference>812</ControlReference>"},
        RequestCase{"VQ3EnquiryWrapped", "VQ3Enquiry", false, false, false, Spring, 57,
                    {"<VQ3>a &amp; b</VQ3>", "<VQ3>2</VQ3>"}, "VQ3s",
                    STAMP("2024-03-15T10:30:00") TYPE("VQ3Enquiry", "1.0") ACCOUNT("(I)")
                    "<ControlReference>57</ControlReference></RequestHeader>"
                    "<VQ3s><VQ3>a &amp; b</VQ3><VQ3>2</VQ3></VQ3s>"},
        RequestCase{"VQ7RequestIsVersion2", "VQ7Request", false, false, true, Spring, 0, {}, "",
                    STAMP("2024-03-15T10:30:00") TYPE("VQ7Request", "2.0") ACCOUNT("(I)") "</RequestHeader>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RequestHeader, EscapesAccountTextsButNotTheTypeAndLeavesOutWhatSaysNothing)
{
    TestWorld world;
    NevixRequestHeader header = CreateNevixRequestHeader("A&B", "<u'>", "p\"&", false, "1.0");
    header.SetMessageTimeStamp(QDateTime(QDate(2011, 3, 30), QTime(13, 5), Qt::UTC));
    header.SetSoftwareClient(QString());
    header.SetControlReference(-1);
    EXPECT_EQ(header.ToXMLString(),
              "<RequestHeader><MessageTimeStamp>2011-03-30T13:05:00Z</MessageTimeStamp>"
              "<MessageType>A&B</MessageType><MessageVersion>1.0</MessageVersion>"
              "<UserName>&lt;u&apos;&gt;</UserName><Password>p&quot;&amp;</Password></RequestHeader>");
}

TEST(RequestHeader, ARequestWithoutHeaderOrTimeStampIsRefused)
{
    TestWorld world;
    NevixRequest request;
    EXPECT_THROW(request.ToXMLString(), NevixError);
    request.AddHeader(NevixRequestHeader());
    EXPECT_THROW(request.ToXMLString(), NevixError);
}

TEST(RequestHeader, MessageTypesAreKnownWithTheirCase)
{
    EXPECT_TRUE(IsValidNevixMessageType("SMComplete"));
    for (const char* type : {"commstest", "", " CommsTest", "VQ9"})
        EXPECT_FALSE(IsValidNevixMessageType(type)) << type;
}

} // namespace
