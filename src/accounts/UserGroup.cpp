#include "accounts/UserGroup.h"

#include "accounts/User.h"
#include "accounts/UserGroupLink.h"
#include "accounts/Users.h"
#include "core/MakeGuid.h"
#include "database/RecordSet.h"

UserGroup::UserGroup()
{
    Reset();
}

UserGroup::~UserGroup() = default;

void UserGroup::SetID(const QString& value)
{
    SetText(&UserGroupFields::ID, value, Qt::CaseInsensitive);
}

void UserGroup::SetName(const QString& value)
{
    SetText(&UserGroupFields::Name, value, Qt::CaseSensitive);
}

void UserGroup::SetDescription(const QString& value)
{
    SetText(&UserGroupFields::Description, value, Qt::CaseSensitive);
}

void UserGroup::SetRoles(const QString& value)
{
    SetText(&UserGroupFields::Roles, value, Qt::CaseSensitive);
}

void UserGroup::AddUser(const User& oUser)
{
    UserGroupLink link;
    link.SetDataSource(DataSource());
    link.LoadByGroupAndUser(*this, oUser);
    if (!link.IsNew())
        return;
    link.SetUGroupId(Current().ID);
    link.SetUserId(oUser.UserId());
    link.Apply();
}

void UserGroup::RemoveUser(const User& oUser)
{
    UserGroupLink link;
    link.SetDataSource(DataSource());
    link.LoadByGroupAndUser(*this, oUser);
    if (link.IsNew())
        return;
    link.SetIsDeleted(true);
    link.Apply();
}

std::shared_ptr<Users> UserGroup::Users(bool EnabledOnly)
{
    if (!m_users) {
        auto users = std::make_shared<::Users>();
        users->SetDataSource(DataSource());
        users->LoadForGroup(*this, EnabledOnly);
        m_users = std::move(users);
    }
    return m_users;
}

void UserGroup::LoadByName(const QString& UserGroupName)
{
    LoadQuery(QStringLiteral("SELECT * From USER_GROUPS WHERE Name=?"), {UserGroupName});
}

void UserGroup::Load()
{
    LoadQuery(QStringLiteral("SELECT * From USER_GROUPS WHERE UGroupId=?"), {Current().ID});
}

const RecordTable& UserGroup::Table() const
{
    static const RecordTable table{QStringLiteral("USER_GROUPS"), QStringLiteral("UGroupId"),
                                   QStringLiteral("USER_GROUPS")};
    return table;
}

void UserGroup::SetDefaults()
{
    RecordOf::SetDefaults();
    MutableFields().ID = MakeGuid();
    m_users.reset();
}

void UserGroup::ReadRow(const RecordSet& rs)
{
    UserGroupFields& f = MutableFields();
    if (const auto v = rs.Text(QStringLiteral("UGroupId")))
        f.ID = *v;
    if (const auto v = rs.Text(QStringLiteral("Name")))
        f.Name = *v;
    if (const auto v = rs.Text(QStringLiteral("Description")))
        f.Description = *v;
    if (const auto v = rs.Text(QStringLiteral("Roles")))
        f.Roles = *v;
}

ColumnValues UserGroup::RowValues() const
{
    // Empty texts are stored as empty texts, not NULL.
    const UserGroupFields& f = Current();
    return {{QStringLiteral("Name"), f.Name},
            {QStringLiteral("Description"), f.Description},
            {QStringLiteral("Roles"), f.Roles}};
}
