#include "SimpleHttpServer.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
const char* Reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}
} // namespace

SimpleHttpServer::SimpleHttpServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &SimpleHttpServer::Accept);
}

bool SimpleHttpServer::Listen(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

quint16 SimpleHttpServer::Port() const
{
    return m_server->serverPort();
}

QString SimpleHttpServer::Url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(Port()).arg(path);
}

void SimpleHttpServer::Accept()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
    }
}

void SimpleHttpServer::Read(QTcpSocket* socket)
{
    // The request so far is kept on the socket until it is whole.
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    Request request;
    qsizetype length = 0;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (const QByteArray& raw : lines.mid(1)) {
        const QByteArray line = raw.trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length")
            length = value.toLongLong();
        else if (name == "content-type")
            request.contentType = value;
    }
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    socket->setProperty("buffer", QByteArray());

    const std::optional<Answer> answer = m_handler(request);
    if (!answer)
        return; // left hanging
    const QByteArray reply = "HTTP/1.1 " + QByteArray::number(answer->status) + ' ' + Reason(answer->status) +
                             "\r\nContent-Type: " + answer->contentType +
                             "\r\nContent-Length: " + QByteArray::number(answer->body.size()) +
                             "\r\nConnection: close\r\n\r\n" + answer->body;
    const qsizetype drop = answer->dropAfterBytes;
    const auto send = [socket, reply, drop] {
        if (drop < 0) {
            socket->write(reply);
            socket->disconnectFromHost();
            return;
        }
        socket->write(reply.left(drop));
        socket->flush();
        socket->abort();
    };
    if (answer->delayMilliseconds > 0)
        QTimer::singleShot(answer->delayMilliseconds, socket, send);
    else
        send();
}
