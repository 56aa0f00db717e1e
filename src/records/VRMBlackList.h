#pragma once

#include "database/RecordCollection.h"
#include "records/BlackListedVRM.h"

#include <QString>

// The whole blacklist, by mark, each entry under its mark: Exists with a
// cleaned mark tells whether it is blacklisted. An entry given another mark
// is found under the new one once it is stored.
class VRMBlackList : public RecordCollection<BlackListedVRM> {
public:
    // The first entry whose mark equals the given one exactly (letter case
    // counts), or nullptr.
    Pointer Find(const QString& VRM) const;
    void Load();
    void Apply() override;

protected:
    QString KeyFor(const BlackListedVRM& member) const override { return member.VRM(); }

private:
    void FileUnderMarks();
};
