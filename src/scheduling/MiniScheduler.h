#pragma once

#include "database/RecordOf.h"
#include "platform/Nullable.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

struct SchedulerFields {
    QString ScheduleID;
    NullableDate NextRunDateTime;
    NullableDate LastRunDateTime;
    int32_t RunAtID = 0; // 0: not loaded from a stored row
    QString DaysToRun = QStringLiteral("0000000");
    bool Every15Mins = false;
    bool Every30Mins = false;
    bool Every60Mins = false;
    QString FirstTime = QStringLiteral("00:00");
    QString LastTime;
};

// One row of SCHEDULER: when one kind of unattended work runs. Its owner
// polls ShouldRunNow, runs the work and asks for the next run; the row
// never runs anything itself.
class MiniScheduler : public RecordOf<SchedulerFields> {
public:
    static constexpr int32_t RunNever = 1;
    static constexpr int32_t RunOnDays = 2;

    MiniScheduler() { Reset(); }

    QString Key() const override { return Current().ScheduleID; }

    QString ScheduleID() const { return Current().ScheduleID; }
    void SetScheduleID(const QString& value)
    {
        SetText(&SchedulerFields::ScheduleID, value, Qt::CaseInsensitive);
    }
    NullableDate NextRunDateTime() const { return Current().NextRunDateTime; }
    void SetNextRunDateTime(const NullableDate& value) { SetField(&SchedulerFields::NextRunDateTime, value); }
    NullableDate LastRunDateTime() const { return Current().LastRunDateTime; }
    void SetLastRunDateTime(const NullableDate& value) { SetField(&SchedulerFields::LastRunDateTime, value); }
    int32_t RunAtID() const { return Current().RunAtID; }
    void SetRunAtID(int32_t value) { SetField(&SchedulerFields::RunAtID, value); }
    QString DaysToRun() const { return Current().DaysToRun; }
    void SetDaysToRun(const QString& value) { SetText(&SchedulerFields::DaysToRun, value, Qt::CaseInsensitive); }
    bool Every15Mins() const { return Current().Every15Mins; }
    void SetEvery15Mins(bool value) { SetField(&SchedulerFields::Every15Mins, value); }
    bool Every30Mins() const { return Current().Every30Mins; }
    void SetEvery30Mins(bool value) { SetField(&SchedulerFields::Every30Mins, value); }
    bool Every60Mins() const { return Current().Every60Mins; }
    void SetEvery60Mins(bool value) { SetField(&SchedulerFields::Every60Mins, value); }
    QString FirstTime() const { return Current().FirstTime; }
    QString LastTime() const { return Current().LastTime; }
    // The caller's text is trimmed; a time the time check refuses is
    // dropped and the previous one stays.
    void SetFirstTime(QString& value) { SetTime(&SchedulerFields::FirstTime, value); }
    void SetLastTime(QString& value) { SetTime(&SchedulerFields::LastTime, value); }

    // Trims text in place; true when it is empty or exactly "HH:MM" (ASCII
    // digits, hour 00-23, minute 00-59).
    static bool TimeCheck(QString& text);

    // Run-time state, never stored.
    NullableDate PauseUntil() const { return m_pauseUntil; }
    void SetPauseUntil(const NullableDate& value) { m_pauseUntil = value; }
    bool IsActive() const { return RunAtID() == RunOnDays; }
    // Whether a pause is set, not whether it has ended.
    bool IsPaused() const { return m_pauseUntil.has_value(); }
    void ClearPause() { m_pauseUntil.reset(); }
    void SetPause(int16_t intMinutes);
    bool IsRunning() const { return m_isRunning; }
    void SetIsRunning(bool value) { m_isRunning = value; }
    // The owner has this row switched off.
    bool IsStopped() const { return m_isStopped; }
    void SetIsStopped(bool value) { m_isStopped = value; }
    // Whether the editor may change the row: not while it is switched on.
    bool AllowUpdates() const { return !IsActive() || IsStopped() || IsPaused(); }

    // The next run from the program's clock; dtLastRunDateTime is the
    // reference a slot must be 5 minutes after (now when omitted), unless
    // blnReset.
    void SetNextRunDate(const NullableDate& dtLastRunDateTime = std::nullopt, bool blnReset = false);
    bool ShouldRunNow() const;

    // The current values become the saved copy; nothing is written.
    void VirtualApply() { TakeSavedCopy(); }
    // The row whose key is the current ScheduleID.
    void Load();
    // A failed write leaves the row as it was, changes and flags kept.
    void Apply() override;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ScheduleID = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

private:
    void SetTime(QString SchedulerFields::*field, QString& value);

    NullableDate m_pauseUntil;
    bool m_isRunning = false;
    bool m_isStopped = false;
};
