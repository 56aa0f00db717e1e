#include "accounts/UserEnquirerLink.h"

#include "database/RecordSet.h"

void UserEnquirerLink::SetID(const QString& value)
{
    SetText(&UserEnquirerLinkFields::ID, value, Qt::CaseInsensitive);
}

void UserEnquirerLink::SetEnquirerId(const QString& value)
{
    SetText(&UserEnquirerLinkFields::EnquirerId, value, Qt::CaseInsensitive);
}

void UserEnquirerLink::SetUserId(const QString& value)
{
    SetText(&UserEnquirerLinkFields::UserId, value, Qt::CaseInsensitive);
}

void UserEnquirerLink::Load()
{
    LoadQuery(QStringLiteral("select * from USER_ENQUIRER_LINK where id=?"), {Current().ID});
}

const RecordTable& UserEnquirerLink::Table() const
{
    static const RecordTable table{QStringLiteral("USER_ENQUIRER_LINK"), QStringLiteral("ID"),
                                   QStringLiteral("USER_ENQUIRER_LINK")};
    return table;
}

void UserEnquirerLink::ReadRow(const RecordSet& rs)
{
    UserEnquirerLinkFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("ID")))
        f.ID = *v;
    if (const auto v = rs.Text(QStringLiteral("EnquirerId")))
        f.EnquirerId = *v;
    if (const auto v = rs.Text(QStringLiteral("UserId")))
        f.UserId = *v;
}

ColumnValues UserEnquirerLink::RowValues() const
{
    const UserEnquirerLinkFields& f = Current();
    return {{QStringLiteral("EnquirerId"), TextOrNull(f.EnquirerId)},
            {QStringLiteral("UserId"), TextOrNull(f.UserId)}};
}
