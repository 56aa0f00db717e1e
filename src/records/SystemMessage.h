#pragma once

#include "database/RecordOf.h"

#include <QString>

#include <cstdint>

struct SystemMessageFields {
    QString ID;
    QString ServerMessageID;
    NullableDate EffectiveFrom;
    NullableDate EffectiveTo;
    int16_t Priority = 0; // 0 low, 1 medium, 2 high
    QString Title;
    QString Body;
};

// A notice from the service: one row of SYSTEM_MESSAGE. Messages are
// never deleted.
class SystemMessage : public RecordOf<SystemMessageFields> {
public:
    QString Key() const override { return Current().ID; }

    QString ID() const { return Current().ID; }
    // The key: not a change.
    void SetID(const QString& value) { MutableFields().ID = value; }
    // Stored without their time of day.
    NullableDate EffectiveFrom() const { return Current().EffectiveFrom; }
    void SetEffectiveFrom(const NullableDate& value);
    NullableDate EffectiveTo() const { return Current().EffectiveTo; }
    void SetEffectiveTo(const NullableDate& value);
    // "L", "M" or "H"; a stored number of no priority gives "". Any text
    // but those three letters (case ignored) sets low.
    QString Priority() const;
    void SetPriority(const QString& value);
    QString ServerMessageID() const { return Current().ServerMessageID; }
    void SetServerMessageID(const QString& value);
    QString Title() const { return Current().Title; }
    void SetTitle(const QString& value);
    QString Body() const { return Current().Body; }
    void SetBody(const QString& value);

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;
};
