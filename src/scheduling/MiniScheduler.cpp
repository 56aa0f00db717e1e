#include "scheduling/MiniScheduler.h"

#include "database/RecordSet.h"
#include "platform/AppContext.h"
#include "scheduling/NextRun.h"

namespace {
bool TwoDigits(const QString& text, qsizetype at, int highest)
{
    const QChar tens = text.at(at);
    const QChar units = text.at(at + 1);
    if (tens < QLatin1Char('0') || tens > QLatin1Char('9') || units < QLatin1Char('0') || units > QLatin1Char('9'))
        return false;
    return (tens.unicode() - '0') * 10 + (units.unicode() - '0') <= highest;
}

QDateTime Now()
{
    return AppContext::Current().clock().Now();
}
} // namespace

bool MiniScheduler::TimeCheck(QString& text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return true;
    return text.size() == 5 && text.at(2) == QLatin1Char(':') && TwoDigits(text, 0, 23) && TwoDigits(text, 3, 59);
}

void MiniScheduler::SetTime(QString SchedulerFields::*field, QString& value)
{
    if (TimeCheck(value))
        SetText(field, value, Qt::CaseInsensitive);
}

void MiniScheduler::SetPause(int16_t intMinutes)
{
    m_pauseUntil = Now().addSecs(int64_t(intMinutes) * 60);
}

void MiniScheduler::SetNextRunDate(const NullableDate& dtLastRunDateTime, bool blnReset)
{
    const SchedulerFields& f = Current();
    const ScheduleSettings settings{f.RunAtID,     f.DaysToRun, f.Every15Mins, f.Every30Mins,
                                    f.Every60Mins, f.FirstTime, f.LastTime};
    const QDateTime now = Now();
    SetNextRunDateTime(
        NextRunDate(settings, f.LastRunDateTime, dtLastRunDateTime.value_or(now), now, blnReset));
}

bool MiniScheduler::ShouldRunNow() const
{
    if (IsStopped() || RunAtID() == RunNever)
        return false;
    if (RunAtID() == RunOnDays)
        return NextRunDateTime() && Now() > *NextRunDateTime();
    return true;
}

const RecordTable& MiniScheduler::Table() const
{
    static const RecordTable table{QStringLiteral("SCHEDULER"), QStringLiteral("ScheduleID"),
                                   QStringLiteral("SCHEDULER")};
    return table;
}

void MiniScheduler::ReadRow(const RecordSet& rs)
{
    SchedulerFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("ScheduleID")))
        f.ScheduleID = *v;
    f.NextRunDateTime = rs.DateTime(QStringLiteral("NextRunDateTime"));
    f.LastRunDateTime = rs.DateTime(QStringLiteral("LastRunDateTime"));
    if (const auto v = rs.Long(QStringLiteral("RunAtID")))
        f.RunAtID = *v;
    if (const auto v = rs.Text(QStringLiteral("DaysToRun")))
        f.DaysToRun = *v;
    if (const auto v = rs.Bool(QStringLiteral("Every15Mins")))
        f.Every15Mins = *v;
    if (const auto v = rs.Bool(QStringLiteral("Every30Mins")))
        f.Every30Mins = *v;
    if (const auto v = rs.Bool(QStringLiteral("Every60Mins")))
        f.Every60Mins = *v;
    if (const auto v = rs.Text(QStringLiteral("FirstTime")))
        f.FirstTime = *v;
    if (const auto v = rs.Text(QStringLiteral("LastTime")))
        f.LastTime = *v;
}

ColumnValues MiniScheduler::RowValues() const
{
    const SchedulerFields& f = Current();
    return {{QStringLiteral("NextRunDateTime"), ToVariant(f.NextRunDateTime)},
            {QStringLiteral("LastRunDateTime"), ToVariant(f.LastRunDateTime)},
            {QStringLiteral("RunAtID"), f.RunAtID},
            {QStringLiteral("DaysToRun"), TextOrNull(f.DaysToRun)},
            {QStringLiteral("Every15Mins"), f.Every15Mins},
            {QStringLiteral("Every30Mins"), f.Every30Mins},
            {QStringLiteral("Every60Mins"), f.Every60Mins},
            {QStringLiteral("FirstTime"), TextOrNull(f.FirstTime)},
            {QStringLiteral("LastTime"), TextOrNull(f.LastTime)}};
}

void MiniScheduler::Load()
{
    LoadQuery(QStringLiteral("SELECT * FROM SCHEDULER WHERE ScheduleID=?"), {ScheduleID()});
}

void MiniScheduler::Apply()
{
    const auto before = SaveState();
    try {
        RecordOf::Apply();
    } catch (...) {
        RestoreState(*before); // a new row's drawn key included
        throw;
    }
}
