#pragma once

#include "database/RecordOf.h"

#include <QString>

#include <cstdint>

struct LogLineFields {
    QString LogId;
    NullableDate TimeOfEvent;
    int32_t RunNumber = 0;
    int16_t EventCode = 0;
    QString EventText;
    QString ProcessCode;
    QString UserName;
    QString ComputerName;
};

// One line of the transmission log. Lines are only ever added and purged,
// never deleted one by one.
class LogLine : public RecordOf<LogLineFields> {
public:
    // The stored text is cut to this length; the line keeps all of it.
    static constexpr int EventTextLength = 255;

    LogLine() { Reset(); }

    QString Key() const override { return Current().LogId; }

    QString LogId() const { return Current().LogId; }
    void SetLogId(const QString& value)
    {
        SetText(&LogLineFields::LogId, value, Qt::CaseInsensitive);
    }
    NullableDate TimeOfEvent() const { return Current().TimeOfEvent; }
    void SetTimeOfEvent(const NullableDate& value) { SetField(&LogLineFields::TimeOfEvent, value); }
    int32_t RunNumber() const { return Current().RunNumber; }
    void SetRunNumber(int32_t value) { SetField(&LogLineFields::RunNumber, value); }
    int16_t EventCode() const { return Current().EventCode; }
    void SetEventCode(int16_t value) { SetField(&LogLineFields::EventCode, value); }
    QString EventText() const { return Current().EventText; }
    void SetEventText(const QString& value)
    {
        SetText(&LogLineFields::EventText, value, Qt::CaseInsensitive);
    }
    QString ProcessCode() const { return Current().ProcessCode; }
    void SetProcessCode(const QString& value)
    {
        SetText(&LogLineFields::ProcessCode, value, Qt::CaseInsensitive);
    }
    QString UserName() const { return Current().UserName; }
    void SetUserName(const QString& value)
    {
        SetText(&LogLineFields::UserName, value, Qt::CaseInsensitive);
    }
    QString ComputerName() const { return Current().ComputerName; }
    void SetComputerName(const QString& value)
    {
        SetText(&LogLineFields::ComputerName, value, Qt::CaseInsensitive);
    }

    // Time, process code, run number, user, event mark and text, joined by
    // SepChar.
    QString ToString(const QString& SepChar = {}) const;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().LogId = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;
};
