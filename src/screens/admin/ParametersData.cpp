#include "screens/admin/ParametersData.h"

ParametersData::ParametersData(CDataBase& database) : db(database) {}

void ParametersData::Load()
{
    account.SetDataSource(&db);
    account.Load();
    parameters.SetDataSource(&db);
    parameters.Load();
    enquirers->SetDataSource(&db);
    enquirers->Load();
    blacklist.SetDataSource(&db);
    blacklist.Load();
    lock.SetDataSource(&db);
    users.SetDataSource(&db);
    users.Load();
}
