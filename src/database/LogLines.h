#pragma once

#include "database/LogLine.h"
#include "database/RecordCollection.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

// Event codes of the transmission log: one bit each, so that a set of
// them fits in one mask (the log screens' filter).
namespace EventCodes {
constexpr int32_t Start = 8;
constexpr int32_t End = 16;
constexpr int32_t Information = 32;
constexpr int32_t Communication = 64;
constexpr int32_t Warning = 128;
constexpr int32_t Error = 256;
constexpr int32_t Fatal = 512;
} // namespace EventCodes

// A text as a line of the log holds it: one row is one line in the viewers
// and in a saved log, whatever a text from the service, a file or a box
// holds, so a CR LF pair and every other control character or line break
// become one blank each.
QString OneLine(const QString& text);

// The transmission log, in two roles: the logger of one run (the start
// line is stored at once and fixes the run number; the other lines are
// kept and counted, and stored together at EndLogging), and the lines read
// back for the log screens and purged by maintenance.
class LogLines : public QObject, public RecordCollection<LogLine> {
    Q_OBJECT

public:
    explicit LogLines(QObject* parent = nullptr);

    // A new line is added under a temporary key "NW" and its position.
    void Add(Pointer oLine) override;
    // The first line whose LogId is Value (letter case counts), or none.
    Pointer Find(const QString& Value) const;

    int32_t CountWithoutLoading();
    // Rows of the table that match the WHERE text (values bound to it).
    int32_t CountWithoutLoadingInternal(const QString& SqlWhereClause, const SqlValues& values = {});
    // Removes the lines of the days before the date's day and tells how
    // many went.
    int32_t RemoveLogLines(const QDateTime& TimeOfEventDateOlderThan);

    // The run's start line; none before BeginLogging or LoadMostRecent.
    Pointer GetLogHeader() const { return m_header; }
    void BeginLogging(const QString& ProcessCode, const QString& ProcessDesc, const QString& UserName);
    // Codes beyond 16 bits raise an overflow error.
    void AddToLog(int32_t EventCode, const QString& Message);
    // Ends the run begun last; a run that has ended is left alone.
    void EndLogging();
    // A run is begun and not yet ended.
    bool IsLogging() const { return m_header && !m_ended; }

    int32_t ErrorCount() const { return m_errorCount; }
    int32_t WarningCount() const { return m_warningCount; }
    int32_t FatalCount() const { return m_fatalCount; }
    int32_t AllErrorsCount() const { return m_errorCount + m_fatalCount; }

    int32_t GetLastRunNumber();
    void LoadMostRecent();
    // Every line from the start of the day of StartDate on.
    void LoadFromDate(const QDateTime& StartDate);
    void Load();
    void LoadBySQL(const QString& sql, const SqlValues& values = {});

signals:
    // oAddedWhen: 0 the start line, 1 an added line, 2 the end line.
    void LogLineAdded(const std::shared_ptr<LogLine>& oLogLine, int32_t oAddedWhen);

private:
    Pointer NewLineOfRun(int32_t eventCode, const QString& text) const;
    void StoreHeader();

    Pointer m_header;
    bool m_ended = false;
    int32_t m_warningCount = 0;
    int32_t m_errorCount = 0;
    int32_t m_fatalCount = 0;
};
