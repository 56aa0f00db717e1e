#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>

class QNetworkAccessManager;

// The HTTP transfer component the send procedure drives: one request at a
// time, answered through state notifications, the answer read in chunks.
// A request is sent once: a connection that drops is an error, never a
// silent second post. Each exchange has a connection of its own, closed
// when it ends. An answer longer than the limit is an error too: refused
// at its headers when it declares its length, otherwise as soon as the
// limit is passed, and never buffered far past what was read, so that a
// broken or hostile server cannot fill the memory.
// States: 1 resolving host ... 10 disconnected, 11 error (ResponseInfo
// says why), 12 response complete.
class InetTransfer : public QObject {
    Q_OBJECT
public:
    enum State : int32_t {
        None = 0,
        ResolvingHost = 1,
        HostResolved = 2,
        Connecting = 3,
        Connected = 4,
        Requesting = 5,
        RequestSent = 6,
        ReceivingResponse = 7,
        ResponseReceived = 8,
        Disconnecting = 9,
        Disconnected = 10,
        Error = 11,
        ResponseCompleted = 12,
    };

    // Far above the largest answer an exchange can bring: a delivery of a
    // whole batch of 32,767 responses, every field at its stored width, is
    // under 200 MB.
    static constexpr qint64 MaxAnswerBytes = qint64(256) * 1024 * 1024;

    explicit InetTransfer(QObject* parent = nullptr);
    ~InetTransfer() override;

    // Kept for the caller's wait and its log; the transfer itself has no
    // time-out.
    int32_t RequestTimeout() const { return m_requestTimeout; }
    void SetRequestTimeout(int32_t seconds) { m_requestTimeout = seconds; }
    // The answer's limit in bytes (MaxAnswerBytes unless set).
    void SetAnswerLimit(qint64 bytes) { m_answerLimit = bytes; }
    // 0 the system's settings (proxy included), 1 direct, 2 named proxy.
    int16_t AccessType() const { return m_accessType; }
    void SetAccessType(int16_t value) { m_accessType = value; }

    // Starts the request; the answer comes through StateChanged.
    void Execute(const QString& url, const QString& operation, const QByteArray& data,
                 const QString& requestHeaders);
    bool StillExecuting() const { return m_reply != nullptr; }
    QString ResponseInfo() const { return m_responseInfo; }
    void Cancel();
    // The next part of the answer, at most size bytes; empty at its end.
    QByteArray GetChunk(int32_t size);
    // The rest of the answer at once, handed over without a copy.
    QByteArray TakeAnswer();

signals:
    void StateChanged(int32_t state);

private:
    void Finished();
    // Takes what has come of the answer; false, with the transfer stopped
    // as an error, when the answer has passed its limit.
    bool ReadArrived(QNetworkReply* reply);
    // Ends the transfer as an error: the answer is past its limit.
    void RefuseAnswer();
    // The request asked for the connection to be closed after the answer;
    // the network layer would keep it for the next exchange unless the
    // answer says so too, and a server that closes it a moment later then
    // loses that request. No connection outlives its exchange.
    void CloseConnections();
    void Notify(State state);

    QNetworkAccessManager* m_manager;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_answer;
    qsizetype m_read = 0;
    QString m_responseInfo;
    qint64 m_answerLimit = MaxAnswerBytes;
    int32_t m_requestTimeout = 60;
    int16_t m_accessType = 0;
    bool m_receiving = false;
};
