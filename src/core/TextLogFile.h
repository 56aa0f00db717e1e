#pragma once

#include "core/CStopWatch.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

// Time-stamped messages appended to a text file, one CR LF line each:
// either one fixed file, or one file per day named from a prefix and the
// date ("UpgradeLog240305.LOG"). Messages are buffered and written a batch
// at a time (10 by default); no file stays open between batches, and a
// batch that cannot be written is lost without a word.
class TextLogFile : public QObject {
    Q_OBJECT

public:
    explicit TextLogFile(QObject* parent = nullptr);
    // For tests: the tick source of the stopwatch that times the waits.
    explicit TextLogFile(CStopWatch::TickSource ticks, QObject* parent = nullptr);
    // Flushes an open log.
    ~TextLogFile() override;

    bool IsOpen() const { return m_isOpen; }
    QString ID() const { return m_id; }
    void SetID(const QString& value) { m_id = value; }
    // "" writes lines without a time stamp.
    void SetTimeStampFormat(const QString& strFormat) { m_timeStampFormat = strFormat; }
    // At least 1; drops the messages not yet written.
    void SetBufferSize(int16_t BufferSize);
    void SetPathAndName(const QString& PathAndName);
    // The file most recently written, "" before the first batch.
    QString GetPathAndName() const { return m_lastFileName; }
    // Without the flag, messages holding the separator are written bare.
    void SetSeparator(const QString& Value, bool EscapeSeparator = false);
    QString Separator() const { return m_separator; }
    void SetDatedPathAndName(const QString& Path, const QString& FNamePrefix);
    // A name given makes the log a fixed-file one. Opens no file.
    void OpenLogFile(const QString& PathAndName = {});
    // Fixed file only: flushes and closes, then deletes the file.
    void EraseLogFile();
    void CloseLogFile();
    void WriteToLog(const QString& Message);

signals:
    // For every message taken in, before any flush; timeStamp is "" when the
    // log writes none.
    void MessageWritten(const QString& id, const QString& timeStamp, const QString& message);

private:
    struct Entry {
        QDateTime time;
        QString message;
    };

    void Flush();
    // False when another write stayed busy through every wait.
    bool WaitWhileBusy();
    QString FileNameFor(const QDateTime& firstEntry) const;
    QString Line(const Entry& entry) const;

    QString m_pathAndName;
    QString m_lastFileName;
    QList<Entry> m_buffer;
    int16_t m_count = 0;
    bool m_isOpen = false;
    bool m_dated = false;
    bool m_busy = false;
    QString m_separator = QStringLiteral("\t");
    bool m_escapeSeparator = true;
    QString m_timeStampFormat = QStringLiteral("dd/mm/yyyy hh:nn:ss");
    QString m_id;
    CStopWatch::TickSource m_ticks;
    std::unique_ptr<CStopWatch> m_stopWatch;
};
