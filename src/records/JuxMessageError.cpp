#include "records/JuxMessageError.h"

#include "core/MakeGuid.h"
#include "database/RecordSet.h"

JuxMessageError::JuxMessageError()
{
    Reset();
}

void JuxMessageError::SetID(const QString& value)
{
    SetText(&JuxMessageErrorFields::ID, value, Qt::CaseSensitive);
}

void JuxMessageError::SetDescription(const QString& value)
{
    SetText(&JuxMessageErrorFields::Description, value, Qt::CaseSensitive);
}

void JuxMessageError::SetJuxMsgReference(const QString& value)
{
    SetText(&JuxMessageErrorFields::JuxMsgReference, value, Qt::CaseInsensitive);
}

void JuxMessageError::SetErrorCode(const QString& value)
{
    SetText(&JuxMessageErrorFields::ErrorCode, value, Qt::CaseInsensitive);
}

const RecordTable& JuxMessageError::Table() const
{
    static const RecordTable table{QStringLiteral("JUX_MSG_ERROR"), QStringLiteral("ID"),
                                   QStringLiteral("JUX_MSG_ERROR")};
    return table;
}

void JuxMessageError::SetDefaults()
{
    RecordOf::SetDefaults();
    MutableFields().ID = MakeGuid();
}

void JuxMessageError::ReadRow(const RecordSet& rs)
{
    JuxMessageErrorFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("ID")))
        f.ID = *v;
    if (const auto v = rs.Text(QStringLiteral("Description")))
        f.Description = *v;
    if (const auto v = rs.Text(QStringLiteral("JuxMsgReference")))
        f.JuxMsgReference = *v;
    if (const auto v = rs.Text(QStringLiteral("ErrorCode")))
        f.ErrorCode = *v;
}

ColumnValues JuxMessageError::RowValues() const
{
    const JuxMessageErrorFields& f = Current();
    return {{QStringLiteral("Description"), TextOrNull(f.Description)},
            {QStringLiteral("JuxMsgReference"), TextOrNull(f.JuxMsgReference)},
            {QStringLiteral("ErrorCode"), TextOrNull(f.ErrorCode)}};
}
