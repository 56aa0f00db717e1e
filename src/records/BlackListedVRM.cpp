#include "records/BlackListedVRM.h"

#include "database/CDataBase.h"
#include "records/ReadColumn.h"

namespace {
const QString Source = QStringLiteral("BlackListedVRM");
} // namespace

const RecordTable& BlackListedVRM::Table() const
{
    // No key counter: the mark is the key.
    static const RecordTable table{QStringLiteral("VRM_BLACKLIST"), QStringLiteral("VRM")};
    return table;
}

void BlackListedVRM::SetBlacklistedBy(const QString& value)
{
    SetText(&BlackListedVRMFields::BlacklistedBy, value, Qt::CaseInsensitive);
}

void BlackListedVRM::SetBlacklistedOn(const NullableDate& value)
{
    SetField(&BlackListedVRMFields::BlacklistedOn, value);
}

void BlackListedVRM::SetVRM(const QString& value)
{
    MutableFields().VRM = value.trimmed().toUpper().remove(QLatin1Char(' '));
    if (value != Saved().VRM)
        MarkDirty();
}

void BlackListedVRM::SetReason(const QString& value)
{
    SetText(&BlackListedVRMFields::Reason, value, Qt::CaseSensitive);
}

void BlackListedVRM::Load(const QString& VRM)
{
    // Escaped by the connection's own rule: "= 'mark'", a LIKE for "*", or
    // IS NULL for an empty mark.
    LoadQuery(QStringLiteral("SELECT * From VRM_BLACKLIST WHERE VRM ") +
              CDataBase::EscapeQuotesOrNullWhere(VRM));
}

void BlackListedVRM::Apply()
{
    try {
        RecordOf::Apply();
    } catch (const NevixError& error) {
        if (error.Number() == ErrorNumbers::Concurrency && !error.HasOwnSource())
            throw error.WithSource(Source);
        throw;
    }
}

void BlackListedVRM::ReadRow(const RecordSet& rs)
{
    BlackListedVRMFields& f = MutableFields();
    ReadText(rs, "VRM", f.VRM);
    ReadText(rs, "Reason", f.Reason);
    ReadText(rs, "BlacklistedBy", f.BlacklistedBy);
    f.BlacklistedOn = rs.DateTime(QStringLiteral("BlacklistedOn"));
}

ColumnValues BlackListedVRM::RowValues() const
{
    const BlackListedVRMFields& f = Current();
    return {{QStringLiteral("Reason"), TextOrNull(f.Reason)},
            {QStringLiteral("BlacklistedBy"), TextOrNull(f.BlacklistedBy)},
            {QStringLiteral("BlacklistedOn"), ToVariant(f.BlacklistedOn)}};
}
