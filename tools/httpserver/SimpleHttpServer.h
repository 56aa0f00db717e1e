#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QTcpServer;
class QTcpSocket;

// A small HTTP/1.1 server on loopback for the stand-in service and the
// tests: each request's body goes to the handler, whose answer is sent
// back, at once or held a while, whole or cut off by a dropped
// connection; no answer leaves the request hanging (to test time-outs).
class SimpleHttpServer : public QObject {
    Q_OBJECT
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/xml; charset=utf-8";
        // Held this long before it is sent (events keep flowing meanwhile).
        int delayMilliseconds = 0;
        // When 0 or more: only that many bytes of the whole reply (status
        // line and headers included) are sent, then the connection is
        // dropped; 0 drops it before any answer.
        qsizetype dropAfterBytes = -1;
    };
    struct Request {
        QByteArray method;
        QByteArray path;
        QByteArray contentType;
        QByteArray body;
    };
    using Handler = std::function<std::optional<Answer>(const Request&)>;

    explicit SimpleHttpServer(Handler handler, QObject* parent = nullptr);

    // Listens on 127.0.0.1; port 0 takes a free one. False when it cannot.
    bool Listen(quint16 port = 0);
    quint16 Port() const;
    QString Url(const QString& path = QStringLiteral("/nevix")) const;

private:
    void Accept();
    void Read(QTcpSocket* socket);

    Handler m_handler;
    QTcpServer* m_server;
};
