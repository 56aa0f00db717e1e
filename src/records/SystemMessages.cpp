#include "records/SystemMessages.h"

void SystemMessages::Add(Pointer objAddition)
{
    if (objAddition->IsNew())
        objAddition->SetID(QStringLiteral("SS") + QString::number(Count()));
    RecordCollection::Add(std::move(objAddition));
}

void SystemMessages::Load()
{
    LoadBySQL(QStringLiteral("SELECT * From SYSTEM_MESSAGE ORDER BY EFFECTIVEFROM DESC, PRIORITY"));
}
