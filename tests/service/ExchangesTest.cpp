#include "service/NevixCommsTest.h"
#include "service/NevixEnquirerRequest.h"
#include "service/NevixNewPassword.h"
#include "service/NevixSeedControlRefs.h"
#include "service/frmHTTPComms.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirer.h"
#include "accounts/EnquiryReason.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "database/CommsLock.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/NevixParameters.h"
#include "maintenance/EnquirerRequest.h"

#include "support/DatabaseTest.h"
#include "support/FileBytes.h"

#include "SimpleHttpServer.h"

#include <QRegularExpression>

namespace {

QString Between(const QString& text, const QString& tag)
{
    const QRegularExpression re(u'<' + tag + QStringLiteral(">(.*?)</") + tag + u'>');
    return re.match(text).captured(1);
}

// The service answers every request with `answerType` for the message type
// it was asked, or with `document` when one is set.
class ExchangeTest : public DatabaseTest {
protected:
    ExchangeTest()
        : server([this](const SimpleHttpServer::Request& r) -> std::optional<SimpleHttpServer::Answer> {
              const QString body = QString::fromUtf8(r.body);
              received.append(body);
              if (!document.isEmpty())
                  return SimpleHttpServer::Answer{200, document};
              QString answer = QStringLiteral(
                  "<ns2:NSResponse xmlns:ns2=\"http://www.nevix.co.uk/schema/jux\"><ResponseHeader>"
                  "<ResponseType>%1</ResponseType><MessageType>%2</MessageType>"
                  "<MessageVersion>1.0</MessageVersion><MessageTimeStamp>2024-03-15T10:30:05Z"
                  "</MessageTimeStamp></ResponseHeader>%3</ns2:NSResponse>")
                  .arg(answerType, Between(body, QStringLiteral("MessageType")),
                       answerType == QStringLiteral("ERR")
                           ? QStringLiteral("<ErrorMessage><ErrorCode>NS101</ErrorCode>"
                                            "<ErrorDescription>Password rules broken</ErrorDescription></ErrorMessage>")
                           : QString());
              return SimpleHttpServer::Answer{200, answer.toUtf8()};
          })
    {
        EXPECT_TRUE(server.Listen());
        ConnectTo(NewGlobalDatabase(), path);
        NevixParameters account;
        account.SetDataSource(&db);
        account.SetUserName(QStringLiteral("nevixuser"));
        account.SetPassword(QStringLiteral("Pa55word"));
        account.Apply();
        INIFile().SetIniString(QStringLiteral("NevixServer"), QStringLiteral("NevixHost"), server.Url(),
                               world.PathOf(QStringLiteral("Nevix.INI")));
        Settings().Load();
        auto user = std::make_shared<User>();
        user->SetUserName(QStringLiteral("ADMIN"));
        SetCurrentUser(user);
    }
    ~ExchangeTest() override
    {
        SetCurrentUser(nullptr);
        Settings().SetRunInTestMode(false);
        UnloadHTTPCommsForm();
        ReleaseGlobalDatabase();
    }

    QStringList Lines(int32_t eventCode) const { return LinesOf(log, eventCode); }
    static QStringList Errors(const LogLines& run) { return LinesOf(run, EventCodes::Error); }
    static QStringList LinesOf(const LogLines& run, int32_t eventCode)
    {
        QStringList lines;
        for (const auto& line : run.NewEnum())
            if (line->EventCode() == eventCode)
                lines.append(line->EventText());
        return lines;
    }

    QString StoredPassword() const
    {
        NevixParameters account;
        account.SetDataSource(&GlobalDatabase());
        account.Load();
        return account.Password();
    }

    void StoreEnquirer(const QString& id, const QString& reasonCode)
    {
        Enquirer enquirer;
        enquirer.SetDataSource(&db);
        enquirer.SetEnquirerId(id);
        enquirer.SetName(QStringLiteral("Stored ") + id);
        auto reason = std::make_shared<EnquiryReason>();
        reason->SetEnquirerId(id);
        reason->SetEnquiryCode(reasonCode);
        reason->SetDescription(QStringLiteral("Old reason"));
        enquirer.EnquiryReasons()->Add(reason);
        enquirer.Apply();
    }

    bool LockIsFree() const { return CountRows(QStringLiteral("COMMSLOCK"), QStringLiteral("LockedBy IS NOT NULL")) == 0; }

    QString answerType = QStringLiteral("ACK");
    QByteArray document;
    QStringList received;
    SimpleHttpServer server;
    LogLines log;
};

TEST_F(ExchangeTest, CommsTestNeverCarriesTheTestFlagAndLogsOnlyConnectionSteps)
{
    Settings().SetRunInTestMode(true);
    EXPECT_TRUE(RunNevixCommsTest(log));
    ASSERT_EQ(received.size(), 1);
    EXPECT_FALSE(received.first().contains(QStringLiteral("TestFlag")));
    EXPECT_TRUE(Lines(EventCodes::Error).isEmpty());
    EXPECT_EQ(Lines(EventCodes::Start).size(), 1);
    EXPECT_EQ(log.GetLogHeader()->EventText(), QStringLiteral("Nevix Communication Test"));
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log")), log.Count());
}

TEST_F(ExchangeTest, CommsTestRefusedOrWronglyAnswered)
{
    answerType = QStringLiteral("ERR");
    EXPECT_FALSE(RunNevixCommsTest(log));
    EXPECT_EQ(Lines(EventCodes::Error), QStringList{QStringLiteral("NS101:Password rules broken")});

    LogLines second;
    document = ReadBytes(QStringLiteral(NEVIX_TEST_DATA) + QStringLiteral("/service/warn-vq3enquiry.xml"));
    EXPECT_FALSE(RunNevixCommsTest(second));
    const QStringList errors = Errors(second);
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.first().startsWith(QStringLiteral("NS013:"))) << errors.first().toStdString();
}

