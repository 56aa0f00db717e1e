#include "accounts/UserGroups.h"

#include "accounts/User.h"

UserGroups::Pointer UserGroups::Find(const QString& Name) const
{
    for (const Pointer& group : *this) {
        if (group->Name() == Name)
            return group;
    }
    return nullptr;
}

void UserGroups::LoadForUser(const User& oUser)
{
    LoadBySQL(QStringLiteral("SELECT USER_GROUPS.*, USER_GROUP_LINK.UserId FROM USER_GROUPS INNER "
                             "JOIN USER_GROUP_LINK ON USER_GROUPS.UGroupId = USER_GROUP_LINK.UGroupId "
                             "WHERE USER_GROUP_LINK.UserId=? ORDER BY USER_GROUPS.Name"),
              {oUser.UserId()});
}

void UserGroups::Load()
{
    LoadBySQL(QStringLiteral("SELECT * From USER_GROUPS ORDER BY Name"));
}
