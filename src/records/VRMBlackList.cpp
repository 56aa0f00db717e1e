#include "records/VRMBlackList.h"

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
