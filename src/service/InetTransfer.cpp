#include "service/InetTransfer.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

InetTransfer::InetTransfer(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this))
{
}

InetTransfer::~InetTransfer()
{
    Cancel();
}

void InetTransfer::Execute(const QString& url, const QString& operation, const QByteArray& data,
                           const QString& requestHeaders)
{
    Cancel();
    m_answer.clear();
    m_read = 0;
    m_responseInfo.clear();
    m_receiving = false;

    QNetworkRequest request{QUrl(url)};
    // "Name:value" lines, as the caller writes them.
    for (const QString& line : requestHeaders.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0)
            request.setRawHeader(line.left(colon).trimmed().toLatin1(),
                                 line.mid(colon + 1).trimmed().toLatin1());
    }
    if (m_requestTimeout > 0)
        request.setTransferTimeout(m_requestTimeout * 1000);
    m_manager->setProxy(m_accessType == 1 ? QNetworkProxy(QNetworkProxy::NoProxy)
                                          : QNetworkProxy(QNetworkProxy::DefaultProxy));

    Notify(Connecting);
    Notify(Requesting);
    m_reply = m_manager->sendCustomRequest(request, operation.toLatin1(), data);
    connect(m_reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
        if (total > 0 && sent == total)
            Notify(RequestSent);
    });
    connect(m_reply, &QNetworkReply::readyRead, this, [this] {
        if (!m_receiving) {
            m_receiving = true;
            Notify(ReceivingResponse);
        }
    });
    connect(m_reply, &QNetworkReply::finished, this, &InetTransfer::Finished);
}

void InetTransfer::Finished()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    reply->deleteLater();
    // An answer from the server is an answer, whatever its HTTP status: an
    // error page is read like any other text and fails the document checks.
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (!answered) {
        m_responseInfo = reply->errorString();
        Notify(Error);
        return;
    }
    m_answer = reply->readAll();
    Notify(ResponseReceived);
    Notify(Disconnected);
    Notify(ResponseCompleted);
}

void InetTransfer::Cancel()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

QByteArray InetTransfer::GetChunk(int32_t size)
{
    const QByteArray part = m_answer.mid(m_read, size);
    m_read += part.size();
    return part;
}

void InetTransfer::Notify(State state)
{
    emit StateChanged(state);
}
