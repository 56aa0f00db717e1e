#pragma once

#include "accounts/Enquirers.h"
#include "accounts/Users.h"
#include "database/CommsLock.h"
#include "database/NevixParameters.h"
#include "database/SysParameters.h"
#include "records/VRMBlackList.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class CDataBase;

// What the parameters screen works on while it is open: the records and
// collections its tabs show and change, all on one connection.
struct ParametersData {
    explicit ParametersData(CDataBase& database);

    // Connects and loads everything, in the order the tabs need it.
    void Load();

    CDataBase& db;
    NevixParameters account;
    SysParameters parameters;
    std::shared_ptr<Enquirers> enquirers = std::make_shared<Enquirers>();
    VRMBlackList blacklist;
    CommsLock lock;
    Users users;
    // The logged-on user's name: who holds the administration lock.
    QString userName;
    // Actions under way that let window events run (exchanges, long
    // database work): the window must not close under them.
    int busy = 0;
};

// Marks an action under way and keeps the window from input meanwhile.
class ParametersBusy {
public:
    ParametersBusy(ParametersData& data, QWidget* window);
    ~ParametersBusy();
    ParametersBusy(const ParametersBusy&) = delete;
    ParametersBusy& operator=(const ParametersBusy&) = delete;

private:
    ParametersData& m_data;
    QPointer<QWidget> m_window;
    bool m_wasEnabled;
};
