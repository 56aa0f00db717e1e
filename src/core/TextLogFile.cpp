#include "core/TextLogFile.h"

#include "core/DiskFunctions.h"
#include "core/VbFormat.h"
#include "platform/AppContext.h"

#include <QFile>

#include <algorithm>

namespace {
constexpr int16_t DefaultBufferSize = 10;
constexpr int BusyWaits = 20;
constexpr int32_t BusyWaitMilliseconds = 200;
} // namespace

TextLogFile::TextLogFile(QObject* parent) : TextLogFile(&CStopWatch::MonotonicMilliseconds, parent)
{
}

TextLogFile::TextLogFile(CStopWatch::TickSource ticks, QObject* parent)
    : QObject(parent), m_buffer(DefaultBufferSize), m_ticks(std::move(ticks))
{
}

TextLogFile::~TextLogFile()
{
    if (m_isOpen)
        CloseLogFile();
}

void TextLogFile::SetBufferSize(int16_t BufferSize)
{
    m_buffer = QList<Entry>(std::max<int16_t>(BufferSize, 1));
    m_count = 0;
}

void TextLogFile::SetPathAndName(const QString& PathAndName)
{
    m_pathAndName = ToForwardSlashes(PathAndName);
    m_dated = false;
}

void TextLogFile::SetSeparator(const QString& Value, bool EscapeSeparator)
{
    m_separator = Value;
    m_escapeSeparator = EscapeSeparator;
}

void TextLogFile::SetDatedPathAndName(const QString& Path, const QString& FNamePrefix)
{
    QString folder = ToForwardSlashes(Path);
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    m_pathAndName = folder + FNamePrefix;
    m_dated = true;
}

void TextLogFile::OpenLogFile(const QString& PathAndName)
{
    if (!PathAndName.isEmpty())
        SetPathAndName(PathAndName);
    m_isOpen = true;
}

void TextLogFile::EraseLogFile()
{
    if (m_dated)
        return;
    if (m_isOpen)
        CloseLogFile();
    QFile::remove(m_pathAndName);
}

void TextLogFile::CloseLogFile()
{
    Flush();
    m_isOpen = false;
}

void TextLogFile::WriteToLog(const QString& Message)
{
    if (!m_isOpen || !WaitWhileBusy())
        return;
    m_busy = true;
    Entry& entry = m_buffer[m_count];
    entry = {AppContext::Current().clock().Now(), Message};
    const QString stamp =
        m_timeStampFormat.isEmpty() ? QString() : FormatDateTime(entry.time, m_timeStampFormat);
    emit MessageWritten(m_id, stamp, Message);
    if (++m_count >= m_buffer.size())
        Flush();
    m_busy = false;
}

// Another write may be under way further down the stack while events are
// pumped; wait for it a while, but never block for long.
bool TextLogFile::WaitWhileBusy()
{
    for (int wait = 0; wait < BusyWaits && m_busy; ++wait) {
        if (!m_stopWatch)
            m_stopWatch = std::make_unique<CStopWatch>(m_ticks);
        m_stopWatch->Reset();
        while (m_stopWatch->Elapsed() < BusyWaitMilliseconds) {
            AppContext::Current().ui().PumpEvents();
            CStopWatch::SleepFor(1);
        }
    }
    return !m_busy;
}

QString TextLogFile::FileNameFor(const QDateTime& firstEntry) const
{
    if (!m_dated)
        return m_pathAndName;
    return m_pathAndName + FormatDateTime(firstEntry, QStringLiteral("yymmdd")) +
           QStringLiteral(".LOG");
}

QString TextLogFile::Line(const Entry& entry) const
{
    QString message = entry.message;
    if (m_escapeSeparator && !m_separator.isEmpty() && message.contains(m_separator))
        message = u'"' + message + u'"';
    if (m_timeStampFormat.isEmpty())
        return message;
    return FormatDateTime(entry.time, m_timeStampFormat) + m_separator + message;
}

// Failures are not reported: the batch is dropped and the next one tried.
void TextLogFile::Flush()
{
    if (m_count == 0)
        return;
    m_lastFileName = FileNameFor(m_buffer.at(0).time);
    QByteArray data;
    for (int16_t i = 0; i < m_count; ++i)
        data += Line(m_buffer.at(i)).toUtf8() + "\r\n";
    QFile file(m_lastFileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(data);
    std::fill(m_buffer.begin(), m_buffer.begin() + m_count, Entry());
    m_count = 0;
}
