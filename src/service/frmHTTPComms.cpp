#include "service/frmHTTPComms.h"

#include "core/ApplicationSettings.h"
#include "core/AtomicFile.h"
#include "core/DiskFunctions.h"
#include "core/SharedFolderFile.h"
#include "core/TimeConversion.h"
#include "core/VbFormat.h"
#include "database/LogLines.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "records/XMLUtils.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <utility>

namespace {
constexpr int32_t CommsEventCode = 64;

QString Now()
{
    return FormatDateTime(AppContext::Current().clock().Now(), QStringLiteral("dd/mm/yyyy hh:nn:ss"));
}

QString AccessTypeText(int16_t type)
{
    switch (type) {
    case 0: return QStringLiteral("Using user default connection settings (respecting proxy settings)");
    case 1: return QStringLiteral("Using a direct connection");
    case 2: return QStringLiteral("Using a named proxy (not supported by this program)");
    default: return QStringLiteral("Unknown type (") + QString::number(type) + u')';
    }
}

const char* const StateTexts[] = {"",          "Resolving host",     "Host resolved",     "Connecting",
                                  "Connected", "Requesting",         "Request sent",      "Receiving response",
                                  "Response received", "Disconnecting", "Disconnected"};

std::unique_ptr<frmHTTPComms>& Slot()
{
    static std::unique_ptr<frmHTTPComms> form;
    return form;
}
} // namespace

frmHTTPComms::frmHTTPComms(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("frmHTTPComms"));
    connect(&m_inet, &InetTransfer::StateChanged, this, &frmHTTPComms::Inet1_StateChanged);
}

QString frmHTTPComms::LastHttpErrorString() const
{
    return QStringLiteral("Connection to NEVIX service failed (") + m_lastError + u')';
}

void frmHTTPComms::RunNevixConnection(const NevixRequest& request, NevixResponse& response)
{
    response.SetRequest(request);
    m_logger = request.GetLogger();
    const QString document = request.ToXMLString();
    if (Settings().WriteCommsToFile())
        AppendToFile(QStringLiteral("VQ3.XML"), MaskPasswords(document).toUtf8());
    QByteArray answer = DoHttpPost(document);
    if (!answer.isEmpty())
        response.LoadFromRawAnswer(std::move(answer));
    else
        response.AddError(NevixErrorCodes::ConnectionFailed, LastHttpErrorString());
    m_logger = nullptr;
}

QByteArray frmHTTPComms::DoHttpPost(const QString& document)
{
    m_response.clear();
    m_lastError.clear();
    try {
        const ApplicationSettings& settings = Settings();
        const int32_t timeout = settings.NevixTimeOutSecs();
        m_inet.SetRequestTimeout(timeout);
        m_inet.SetAccessType(0);
        if (m_verbose) {
            CommsLog(QStringLiteral("Starting with Access Type: ") + AccessTypeText(m_inet.AccessType()), true);
            const NullableDate utc = LocalToUTC(AppContext::Current().clock().Now());
            CommsLog(QStringLiteral("Connection started at: ") + Now() + QStringLiteral(" (") +
                         (utc ? FormatDateTime(*utc, QStringLiteral("hh:nn:ss")) : QString()) +
                         QStringLiteral(" UTC)"),
                     true);
            CommsLog(QStringLiteral("Time out value set to ") + QString::number(m_inet.RequestTimeout()), true);
            CommsLog(QStringLiteral("Sending (first 255 characters of) : ") + MaskedStart(document), true);
            CommsLog(QStringLiteral("Sending to: ") + settings.NevixHost(), true);
        }
        CommsLog(QStringLiteral("Starting connection at ") + Now(), false);
        m_inet.Execute(settings.NevixHost(), QStringLiteral("POST"), document.toUtf8(),
                       QStringLiteral("Content-Type:application/x-www-form-urlencoded"));
        CommsLog(QStringLiteral("Waiting for response"), true);

        // Events keep flowing while the answer is awaited; the wait ends as
        // soon as the transfer finishes, or when the time-out passes.
        const bool timedOut = WaitForAnswer(timeout);
        const double counter = double(m_waitMilliseconds) / 1000.0;

        if (m_verbose) {
            CommsLog(QStringLiteral("Still Executing is  ") +
                         (m_inet.StillExecuting() ? QStringLiteral("True") : QStringLiteral("False")),
                     true);
            CommsLog(QStringLiteral("Elapsed loop time: ") + QString::number(counter), true);
        }
        CommsLog(QStringLiteral("Finished connection at ") + Now(), false);
        if (m_inet.StillExecuting())
            m_inet.Cancel();
        if (timedOut) {
            m_httpStatus = TimedOutStatus;
            m_lastError = QStringLiteral("Communications timed out");
        }
        if (!m_lastError.isEmpty()) {
            if (m_httpStatus != TimedOutStatus)
                m_httpStatus = InetTransfer::Error;
            m_response.clear();
            CommsLog(QStringLiteral("Response cleared because of error (") + m_lastError + u')', false);
            return {};
        }
        // The answer's start is made text alone: 255 characters take at
        // most four bytes each.
        CommsLog(QStringLiteral("Response (first 255 characters of): ") +
                     QString::fromUtf8(m_response.left(4 * 255 + 4)).left(255),
                 true);
        if (settings.WriteCommsToFile())
            AppendToFile(QStringLiteral("VQ7.XML"), m_response);
        return std::exchange(m_response, QByteArray());
    } catch (const NevixError& e) {
        m_httpStatus = InetTransfer::Error;
        m_response.clear();
        CommsLog(QStringLiteral("Response cleared because of application error in DoHTTTPPost (") +
                     e.Description() + u')',
                 false);
        return {};
    }
}

