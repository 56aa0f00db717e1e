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
    BlackListedVRMFields& f = MutableFields();
    f.VRM = value.trimmed().toUpper().remove(QLatin1Char(' '));
    if (IsNew())
        f.StoredVRM = f.VRM;
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
        if (IsDirty() && !IsNew() && !IsDeleted() && VRM() != Current().StoredVRM)
            ApplyNewMark();
        else
            RecordOf::Apply();
    } catch (const NevixError& error) {
        if (error.Number() == ErrorNumbers::Concurrency && !error.HasOwnSource())
            throw error.WithSource(Source);
        throw;
    }
}

void BlackListedVRM::ApplyNewMark()
{
    const QString stamp = CDataBase::MakeTimestamp();
    ColumnValues columns{{QStringLiteral("VRM"), Current().VRM}};
    for (ColumnValue& column : RowValues())
        columns.push_back(std::move(column));
    QString sql = QStringLiteral("UPDATE [VRM_BLACKLIST] SET ");
    SqlValues values;
    for (const ColumnValue& column : columns) {
        sql += QLatin1Char('[') + column.Name + QStringLiteral("]=?,");
        values << column.Value;
    }
    const NullableString oldStamp = OldTimeStamp();
    sql += QStringLiteral("TmStamp=? WHERE [VRM]=? AND TmStamp ") +
           (oldStamp ? QStringLiteral("=?") : QStringLiteral("IS NULL"));
    values << stamp << Current().StoredVRM;
    if (oldStamp)
        values << *oldStamp;
    WriteOneRow(sql, values);
    MutableFields().StoredVRM = Current().VRM;
    MarkApplied(stamp);
}

void BlackListedVRM::ReadRow(const RecordSet& rs)
{
    BlackListedVRMFields& f = MutableFields();
    ReadText(rs, "VRM", f.VRM);
    f.StoredVRM = f.VRM;
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
