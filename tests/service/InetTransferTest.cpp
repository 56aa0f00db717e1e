#include "service/InetTransfer.h"
#include "support/Printers.h"

#include "SimpleHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

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

// Answers one request per connection, saying nothing of the connection,
// and leaves it open until the client closes it. A request sent on it after
// the answer is lost: the connection is dropped unanswered, as a server
// does that closes its connections a moment after answering.
class OneAnswerPerConnection {
public:
    OneAnswerPerConnection()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            ++connections;
            auto received = std::make_shared<QByteArray>();
            auto answered = std::make_shared<bool>(false);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received, answered] {
                *received += socket->readAll();
                const qsizetype end = received->indexOf("\r\n\r\n");
                if (end < 0 || received->size() < end + 4 + QByteArray("<request/>").size())
                    return;
                received->clear();
                if (*answered) {
                    ++lost;
                    socket->disconnect();
                    socket->abort();
                    return;
                }
                *answered = true;
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 9\r\n\r\n<answer/>");
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                ++closedByClient;
                socket->deleteLater();
            });
        });
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
    }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/nevix").arg(m_server.serverPort()); }

    int connections = 0;
    int closedByClient = 0;
    int lost = 0;

private:
    QTcpServer m_server;
};

TEST(InetTransfer, EachExchangeHasAConnectionOfItsOwnClosedWhenItEnds)
{
    OneAnswerPerConnection server;
    InetTransfer transfer;
    constexpr int Exchanges = 3;
    for (int i = 0; i < Exchanges; ++i) {
        QObject exchange;
        QList<int32_t> states;
        QObject::connect(&transfer, &InetTransfer::StateChanged, &exchange, [&](int32_t s) { states.append(s); });
        transfer.Execute(server.Url(), QStringLiteral("POST"), "<request/>", QString());
        WaitFor(transfer);
        ASSERT_FALSE(states.isEmpty());
        EXPECT_EQ(states.last(), InetTransfer::ResponseCompleted) << i << ": " << transfer.ResponseInfo().toStdString();
        EXPECT_EQ(transfer.GetChunk(1024), QByteArray("<answer/>")) << i;
    }
    QElapsedTimer guard;
    guard.start();
    while (server.closedByClient < Exchanges && guard.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(server.lost, 0);
    EXPECT_EQ(server.connections, Exchanges);
    EXPECT_EQ(server.closedByClient, Exchanges);
}

// Answers every request with a body far longer than the limit: its length
// declared and the body handed to the connection as fast as the client
// takes it; the same without a length (the body ends with the connection);
// or the length declared and the body held back.
enum class Body { Declared, Undeclared, Held };

class EndlessAnswer {
public:
    EndlessAnswer(qint64 declared, Body body) : m_declared(declared), m_body(body)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_request += socket->readAll();
                if (m_answering || !m_request.contains("\r\n\r\n"))
                    return;
                m_answering = true;
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n" +
                              (m_body == Body::Undeclared
                                   ? QByteArray("Connection: close\r\n")
                                   : "Content-Length: " + QByteArray::number(m_declared) + "\r\n") +
                              "\r\n");
                if (m_body != Body::Held)
                    Send(socket);
            });
            QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket] { Send(socket); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this] { closed = true; });
        });
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
    }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/nevix").arg(m_server.serverPort()); }

    qint64 sent = 0; // bytes of the body handed to the connection
    bool closed = false;

private:
    void Send(QTcpSocket* socket)
    {
        const QByteArray chunk(64 * 1024, 'x');
        while (m_answering && m_body != Body::Held && socket->state() == QAbstractSocket::ConnectedState &&
               socket->bytesToWrite() < 4 * chunk.size() && sent < m_declared) {
            socket->write(chunk);
            sent += chunk.size();
        }
    }

    QTcpServer m_server;
    qint64 m_declared;
    Body m_body;
    QByteArray m_request;
    bool m_answering = false;
};

class AnswerPastTheLimit : public ::testing::TestWithParam<Body> {};

// A declared length past the limit is refused before any of the body is
// read: the held body never comes, and the transfer still ends.
TEST_P(AnswerPastTheLimit, IsAnErrorAndStopsTheTransfer)
{
    const qint64 limit = 1024 * 1024;
    const qint64 declared = qint64(256) * 1024 * 1024;
    EndlessAnswer server(declared, GetParam());
    InetTransfer transfer;
    transfer.SetAnswerLimit(limit);
    QList<int32_t> states;
    QObject::connect(&transfer, &InetTransfer::StateChanged, [&](int32_t s) { states.append(s); });
    transfer.Execute(server.Url(), QStringLiteral("POST"), "<request/>", QString());
    WaitFor(transfer);
    QElapsedTimer guard;
    guard.start();
    while (!server.closed && guard.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    ASSERT_FALSE(states.isEmpty());
    EXPECT_EQ(states.last(), InetTransfer::Error);
    EXPECT_EQ(transfer.ResponseInfo(), QStringLiteral("The answer is larger than 1048576 bytes"));
    EXPECT_TRUE(transfer.GetChunk(1024).isEmpty());
    EXPECT_TRUE(server.closed) << "the client hung up";
    // What the connection's buffers hold on the way is all that got past
    // the limit: the rest was never sent.
    EXPECT_LT(server.sent, declared / 4);
}

INSTANTIATE_TEST_SUITE_P(Bodies, AnswerPastTheLimit, ::testing::Values(Body::Declared, Body::Undeclared, Body::Held),
                         [](const ::testing::TestParamInfo<Body>& info) {
                             switch (info.param) {
                             case Body::Declared: return std::string("Declared");
                             case Body::Undeclared: return std::string("Undeclared");
                             case Body::Held: return std::string("DeclaredAndHeldBack");
                             }
                             return std::string();
                         });

} // namespace
