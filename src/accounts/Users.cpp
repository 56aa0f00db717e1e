#include "accounts/Users.h"

#include "accounts/UserGroup.h"

Users::Pointer Users::Find(const QString& UserName) const
{
    for (const Pointer& user : *this) {
        if (user->UserName() == UserName)
            return user;
    }
    return nullptr;
}

void Users::LoadForGroup(const UserGroup& oGroup, bool EnabledOnly)
{
    LoadBySQL(QStringLiteral("SELECT USERS.*, USER_GROUP_LINK.UGroupId FROM USERS INNER JOIN "
                             "USER_GROUP_LINK ON USERS.UserId = USER_GROUP_LINK.UserId WHERE "
                             "USER_GROUP_LINK.UGroupId=?") +
                  (EnabledOnly ? QStringLiteral(" and USERS.Enabled=1") : QString()) +
                  QStringLiteral(" ORDER BY USERS.UserName"),
              {oGroup.ID()});
}

void Users::Load()
{
    LoadBySQL(QStringLiteral("SELECT * From USERS ORDER BY UserName"));
}

void Users::LoadBySQL(const QString& strSQL, const SqlValues& values)
{
    RecordCollection::LoadBySQL(strSQL, values);
}
