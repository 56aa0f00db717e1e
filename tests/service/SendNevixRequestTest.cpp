#include "service/BuildNevixRequestHeader.h"
#include "service/NevixErrorMessages.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"
#include "service/frmHTTPComms.h"

#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"

#include "support/DatabaseTest.h"
#include "support/FileBytes.h"
#include "support/KeeperFiles.h"
#include "support/ServiceAccount.h"

#include "SimpleHttpServer.h"

namespace {

class SendTest : public DatabaseTest {
protected:
    SendTest()
        : server([this](const SimpleHttpServer::Request& r) -> std::optional<SimpleHttpServer::Answer> {
              received.append(r.body);
              if (hang)
                  return std::nullopt;
              return SimpleHttpServer::Answer{200, ReadBytes(QStringLiteral(NEVIX_TEST_DATA) +
                                                             QStringLiteral("/service/ack-commstest.xml"))};
          })
    {
        EXPECT_TRUE(server.Listen());
        ConnectTo(NewGlobalDatabase(), path);
        StoreServiceAccount();
        Configure({{"NevixHost", server.Url()}});
        log.BeginLogging(QStringLiteral("NCOMST"), QStringLiteral("Communication test"), QStringLiteral("ADMIN"));
    }
    ~SendTest() override
    {
        UnloadHTTPCommsForm();
        ReleaseGlobalDatabase();
    }

    void Configure(const QList<std::pair<const char*, QString>>& serverKeys, const QString& debugMode = {})
    {
        const QString ini = world.PathOf(QStringLiteral("Nevix.INI"));
        for (const auto& [key, value] : serverKeys)
            INIFile().SetIniString(QStringLiteral("NevixServer"), QLatin1String(key), value, ini);
        if (!debugMode.isEmpty())
            INIFile().SetIniString(QStringLiteral("System"), QStringLiteral("DebugMode"), debugMode, ini);
        Settings().Load();
    }

    NevixResponse Send(bool verbose = false)
    {
        request.AddHeader(BuildNevixRequestHeader(QStringLiteral("CommsTest"), QStringLiteral("1.0")));
        request.SetLogger(&log);
        return SendNevixRequest(request, verbose);
    }

    QStringList CommsLines() const
    {
        QStringList lines;
        for (const auto& line : log.NewEnum())
            if (line->EventCode() == 64)
                lines.append(line->EventText());
        return lines;
    }

    QList<QByteArray> received;
    bool hang = false;
    SimpleHttpServer server;
    LogLines log;
    NevixRequest request;
};

TEST_F(SendTest, AnAnsweredRequestLogsOnlyItsStartAndFinish)
{
    const NevixResponse response = Send();
    ASSERT_NE(response.GetHeader(), nullptr);
    EXPECT_EQ(response.GetHeader()->ResponseType(), QStringLiteral("ACK"));
    EXPECT_TRUE(Settings().NevixResponseIsTestMode());
    ASSERT_EQ(received.size(), 1);
    EXPECT_TRUE(received.first().contains("<MessageType>CommsTest</MessageType>"));
    EXPECT_EQ(CommsLines(), (QStringList{QStringLiteral("Starting connection at 15/03/2024 10:30:00"),
                                         QStringLiteral("Finished connection at 15/03/2024 10:30:00")}));
}

TEST_F(SendTest, VerboseLoggingNeverShowsThePassword)
{
    // Without the XML declaration the password lies within the 255
    // characters that are logged.
    Configure({}, QStringLiteral("NNNNNN-NY"));
    Send(true);
    const QString all = CommsLines().join(u'\n');
    EXPECT_TRUE(all.contains(QStringLiteral("Sending to: ") + server.Url()));
    EXPECT_TRUE(all.contains(QStringLiteral("**********")));
    EXPECT_FALSE(all.contains(QStringLiteral("Pa55word"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("Response complete")));
}

TEST_F(SendTest, CopiesOfEveryRequestAndAnswerAccumulate)
{
    Configure({}, QStringLiteral("NNNNNN-Y"));
    Send();
    Send();
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("VQ3.XML"))).count("<jux:NSRequest"), 2);
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("VQ7.XML"))).count("<ns2:NSResponse"), 2);
}

