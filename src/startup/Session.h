#pragma once

#include "screens/admin/LogonRoads.h"

#include <QString>

// The windows a user goes through after start-up: the logon window, then
// what it leads to. The program ends when the logon leaves no window open.
class Session {
public:
    Session();

    // Loads the logon window and initialises it; shows it when it is still
    // loaded (its automatic roads close it themselves).
    void OpenLogon();

    const LogonRoads& Roads() const { return m_roads; }

private:
    // Until the menu, the set-up wizard and the unattended console exist,
    // a plain window says who is logged on and offers to log off.
    void ShowLoggedOn(const QString& whatFollows);

    LogonRoads m_roads;
};
