#include "records/VRMBlackList.h"

#include <QSet>

VRMBlackList::Pointer VRMBlackList::Find(const QString& VRM) const
{
    for (const Pointer& entry : *this) {
        if (entry->VRM() == VRM)
            return entry;
    }
    return nullptr;
}

void VRMBlackList::Load()
{
    LoadBySQL(QStringLiteral("SELECT * From [VRM_BLACKLIST] ORDER BY VRM"));
}

void VRMBlackList::Apply()
{
    RecordCollection::Apply();
    FileUnderMarks();
}

void VRMBlackList::FileUnderMarks()
{
    const std::vector<Pointer> members = NewEnum();
    QSet<QString> marks;
    for (const Pointer& member : members) {
        // Two entries of one mark cannot both be stored: the list stays as
        // it was filed.
        const QString mark = member->VRM().toCaseFolded();
        if (marks.contains(mark))
            return;
        marks.insert(mark);
    }
    Clear();
    for (const Pointer& member : members)
        AddUnder(member->VRM(), member);
}
