#include "service/InetTransfer.h"
#include "support/Printers.h"

#include "SimpleHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

// Pumps events until the transfer is done (bounded, so a fault cannot
// hang the suite).
void WaitFor(const InetTransfer& transfer)
{
    QElapsedTimer guard;
    guard.start();
    while (transfer.StillExecuting() && guard.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

struct Exchange {
    QList<int32_t> states;
    QByteArray answer;
    QString info;
};

Exchange Post(const QString& url, const QByteArray& data)
{
    InetTransfer transfer;
    Exchange run;
    QObject::connect(&transfer, &InetTransfer::StateChanged, [&](int32_t s) { run.states.append(s); });
    transfer.Execute(url, QStringLiteral("POST"), data,
                     QStringLiteral("Content-Type:application/x-www-form-urlencoded"));
    WaitFor(transfer);
    for (QByteArray part = transfer.GetChunk(1024); !part.isEmpty(); part = transfer.GetChunk(1024))
        run.answer += part;
    run.info = transfer.ResponseInfo();
    return run;
}

// An error page is an answer too.
TEST(InetTransfer, PostsTheDocumentAndReadsTheAnswerInChunksWhateverItsStatus)
{
    const QByteArray big = "<answer>" + QByteArray(5000, 'x') + "</answer>";
    for (const SimpleHttpServer::Answer& answer :
         {SimpleHttpServer::Answer{200, big}, SimpleHttpServer::Answer{500, "<html>broken</html>", "text/html"}}) {
        SimpleHttpServer::Request seen;
        SimpleHttpServer server([&](const SimpleHttpServer::Request& r) {
            seen = r;
            return answer;
        });
        ASSERT_TRUE(server.Listen());
        const Exchange run = Post(server.Url(), "<request/>");
        EXPECT_EQ(seen.method, QByteArray("POST"));
        EXPECT_EQ(seen.body, QByteArray("<request/>"));
        EXPECT_EQ(seen.contentType, QByteArray("application/x-www-form-urlencoded"));
        EXPECT_EQ(run.answer, answer.body) << answer.status;
        ASSERT_FALSE(run.states.isEmpty());
        EXPECT_EQ(run.states.last(), InetTransfer::ResponseCompleted) << answer.status;
    }
}

TEST(InetTransfer, NoServerIsAnErrorWithItsReason)
{
    quint16 port = 0;
    {
        SimpleHttpServer closed([](const SimpleHttpServer::Request&) { return std::nullopt; });
        ASSERT_TRUE(closed.Listen());
        port = closed.Port();
    }
    const Exchange run = Post(QStringLiteral("http://127.0.0.1:%1/nevix").arg(port), "<request/>");
    EXPECT_EQ(run.states.last(), InetTransfer::Error);
    EXPECT_FALSE(run.info.isEmpty());
    EXPECT_TRUE(run.answer.isEmpty());
}

// The connection drops before the answer, or after its headers and part
// of its body.
class DroppedTransfer : public ::testing::TestWithParam<qsizetype> {};

TEST_P(DroppedTransfer, IsAnErrorAndThePostIsNeverRepeated)
{
    int posts = 0;
    SimpleHttpServer server([&](const SimpleHttpServer::Request&) {
        ++posts;
        SimpleHttpServer::Answer answer{200, QByteArray(400, 'x')};
        answer.dropAfterBytes = GetParam();
        return std::optional(answer);
    });
    ASSERT_TRUE(server.Listen());
    const Exchange run = Post(server.Url(), "<request/>");
    // Events that a second post would need.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(posts, 1);
    ASSERT_FALSE(run.states.isEmpty());
    EXPECT_EQ(run.states.last(), InetTransfer::Error);
    EXPECT_FALSE(run.info.isEmpty());
    EXPECT_TRUE(run.answer.isEmpty()) << "no part of a cut answer is read";
}

INSTANTIATE_TEST_SUITE_P(Drops, DroppedTransfer, ::testing::Values(0, 250),
                         [](const ::testing::TestParamInfo<qsizetype>& info) {
                             return info.param == 0 ? std::string("BeforeTheAnswer") : std::string("MidAnswer");
                         });

TEST(InetTransfer, HasNoTimeOutOfItsOwn)
{
    SimpleHttpServer server([](const SimpleHttpServer::Request&) { return std::nullopt; });
    ASSERT_TRUE(server.Listen());
    InetTransfer transfer;
    QList<int32_t> states;
    QObject::connect(&transfer, &InetTransfer::StateChanged, [&](int32_t s) { states.append(s); });
    transfer.SetRequestTimeout(1);
    transfer.Execute(server.Url(), QStringLiteral("POST"), "<request/>", QString());
    // Past the time-out given: only the caller's wait gives up.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 1500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(transfer.StillExecuting());
    EXPECT_FALSE(states.contains(InetTransfer::Error));
    transfer.Cancel();
}

TEST(InetTransfer, CancelStopsAHangingRequest)
{
    SimpleHttpServer server([](const SimpleHttpServer::Request&) { return std::nullopt; });
    ASSERT_TRUE(server.Listen());
    InetTransfer transfer;
    transfer.Execute(server.Url(), QStringLiteral("POST"), "<request/>", QString());
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(transfer.StillExecuting());
    transfer.Cancel();
    EXPECT_FALSE(transfer.StillExecuting());
    EXPECT_TRUE(transfer.GetChunk(1024).isEmpty());
}

} // namespace
