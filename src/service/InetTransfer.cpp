#include "service/InetTransfer.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <cstring>
#include <utility>

namespace {

// The request body as a device that can be read once only. Qt's network
// access re-sends a request by itself when the connection drops before
// the answer; with a body it cannot rewind, it reports the drop instead,
// so a document reaches the service at most once per Execute.
class ReadOnceBody : public QIODevice {
public:
    ReadOnceBody(const QByteArray& data, QObject* parent) : QIODevice(parent), m_data(data)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool reset() override { return false; }
    qint64 bytesAvailable() const override { return m_data.size() - m_read + QIODevice::bytesAvailable(); }
    bool atEnd() const override { return m_read >= m_data.size() && QIODevice::bytesAvailable() == 0; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = qMin(maxSize, qint64(m_data.size() - m_read));
        std::memcpy(data, m_data.constData() + m_read, size_t(n));
        m_read += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    qsizetype m_read = 0;
};

// Failures of the connection itself, as opposed to an answer that came
// with an HTTP error status.
bool IsTransportFailure(QNetworkReply::NetworkError error)
{
    return (error > QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied) ||
           error == QNetworkReply::ContentReSendError;
}

constexpr qint64 AnswerBufferBytes = 1024 * 1024;

} // namespace

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
    // No transfer time-out of Qt's own: the caller's wait alone decides
    // when to give up. One connection per exchange, closed after it, and
    // a redirect is an answer like any other.
    request.setTransferTimeout(0);
    request.setRawHeader("Connection", "close");
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
    request.setHeader(QNetworkRequest::ContentLengthHeader, data.size());
    m_manager->setProxy(m_accessType == 1 ? QNetworkProxy(QNetworkProxy::NoProxy)
                                          : QNetworkProxy(QNetworkProxy::DefaultProxy));

    Notify(Connecting);
    Notify(Requesting);
    auto* body = new ReadOnceBody(data, nullptr);
    m_reply = m_manager->sendCustomRequest(request, operation.toLatin1(), body);
    body->setParent(m_reply);
    connect(m_reply, &QNetworkReply::uploadProgress, this, [this](qint64 sent, qint64 total) {
        if (total > 0 && sent == total)
            Notify(RequestSent);
    });
    // Read as it comes, through a small buffer, so that the limit is
    // checked before more of the answer is taken in. The network layer's
    // own thread learns the size only once the request is under way there,
    // so it is given again then (the request sent, or an early answer
    // begun); without it that thread would take in the whole answer,
    // whatever its size.
    const qint64 buffer = qMin<qint64>(m_answerLimit + 1, AnswerBufferBytes);
    m_reply->setReadBufferSize(buffer);
    connect(m_reply, &QNetworkReply::requestSent, this, [this, buffer] {
        if (m_reply)
            m_reply->setReadBufferSize(buffer);
    });
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this, buffer] {
        if (!m_reply)
            return;
        m_reply->setReadBufferSize(buffer);
        // A length past the limit is refused before any of the body comes.
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_answerLimit && !m_reply->hasRawHeader("Content-Encoding"))
            RefuseAnswer();
    });
    connect(m_reply, &QNetworkReply::readyRead, this, [this] {
        if (!m_receiving) {
            m_receiving = true;
            Notify(ReceivingResponse);
        }
        ReadArrived(m_reply);
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
    CloseConnections();
    // An answer from the server is an answer, whatever its HTTP status: an
    // error page is read like any other text and fails the document checks.
    // A connection lost before or during the answer is a failure, even when
    // part of the answer came.
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (!answered || IsTransportFailure(reply->error())) {
        m_answer.clear();
        m_responseInfo = reply->error() == QNetworkReply::ContentReSendError
                             ? QStringLiteral("Connection closed before the answer came")
                             : reply->errorString();
        Notify(Error);
        return;
    }
    if (!ReadArrived(reply))
        return;
    Notify(ResponseReceived);
    Notify(Disconnected);
    Notify(ResponseCompleted);
}

bool InetTransfer::ReadArrived(QNetworkReply* reply)
{
    if (!reply)
        return false;
    // Straight into the answer: no part of it is held twice.
    const qint64 wanted = qMin(reply->bytesAvailable(), m_answerLimit + 1 - m_answer.size());
    if (wanted > 0) {
        const qsizetype at = m_answer.size();
        m_answer.resize(at + wanted);
        m_answer.resize(at + qMax<qint64>(reply->read(m_answer.data() + at, wanted), 0));
    }
    if (m_answer.size() <= m_answerLimit)
        return true;
    RefuseAnswer();
    return false;
}

void InetTransfer::RefuseAnswer()
{
    Cancel();
    m_answer = QByteArray();
    m_read = 0;
    m_responseInfo = QStringLiteral("The answer is larger than %1 bytes").arg(m_answerLimit);
    Notify(Error);
}

void InetTransfer::CloseConnections()
{
    m_manager->clearConnectionCache();
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
    CloseConnections();
}

QByteArray InetTransfer::GetChunk(int32_t size)
{
    const QByteArray part = m_answer.mid(m_read, size);
    m_read += part.size();
    return part;
}

QByteArray InetTransfer::TakeAnswer()
{
    QByteArray rest = m_read == 0 ? std::exchange(m_answer, QByteArray()) : m_answer.mid(m_read);
    m_answer = QByteArray();
    m_read = 0;
    return rest;
}

void InetTransfer::Notify(State state)
{
    emit StateChanged(state);
}
