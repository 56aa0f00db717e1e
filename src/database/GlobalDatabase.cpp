#include "database/GlobalDatabase.h"

#include "database/CDataBase.h"

#include <memory>
#include <vector>

namespace {
std::unique_ptr<CDataBase>& Slot()
{
    static std::unique_ptr<CDataBase> database;
    return database;
}

// Connections released while an open further up the stack still waits on
// them (a window event pumped during the wait released the program's
// objects): they go at a later release, once no wait uses them.
std::vector<std::unique_ptr<CDataBase>>& Retired()
{
    static std::vector<std::unique_ptr<CDataBase>> retired;
    return retired;
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
    std::erase_if(Retired(), [](const std::unique_ptr<CDataBase>& db) { return !db->ConnectionWaiting(); });
    if (Slot() && Slot()->ConnectionWaiting())
        Retired().push_back(std::move(Slot()));
    Slot().reset();
}
