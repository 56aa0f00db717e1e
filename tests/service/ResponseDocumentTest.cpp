#include "service/NevixRequest.h"
#include "service/NevixResponse.h"

#include "database/LogLines.h"

#include "support/Printers.h"
#include "support/ScopedTimeZone.h"
#include "support/TestWorld.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString Recorded(const char* name)
{
    QFile file(QStringLiteral(NEVIX_TEST_DATA "/service/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

// Each error as "code:description", joined by "|".
QString ErrorsOf(const NevixResponse& response)
{
    QStringList lines;
    if (const NevixErrorMessages* errors = response.GetErrors()) {
        for (const NevixErrorMessage& e : *errors)
            lines << e.ErrorCode() + ':' + e.ErrorDescription();
    }
    return lines.join('|');
}

NevixResponse Answer(const QString& requestType, const QString& raw, NevixRequest& request)
{
    NevixRequestHeader header;
    header.SetMessageType(requestType);
    request.AddHeader(header);
    NevixResponse response;
    response.SetRequest(request);
    response.LoadFromRawResponse(raw);
    return response;
}

struct AnswerCase {
    const char* name;
    const char* file;    // a recorded answer
    const char* from;    // text of it replaced ...
    const char* to;      // ... by this, when from is given
    const char* request; // the request's message type
    const char* type;    // response type after the checks
    const char* errors;  // as ErrorsOf gives them
};

class AnswerChecks : public ::testing::TestWithParam<AnswerCase> {
protected:
    TestWorld world;
    ScopedTimeZone zone{ScopedTimeZone::London()};
};

TEST_P(AnswerChecks, EndInTheirTypeAndErrorList)
{
    const AnswerCase& c = GetParam();
    QString raw = *c.file ? Recorded(c.file) : QString();
    if (*c.from)
        raw.replace(QString::fromUtf8(c.from), QString::fromUtf8(c.to));
    NevixRequest request;
    const NevixResponse response = Answer(c.request, raw, request);
    EXPECT_EQ(response.RawResponse(), raw);
    ASSERT_NE(response.GetHeader(), nullptr);
    EXPECT_EQ(response.GetHeader()->ResponseType(), c.type);
    EXPECT_EQ(ErrorsOf(response), QString::fromUtf8(c.errors));
}

#define MISMATCH_TEXT "NS013:Request message type does not match response message type"
#define MISMATCH "|" MISMATCH_TEXT

INSTANTIATE_TEST_SUITE_P(
    Response, AnswerChecks,
    ::testing::Values(
        AnswerCase{"Ack", "ack-commstest.xml", "", "", "CommsTest", "ACK", ""},
        AnswerCase{"WarnKeepsItsErrorsUnread", "warn-vq3enquiry.xml", "", "", "VQ3Enquiry", "WARN", ""},
        AnswerCase{"ErrInDocumentOrder", "err-three-errors.xml", "", "", "VQ7Request", "ERR",
                   "NS101:Invalid user name or password|NS102:Account & password expired|NS103:"},
        AnswerCase{"ErrWithoutMessages", "err-three-errors.xml", "ErrorMessage", "Note", "VQ7Request", "ERR", ""},
        AnswerCase{"EmptyText", "", "", "", "CommsTest", "ERR", "NS001:Unable to parse response"},
        AnswerCase{"HtmlPage", "html-error-page.html", "", "", "CommsTest", "ERR", "NS001:Unable to parse response"},
        AnswerCase{"NoHeader", "ack-commstest.xml", "ResponseHeader", "Header", "CommsTest", "ERR",
                   "NS010:No header found"},
        AnswerCase{"SmallLetters", "ack-commstest.xml", ">ACK<", ">ack<", "CommsTest", "ERR",
                   "NS011: Unknown response type (ack)" MISMATCH},
        AnswerCase{"BlankType", "ack-commstest.xml", ">ACK<", "><", "CommsTest", "ERR",
                   "NS011: ResponseType element not found or its value is blank" MISMATCH},
        AnswerCase{"UnknownMessageType", "ack-commstest.xml", ">CommsTest<", ">commstest<", "CommsTest", "ERR",
                   "NS013: Unsupported message type (commstest)" MISMATCH},
        AnswerCase{"AnswersAnotherRequest", "ack-commstest.xml", "", "", "VQ3Enquiry", "ERR", MISMATCH_TEXT},
        AnswerCase{"VQ7RequestAtVersion1", "err-three-errors.xml", ">2.0<", ">1.0<", "VQ7Request", "ERR",
                   "NS014: MessageVersion not supported (1.0)" MISMATCH
                   "|NS101:Invalid user name or password|NS102:Account & password expired|NS103:"},
        AnswerCase{"CommsTestAtVersion2", "ack-commstest.xml", ">1.00<", ">2<", "CommsTest", "ERR",
                   "NS014: MessageVersion not supported (2)" MISMATCH},
        AnswerCase{"StampNoDate", "ack-commstest.xml", "2011-03-30T14:05:00.781Z", "yesterday", "CommsTest",
                   "ERR", "NS011: MessageTimestamp not valid (yesterday)" MISMATCH},
        AnswerCase{"StampFractionWithoutZone", "ack-commstest.xml", "781Z", "781", "CommsTest", "ACK", ""},
        AnswerCase{"StampTailWithoutZone", "ack-commstest.xml", "781Z", "781x", "CommsTest", "ERR",
                   "ERPRG:Type mismatch" MISMATCH},
        AnswerCase{"StampInSkippedHourAsUtc", "ack-commstest.xml", "2011-03-30T14:05:00.781Z",
                   "2024-03-31T01:30:00+00:00", "CommsTest", "ACK", ""},
        AnswerCase{"StampInSkippedHourAsSummerTime", "ack-commstest.xml", "2011-03-30T14:05:00.781Z",
                   "2024-03-31T02:30:00+01:00", "CommsTest", "ACK", ""},
        AnswerCase{"StampInSkippedHourWithoutZone", "ack-commstest.xml", "2011-03-30T14:05:00.781Z",
                   "2024-03-31T01:30:00", "CommsTest", "ERR",
                   "NS011: MessageTimestamp not valid (2024-03-31T01:30:00)" MISMATCH},
        AnswerCase{"ControlReferenceBeyond32Bits", "ack-commstest.xml", ">1234<", ">2147483648<", "CommsTest",
                   "ERR", "ERPRG:Overflow" MISMATCH}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AnswerChecks, AcceptedHeaderIsRead)
{
    NevixRequest request;
    const NevixResponse ack = Answer("CommsTest", Recorded("ack-commstest.xml"), request);
    const NevixResponseHeader& h = *ack.GetHeader();
    EXPECT_EQ(h.MessageType(), "CommsTest");
    EXPECT_EQ(h.MessageVersion(), "1.00");
    EXPECT_TRUE(h.IsTest());
    EXPECT_EQ(h.ControlReference(), 1234);
    EXPECT_EQ(h.MessageTimeStamp(), QDateTime(QDate(2011, 3, 30), QTime(15, 5))); // BST
    EXPECT_EQ(ack.GetErrors(), nullptr);

    const NevixResponse warn = Answer("VQ3Enquiry", Recorded("warn-vq3enquiry.xml"), request);
    EXPECT_FALSE(warn.GetHeader()->IsTest());
    EXPECT_EQ(warn.GetHeader()->ControlReference(), 57);
    EXPECT_EQ(warn.GetHeader()->MessageTimeStamp(), QDateTime(QDate(2024, 3, 15), QTime(10, 30, 5)));

    // The same moment in the hour London skips, stamped from either side of the change.
    for (const char* stamp : {"2024-03-31T01:30:00+00:00", "2024-03-31T02:30:00+01:00"}) {
        QString raw = Recorded("ack-commstest.xml");
        raw.replace("2011-03-30T14:05:00.781Z", stamp);
        EXPECT_EQ(Answer("CommsTest", raw, request).GetHeader()->MessageTimeStamp(),
                  QDateTime(QDate(2024, 3, 31), QTime(1, 30), Qt::UTC))
            << stamp;
    }

    const std::pair<const char*, bool> flags[] = {{"false", false}, {"0", false}, {"True", true}, {"true", true}};
    for (const auto& [flag, isTest] : flags) {
        QString raw = Recorded("ack-commstest.xml");
        raw.replace(">TRUE<", QStringLiteral(">%1<").arg(flag));
        EXPECT_EQ(Answer("CommsTest", raw, request).GetHeader()->IsTest(), isTest) << flag;
    }
}

TEST(ResponseErrors, EveryAddedErrorTurnsTheAnswerIntoErr)
{
    NevixResponse response;
    response.AddErrorFromCSV("JX001,Connection to NEVIX service failed (a, b)");
    EXPECT_EQ(response.GetHeader()->ResponseType(), "ERR");
    EXPECT_EQ(ErrorsOf(response), "JX001:Connection to NEVIX service failed (a");

    NevixErrorMessages list;
    list.Add(NevixErrorMessage("NS200", "x"));
    response.AddErrors(list);
    EXPECT_EQ(ErrorsOf(response), "NS200:x");
}

TEST(NevixResponse, KeepsItsOwnCopyOfTheRequest)
{
    TestWorld world;
    NevixResponse response;
    {
        LogLines log;
        NevixRequest request;
        NevixRequestHeader header;
        header.SetMessageType(QStringLiteral("CommsTest"));
        request.AddHeader(header);
        request.SetLogger(&log);
        response.SetRequest(request);
    }
    // The request and its log are gone; the answer is still checked
    // against what was asked, and reaches no log.
    response.LoadFromRawResponse(Recorded("ack-commstest.xml"));
    EXPECT_EQ(ErrorsOf(response), QString());
    ASSERT_NE(response.GetRequest(), nullptr);
    EXPECT_EQ(response.GetRequest()->GetHeader()->MessageType(), QStringLiteral("CommsTest"));
    EXPECT_EQ(response.GetRequest()->GetLogger(), nullptr);
}

} // namespace
