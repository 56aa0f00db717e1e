#pragma once

#include "database/RecordCollection.h"
#include "records/BlackListedVRM.h"

#include <QString>

// The whole blacklist, by mark, each entry under its mark: Exists with a
// cleaned mark tells whether it is blacklisted.
class VRMBlackList : public RecordCollection<BlackListedVRM> {
public:
    // The first entry whose mark equals the given one exactly (letter case
    // counts), or nullptr.
    Pointer Find(const QString& VRM) const;
    void Load();
};