// The copies hold keeper data: kept from other users, and never written
// through a link someone put in their folder.
TEST_F(SendTest, CopiesAreForOwnerAndGroupAndNeverGoThroughALink)
{
    const ScopedUmask mask(022);
    Configure({}, QStringLiteral("NNNNNN-Y"));
    QDir(world.Folder()).mkpath(QStringLiteral("elsewhere"));
    const QString target = world.PathOf(QStringLiteral("elsewhere/answers"));
    WriteBytes(target, "not the program's");
    ASSERT_TRUE(QFile::link(target, world.PathOf(QStringLiteral("VQ7.XML"))));
    Send();
    EXPECT_EQ(ModeOf(world.PathOf(QStringLiteral("VQ3.XML"))), 0660);
    EXPECT_EQ(LinkAt(world.PathOf(QStringLiteral("VQ7.XML"))), target);
    EXPECT_EQ(ReadBytes(target), "not the program's");
}

TEST_F(SendTest, AnAnswerPastTheLimitFailsTheExchange)
{
    HTTPCommsForm().Inet1().SetAnswerLimit(100);
    const NevixResponse response = Send();
    ASSERT_NE(response.GetErrors(), nullptr);
    ASSERT_EQ(response.GetErrors()->Count(), 1);
    EXPECT_EQ(response.GetErrors()->Item(1).ErrorDescription(),
              QStringLiteral("Connection to NEVIX service failed (The answer is larger than 100 bytes)"));
    EXPECT_EQ(HTTPCommsForm().HttpStatus(), 11);
}

TEST_F(SendTest, NoServerGivesOneConnectionError)
{
    quint16 closedPort = 0;
    {
        SimpleHttpServer closed([](const SimpleHttpServer::Request&) { return std::nullopt; });
        ASSERT_TRUE(closed.Listen());
        closedPort = closed.Port();
    }
    Configure({{"NevixHost", QStringLiteral("http://127.0.0.1:%1/nevix").arg(closedPort)}});
    const NevixResponse response = Send();
    ASSERT_NE(response.GetErrors(), nullptr);
    ASSERT_EQ(response.GetErrors()->Count(), 1);
    EXPECT_EQ(response.GetErrors()->Item(1).ErrorCode(), QStringLiteral("JX001"));
    EXPECT_TRUE(response.GetErrors()->Item(1).ErrorDescription().startsWith(
        QStringLiteral("Connection to NEVIX service failed (")));
    EXPECT_EQ(HTTPCommsForm().HttpStatus(), 11);
    EXPECT_FALSE(Settings().NevixResponseIsTestMode());
}

TEST_F(SendTest, AServerThatNeverAnswersTimesOut)
{
    hang = true;
    Configure({{"NevixTimeOutSecs", QStringLiteral("1")}});
    const NevixResponse response = Send(true);
    ASSERT_EQ(response.GetErrors()->Count(), 1);
    ASSERT_NE(response.GetErrors(), nullptr);
    EXPECT_EQ(response.GetErrors()->Item(1).ErrorDescription(),
              QStringLiteral("Connection to NEVIX service failed (Communications timed out)"));
    EXPECT_EQ(HTTPCommsForm().HttpStatus(), frmHTTPComms::TimedOutStatus);
    EXPECT_TRUE(CommsLines().contains(QStringLiteral("Response cleared because of error (Communications timed out)")));
    // The procedure's own time-out decided, not one of the transfer's.
    for (const QString& line : CommsLines())
        EXPECT_FALSE(line.startsWith(QStringLiteral("ERR:"))) << line.toStdString();
    EXPECT_EQ(received.size(), 1);
}

} // namespace
