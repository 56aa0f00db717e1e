#include "records/SystemMessage.h"

#include "records/DayValue.h"
#include "records/ReadColumn.h"

namespace {
const QString Letters = QStringLiteral("LMH");
} // namespace

const RecordTable& SystemMessage::Table() const
{
    static const RecordTable table{QStringLiteral("SYSTEM_MESSAGE"), QStringLiteral("Id"),
                                   QStringLiteral("SYSTEM_MESSAGE")};
    return table;
}

void SystemMessage::SetEffectiveFrom(const NullableDate& value)
{
    SetField(&SystemMessageFields::EffectiveFrom, value);
}

void SystemMessage::SetEffectiveTo(const NullableDate& value)
{
    SetField(&SystemMessageFields::EffectiveTo, value);
}

QString SystemMessage::Priority() const
{
    const int16_t priority = Current().Priority;
    return priority >= 0 && priority < Letters.size() ? QString(Letters[priority]) : QString();
}

void SystemMessage::SetPriority(const QString& value)
{
    const QString letter = value.toUpper();
    const qsizetype index = letter.size() == 1 ? Letters.indexOf(letter) : -1;
    SetField(&SystemMessageFields::Priority, int16_t(index < 0 ? 0 : index));
}

void SystemMessage::SetServerMessageID(const QString& value)
{
    SetText(&SystemMessageFields::ServerMessageID, value, Qt::CaseInsensitive);
}

void SystemMessage::SetTitle(const QString& value)
{
    SetText(&SystemMessageFields::Title, value, Qt::CaseSensitive);
}

void SystemMessage::SetBody(const QString& value)
{
    SetText(&SystemMessageFields::Body, value, Qt::CaseSensitive);
}

void SystemMessage::ReadRow(const RecordSet& rs)
{
    SystemMessageFields& f = MutableFields();
    ReadText(rs, "Id", f.ID);
    ReadText(rs, "ServerMessageId", f.ServerMessageID);
    ReadText(rs, "Title", f.Title);
    ReadText(rs, "Body", f.Body);
    ReadColumn(rs, "Priority", f.Priority, &RecordSet::Short);
    f.EffectiveFrom = rs.DateTime(QStringLiteral("EffectiveFrom"));
    f.EffectiveTo = rs.DateTime(QStringLiteral("EffectiveTo"));
}

ColumnValues SystemMessage::RowValues() const
{
    const SystemMessageFields& f = Current();
    return {{QStringLiteral("ServerMessageId"), TextOrNull(f.ServerMessageID)},
            {QStringLiteral("EffectiveFrom"), DayOrNull(f.EffectiveFrom)},
            {QStringLiteral("EffectiveTo"), DayOrNull(f.EffectiveTo)},
            {QStringLiteral("Priority"), f.Priority},
            {QStringLiteral("Title"), TextOrNull(f.Title)},
            {QStringLiteral("Body"), TextOrNull(f.Body)}};
}
