#include "database/LogLines.h"

#include "core/Utils.h"
#include "database/CDataBase.h"
#include "database/InTransaction.h"
#include "database/RecordSet.h"
#include "database/SqliteError.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"

#include <limits>

namespace {

QDateTime Now()
{
    return AppContext::Current().clock().Now();
}

// A run's number is its start line's key without the one-letter prefix.
int32_t RunNumberOf(const QString& logId)
{
    bool ok = false;
    const int32_t number = logId.mid(1).toInt(&ok);
    if (!ok)
        throw NevixError(ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch"),
                         QStringLiteral("LogLines.BeginLogging"));
    return number;
}
} // namespace

QString OneLine(const QString& text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : line) {
        const QChar::Category kind = c.category();
        if (kind == QChar::Other_Control || kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph)
            c = u' ';
    }
    return line;
}

LogLines::LogLines(QObject* parent) : QObject(parent) {}

void LogLines::Add(Pointer oLine)
{
    if (oLine->IsNew())
        oLine->SetLogId(QStringLiteral("NW") + QString::number(Count() + 1));
    RecordCollection::Add(std::move(oLine));
}

LogLines::Pointer LogLines::Find(const QString& Value) const
{
    for (const Pointer& line : NewEnum()) {
        if (line->LogId() == Value)
            return line;
    }
    return nullptr;
}

int32_t LogLines::CountWithoutLoading()
{
    return CountWithoutLoadingInternal({});
}

int32_t LogLines::CountWithoutLoadingInternal(const QString& SqlWhereClause, const SqlValues& values)
{
    RecordSet rs = RequireDataSource().OpenRecordSet(
        QStringLiteral("SELECT COUNT(*) AS Number_Of_Lines FROM Transmission_Log ") + SqlWhereClause,
        values);
    const int32_t count = rs.HasRow() ? rs.Long(QStringLiteral("Number_Of_Lines")).value_or(0) : 0;
    rs.Close();
    return count;
}

int32_t LogLines::RemoveLogLines(const QDateTime& TimeOfEventDateOlderThan)
{
    // The lines of the day itself stay.
    const QString where = QStringLiteral(" WHERE Time_Of_Event < ? ");
    const SqlValues values{LocalDateTime(TimeOfEventDateOlderThan.date(), QTime(0, 0))};
    if (CountWithoutLoadingInternal(where, values) == 0)
        return 0;
    return RequireDataSource().ExecuteUpdate(QStringLiteral("DELETE FROM Transmission_Log ") + where,
                                             values);
}

LogLines::Pointer LogLines::NewLineOfRun(int32_t eventCode, const QString& text) const
{
    if (eventCode < std::numeric_limits<int16_t>::min() || eventCode > std::numeric_limits<int16_t>::max())
        throw NevixError::Overflow(QStringLiteral("LogLines.AddToLog"));
    auto line = std::make_shared<LogLine>();
    line->SetEventCode(int16_t(eventCode));
    line->SetEventText(OneLine(text));
    line->SetRunNumber(m_header->RunNumber());
    line->SetUserName(m_header->UserName());
    line->SetComputerName(m_header->ComputerName());
    line->SetProcessCode(m_header->ProcessCode());
    line->SetTimeOfEvent(Now());
    return line;
}

void LogLines::StoreHeader()
{
    // Stored whole or not at all: a failure leaves the header unsaved,
    // with run number 0.
    const auto before = m_header->SaveState();
    try {
        InTransaction(RequireDataSource(), [this] {
            m_header->Apply();
            m_header->SetRunNumber(RunNumberOf(m_header->LogId()));
            m_header->Apply();
        });
    } catch (...) {
        m_header->RestoreState(*before);
        throw;
    }
}

void LogLines::BeginLogging(const QString& ProcessCode, const QString& ProcessDesc,
                            const QString& UserName)
{
    m_header = std::make_shared<LogLine>();
    m_ended = false;
    m_warningCount = 0;
    m_errorCount = 0;
    m_fatalCount = 0;
    Clear();
    m_header->SetDataSource(DataSource());
    m_header->SetEventCode(int16_t(EventCodes::Start));
    m_header->SetEventText(ProcessDesc);
    m_header->SetUserName(UserName);
    m_header->SetComputerName(GetThisComputerName());
    m_header->SetProcessCode(ProcessCode);
    m_header->SetTimeOfEvent(Now());
    if (DataSource())
        StoreHeader();
    Add(m_header);
    emit LogLineAdded(m_header, 0);
}

void LogLines::AddToLog(int32_t EventCode, const QString& Message)
{
    if (!m_header)
        return;
    Pointer line = NewLineOfRun(EventCode, Message);
    Add(line);
    emit LogLineAdded(line, 1);
    switch (EventCode) {
    case EventCodes::Warning: ++m_warningCount; break;
    case EventCodes::Error: ++m_errorCount; break;
    case EventCodes::Fatal: ++m_fatalCount; break;
    default: break;
    }
}

void LogLines::EndLogging()
{
    // A run has one end line, however many of its users end it.
    if (!m_header || m_ended)
        return;
    m_ended = true;
    Pointer line = NewLineOfRun(EventCodes::End, m_header->EventText());
    Add(line);
    emit LogLineAdded(line, 2);
    if (DataSource())
        Apply();
}

int32_t LogLines::GetLastRunNumber()
{
    RecordSet rs = RequireDataSource().OpenRecordSet(
        QStringLiteral("SELECT max(Run_Number) AS MRun_Number FROM Transmission_Log "));
    const int32_t number = rs.HasRow() ? rs.Long(QStringLiteral("MRun_Number")).value_or(0) : 0;
    rs.Close();
    return number;
}

void LogLines::LoadMostRecent()
{
    LoadBySQL(QStringLiteral("SELECT * From Transmission_Log where Run_Number=? ORDER BY LogId"),
              {GetLastRunNumber()});
    if (Count() > 0)
        m_header = Item(1);
}

void LogLines::LoadFromDate(const QDateTime& StartDate)
{
    const QDateTime last = StartDate.addDays(-1).addSecs(23 * 3600 + 59 * 60 + 59);
    LoadBySQL(QStringLiteral("SELECT * From Transmission_Log where Time_of_Event>? ORDER BY LogId"),
              {last});
}

void LogLines::Load()
{
    LoadBySQL(QStringLiteral("SELECT * From Transmission_Log ORDER BY LogId"));
}

void LogLines::LoadBySQL(const QString& sql, const SqlValues& values)
{
    RecordCollection::LoadBySQL(sql, values);
}
