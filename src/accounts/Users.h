#pragma once

#include "accounts/User.h"
#include "database/RecordCollection.h"

#include <QString>

class UserGroup;

// Users keyed by UserId.
class Users : public RecordCollection<User> {
public:
    // The first member whose UserName equals the given one exactly (letter
    // case counts); none: nullptr.
    Pointer Find(const QString& UserName) const;

    // The members of a group by user name, only the enabled ones when asked.
    void LoadForGroup(const UserGroup& oGroup, bool EnabledOnly = false);
    // All users by name.
    void Load();
    void LoadBySQL(const QString& strSQL, const SqlValues& values = {});
};
