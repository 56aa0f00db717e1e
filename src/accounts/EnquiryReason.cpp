#include "accounts/EnquiryReason.h"

#include "database/RecordSet.h"

QString EnquiryReason::DescriptionWithCode() const
{
    return Current().EnquiryCode + QStringLiteral(", ") + Current().Description;
}

void EnquiryReason::SetDescription(const QString& value)
{
    SetText(&EnquiryReasonFields::Description, value, Qt::CaseSensitive);
}

void EnquiryReason::SetID(const QString& value)
{
    SetText(&EnquiryReasonFields::ID, value, Qt::CaseInsensitive);
}

void EnquiryReason::SetEnquiryCode(const QString& value)
{
    SetText(&EnquiryReasonFields::EnquiryCode, value, Qt::CaseSensitive);
}

void EnquiryReason::SetEnquirerId(const QString& value)
{
    SetText(&EnquiryReasonFields::EnquirerId, value, Qt::CaseSensitive);
}

void EnquiryReason::SetDateOfEventCutOff(int16_t value)
{
    SetField(&EnquiryReasonFields::DateOfEventCutOff, value);
}

void EnquiryReason::SetIsDefault(bool value)
{
    SetField(&EnquiryReasonFields::IsDefault, value);
}

void EnquiryReason::SetIsEnabled(bool value)
{
    SetField(&EnquiryReasonFields::IsEnabled, value);
}

const RecordTable& EnquiryReason::Table() const
{
    static const RecordTable table{QStringLiteral("ENQUIRY_REASON"), QStringLiteral("Id")};
    return table;
}

void EnquiryReason::ReadRow(const RecordSet& rs)
{
    EnquiryReasonFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("Description")))
        f.Description = *v;
    if (const auto v = rs.Text(QStringLiteral("Id")))
        f.ID = *v;
    if (const auto v = rs.Text(QStringLiteral("EnquiryCode")))
        f.EnquiryCode = *v;
    if (const auto v = rs.Text(QStringLiteral("EnquirerId")))
        f.EnquirerId = *v;
    if (const auto v = rs.Bool(QStringLiteral("IsDefault")))
        f.IsDefault = *v;
    if (const auto v = rs.Bool(QStringLiteral("IsEnabled")))
        f.IsEnabled = *v;
    if (const auto v = rs.Short(QStringLiteral("DateOfEventCutOff")))
        f.DateOfEventCutOff = *v;
}

ColumnValues EnquiryReason::RowValues() const
{
    const EnquiryReasonFields& f = Current();
    return {{QStringLiteral("Description"), TextOrNull(f.Description)},
            {QStringLiteral("EnquiryCode"), TextOrNull(f.EnquiryCode)},
            {QStringLiteral("EnquirerId"), TextOrNull(f.EnquirerId)},
            {QStringLiteral("IsDefault"), f.IsDefault},
            {QStringLiteral("IsEnabled"), f.IsEnabled},
            {QStringLiteral("DateOfEventCutOff"), f.DateOfEventCutOff}};
}
