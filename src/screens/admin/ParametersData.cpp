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

ParametersBusy::ParametersBusy(ParametersData& data, QWidget* window)
    : m_data(data), m_window(window), m_wasEnabled(window && window->isEnabled())
{
    ++m_data.busy;
    if (m_window)
        m_window->setEnabled(false);
}

ParametersBusy::~ParametersBusy()
{
    --m_data.busy;
    if (m_window && m_wasEnabled)
        m_window->setEnabled(true);
}
