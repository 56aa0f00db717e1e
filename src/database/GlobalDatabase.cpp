#include "database/GlobalDatabase.h"

#include "database/CDataBase.h"

#include <memory>

namespace {
std::unique_ptr<CDataBase>& Slot()
{
    static std::unique_ptr<CDataBase> database;
    return database;
}
} // namespace

CDataBase& GlobalDatabase()
{
    if (!Slot())
        Slot() = std::make_unique<CDataBase>();
    return *Slot();
}

CDataBase& NewGlobalDatabase()
{
    ReleaseGlobalDatabase();
    Slot() = std::make_unique<CDataBase>();
    return *Slot();
}

void ReleaseGlobalDatabase()
{
    Slot().reset();
}