void frmHTTPComms::Inet1_StateChanged(int32_t state)
{
    m_httpStatus = state;
    QString text;
    if (state >= 0 && state <= 10) {
        text = QString::fromLatin1(StateTexts[state]);
    } else if (state == InetTransfer::Error) {
        m_lastError = m_inet.ResponseInfo();
        text = QStringLiteral("ERR: ") + m_lastError;
    } else if (state == InetTransfer::ResponseCompleted) {
        text = QStringLiteral("Response complete");
        // Taken whole, as bytes: an answer may run to hundreds of
        // megabytes, and its readers read the bytes.
        m_response = m_inet.TakeAnswer();
    }
    CommsLog(text, true);
}

void frmHTTPComms::CommsLog(const QString& text, bool verboseOnly)
{
    if (!m_logger || (verboseOnly && !m_verbose))
        return;
    m_logger->AddToLog(CommsEventCode, text);
}

bool frmHTTPComms::WaitForAnswer(int32_t timeoutSeconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    bool timedOut = false;
    if (m_inet.StillExecuting()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        connect(&m_inet, &InetTransfer::StateChanged, &loop, [&] {
            if (!m_inet.StillExecuting())
                loop.quit();
        });
        timer.start(std::max(int64_t(timeoutSeconds) * 1000, int64_t(100)));
        loop.exec();
    }
    m_waitMilliseconds = elapsed.elapsed();
    return timedOut;
}

QString frmHTTPComms::MaskPasswords(const QString& document)
{
    // The whole element content goes, escaped as it stands, so no form of
    // the password survives.
    static const QRegularExpression secret(
        QStringLiteral("<(Password|NewPassword|ConfirmedPassword)>[^<]*</\\1>"));
    QString masked = document;
    masked.replace(secret, QStringLiteral("<\\1>**********</\\1>"));
    return masked;
}

QString frmHTTPComms::MaskedStart(const QString& document)
{
    // Masked before the text is cut, so an element cut at the limit cannot
    // leak a part of it.
    return MaskPasswords(document).left(255);
}

void frmHTTPComms::AppendToFile(const QString& name, const QByteArray& text)
{
    const QString folder = ToForwardSlashes(Settings().WriteCommsToFileLocation());
    const QString path = ToForwardSlashes(AddTrailingBackslash(folder) + name);
    // The copies hold keeper data, in a folder others may write: a new file
    // is readable by the owner and group only, and an existing name is
    // written only when it is a regular file of this user (never through a
    // link, never a FIFO that would hold the exchange for ever).
    const QByteArray native = QFile::encodeName(path);
    QString reason;
    int fd = ::open(native.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::fchmod(fd, AtomicFile::KeeperDataMode);
    else if (errno == EEXIST)
        fd = SharedFolderFile::Open(path, O_WRONLY | O_APPEND, SharedFolderFile::Owner::Mine, &reason);
    if (fd < 0 && (errno == ELOOP || errno == EINVAL || errno == EPERM)) {
        const QString warning = QStringLiteral("No copy written to ") + path + QStringLiteral(": ") + reason;
        if (m_logger && m_logger->GetLogHeader())
            m_logger->AddToLog(EventCodes::Warning, warning);
        else
            std::fprintf(stderr, "%s\n", warning.toLocal8Bit().constData());
        return;
    }
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle))
        throw NevixError(ErrorNumbers::PathFileAccess, fd < 0 ? qt_error_string(errno) : file.errorString(),
                         QStringLiteral("frmHTTPComms"));
    file.write(text);
    file.write("\r\n");
}

frmHTTPComms& HTTPCommsForm()
{
    auto& slot = Slot();
    if (!slot)
        slot = std::make_unique<frmHTTPComms>();
    return *slot;
}

bool IsHTTPCommsFormLoaded()
{
    return Slot() != nullptr;
}

void UnloadHTTPCommsForm()
{
    Slot().reset();
}
