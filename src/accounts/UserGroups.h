#pragma once

#include "accounts/UserGroup.h"
#include "database/RecordCollection.h"

#include <QString>

class User;

// Groups keyed by ID.
class UserGroups : public RecordCollection<UserGroup> {
public:
    // The first member whose Name equals the given one exactly; none: nullptr.
    Pointer Find(const QString& Name) const;

    // The groups of a user, in ascending name order (the order of the
    // user's role text).
    void LoadForUser(const User& oUser);
    void Load();
};
