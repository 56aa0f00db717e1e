#pragma once

#include "service/InetTransfer.h"

#include <QObject>
#include <QString>

#include <cstdint>

class LogLines;
class NevixRequest;
class NevixResponse;

// Posts request documents to the service and gathers the answers: one
// request at a time, waiting while events keep flowing until the answer is
// complete, giving up after the configured time-out (its own: the transfer
// has none). Passwords are masked in the log and in the copies of requests. Its connection account goes to
// the log of the request being sent (event code 64).
class frmHTTPComms : public QObject {
    Q_OBJECT
public:
    static constexpr int32_t TimedOutStatus = 35761;

    // The document with the content of every password element masked.
    static QString MaskPasswords(const QString& document);

    explicit frmHTTPComms(QObject* parent = nullptr);

    void SetVerboseLogging(bool value) { m_verbose = value; }
    int32_t HttpStatus() const { return m_httpStatus; }
    QString LastHttpErrorString() const;

    void RunNevixConnection(const NevixRequest& request, NevixResponse& response);
    // The answer as it came (UTF-8), handed over whole: the form keeps no
    // copy. Empty when none came.
    QByteArray DoHttpPost(const QString& document);

    InetTransfer& Inet1() { return m_inet; }

private:
    void Inet1_StateChanged(int32_t state);
    void CommsLog(const QString& text, bool verboseOnly);
    // True when the time-out passed before the transfer finished.
    bool WaitForAnswer(int32_t timeoutSeconds);
    static QString MaskedStart(const QString& document);
    // Adds a copy of a request or answer to a file in the folder the
    // settings name. A name held by anything but a regular file of this
    // user is left alone, with a warning in the run's log: the copies are
    // an aid, and the exchange goes on without one.
    void AppendToFile(const QString& name, const QByteArray& text);

    InetTransfer m_inet;
    bool m_verbose = false;
    int32_t m_httpStatus = 0;
    QByteArray m_response;
    QString m_lastError;
    LogLines* m_logger = nullptr;
    int64_t m_waitMilliseconds = 0;
};

// The one program-wide instance, made on first use.
frmHTTPComms& HTTPCommsForm();
bool IsHTTPCommsFormLoaded();
void UnloadHTTPCommsForm();
