#include "accounts/UserGroupLink.h"

#include "accounts/User.h"
#include "accounts/UserGroup.h"
#include "core/MakeGuid.h"
#include "database/RecordSet.h"

UserGroupLink::UserGroupLink()
{
    Reset();
}

void UserGroupLink::SetID(const QString& value)
{
    SetText(&UserGroupLinkFields::ID, value, Qt::CaseSensitive);
}

void UserGroupLink::SetUGroupId(const QString& value)
{
    SetText(&UserGroupLinkFields::UGroupId, value, Qt::CaseInsensitive);
}

void UserGroupLink::SetUserId(const QString& value)
{
    SetText(&UserGroupLinkFields::UserId, value, Qt::CaseInsensitive);
}

void UserGroupLink::LoadByGroupAndUser(const UserGroup& oGroup, const User& oUser)
{
    LoadQuery(QStringLiteral("SELECT * FROM USER_GROUP_LINK WHERE UGroupId=? and UserId=?"),
              {oGroup.ID(), oUser.UserId()});
}

void UserGroupLink::Load()
{
    LoadQuery(QStringLiteral("SELECT * FROM USER_GROUP_LINK WHERE Id=?"), {Current().ID});
}

const RecordTable& UserGroupLink::Table() const
{
    static const RecordTable table{QStringLiteral("USER_GROUP_LINK"), QStringLiteral("Id"),
                                   QStringLiteral("USER_GROUP_LINK")};
    return table;
}

void UserGroupLink::SetDefaults()
{
    RecordOf::SetDefaults();
    MutableFields().ID = MakeGuid();
}

void UserGroupLink::ReadRow(const RecordSet& rs)
{
    UserGroupLinkFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("Id")))
        f.ID = *v;
    if (const auto v = rs.Text(QStringLiteral("UGroupId")))
        f.UGroupId = *v;
    if (const auto v = rs.Text(QStringLiteral("UserId")))
        f.UserId = *v;
}

ColumnValues UserGroupLink::RowValues() const
{
    const UserGroupLinkFields& f = Current();
    return {{QStringLiteral("UGroupId"), TextOrNull(f.UGroupId)},
            {QStringLiteral("UserId"), TextOrNull(f.UserId)}};
}