TEST_F(ExchangeTest, SeedingSendsBothMaximaInOrder)
{
    EXPECT_TRUE(RunNevixSeedControlRefs(log));
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(Between(received[0], QStringLiteral("MessageType")), QStringLiteral("SeedVQ7CtrlRef"));
    EXPECT_EQ(Between(received[1], QStringLiteral("MessageType")), QStringLiteral("SeedDebCtrlRef"));
    for (const QString& body : received)
        EXPECT_TRUE(body.contains(QStringLiteral("<ControlReference>0</ControlReference>"))) << body.toStdString();
}

TEST_F(ExchangeTest, SeedingStopsAtAWarning)
{
    answerType = QStringLiteral("WARN");
    EXPECT_FALSE(RunNevixSeedControlRefs(log));
    EXPECT_EQ(received.size(), 1);
}

TEST_F(ExchangeTest, AnAcknowledgedPasswordIsStoredAndUsedNext)
{
    EXPECT_EQ(RunNevixNewPassword(log, QStringLiteral("a&b<c"), QStringLiteral("other")),
              NewPasswordOutcomes::Changed);
    ASSERT_EQ(received.size(), 1);
    EXPECT_TRUE(received[0].contains(QStringLiteral("<NewPassword>a&amp;b&lt;c</NewPassword>"
                                                    "<ConfirmedPassword>other</ConfirmedPassword>")));
    EXPECT_EQ(StoredPassword(), QStringLiteral("a&b<c"));
    EXPECT_TRUE(LockIsFree());

    EXPECT_TRUE(RunNevixCommsTest(log));
    EXPECT_TRUE(received[1].contains(QStringLiteral("a&amp;b&lt;c"))) << received[1].toStdString();
}

TEST_F(ExchangeTest, PasswordChangeRefusedOrLockedKeepsTheOldPassword)
{
    answerType = QStringLiteral("ERR");
    EXPECT_EQ(RunNevixNewPassword(log, QStringLiteral("new1"), QStringLiteral("new1")),
              NewPasswordOutcomes::NotChanged);
    EXPECT_EQ(Lines(EventCodes::Error), QStringList{QStringLiteral("NS101:Password rules broken")});

    CommsLock other;
    other.AquireCommsLock(QStringLiteral("SOMEONE"), &db);
    answerType = QStringLiteral("ACK");
    LogLines second;
    EXPECT_EQ(RunNevixNewPassword(second, QStringLiteral("new1"), QStringLiteral("new1")),
              NewPasswordOutcomes::NotChanged);
    EXPECT_EQ(received.size(), 1);
    EXPECT_EQ(Errors(second), QStringList{QStringLiteral("Could not aquire Communications lock")});
    EXPECT_EQ(StoredPassword(), QStringLiteral("Pa55word"));
}

TEST_F(ExchangeTest, EnquirerDownloadMakesTheLocalListMatch)
{
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("09XX"));
    StoreEnquirer(QStringLiteral("CD456"), QStringLiteral("09XX"));
    StoreEnquirer(QStringLiteral("EF789"), QStringLiteral("09XX"));
    document = ReadBytes(QStringLiteral(NEVIX_TEST_DATA) + QStringLiteral("/service/ack-enquirerrequest.xml"));
    InstallEnquirerRequestRunner();
    EXPECT_TRUE(RunNevixEnquirerRequest(log, QStringLiteral("ADMIN")));
    SetEnquirerRequestRunner({});

    EXPECT_EQ(Lines(EventCodes::Error), QStringList{});
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(EnquirerId) FROM ENQUIRER")).toString(),
              QStringLiteral("AB123"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT EnqName || '/' || IntermediaryId || '/' || IsEnabled FROM ENQUIRER"))
                  .toString(),
              QStringLiteral("Parking & Co/X12/1"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(EnquiryCode || '/' || Description || '/' || "
                                    "DateOfEventCutOff || '/' || IsDefault) FROM ENQUIRY_REASON"))
                  .toString(),
              QStringLiteral("02PK/Private parking/180/0"));
    EXPECT_TRUE(LockIsFree());
}

TEST_F(ExchangeTest, EnquirerDownloadWithAnInvalidEnquirerChangesNothing)
{
    StoreEnquirer(QStringLiteral("EF789"), QStringLiteral("09XX"));
    QString text = QString::fromUtf8(
        ReadBytes(QStringLiteral(NEVIX_TEST_DATA) + QStringLiteral("/service/ack-enquirerrequest.xml")));
    text.remove(QRegularExpression(QStringLiteral("<EnquiryReason><EnquiryCode>03TL.*?</EnquiryReason>")));
    document = text.toUtf8();
    EXPECT_FALSE(RunNevixEnquirerRequest(log));
    EXPECT_EQ(Lines(EventCodes::Error), QStringList{QStringLiteral("There was no Enquiry Reasons for Enquirer CD456")});
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRER")), 1);
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRY_REASON")), 1);
    EXPECT_TRUE(LockIsFree());
}

} // namespace
