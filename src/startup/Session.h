#pragma once

#include "screens/admin/LogonRoads.h"
#include "screens/common/FormRegistry.h"

#include <QString>

#include <functional>

// The windows a user goes through after start-up: the logon window, then
// what it leads to. The program ends when the logon leaves no window open.
class Session {
public:
    // screens: what the main menu can open. quit ends the program (after
    // the current event by default).
    explicit Session(FormRegistry screens = {}, std::function<void()> quit = {});

    // Loads the logon window and initialises it; shows it when it is still
    // loaded (its automatic roads close it themselves).
    void OpenLogon();

    const LogonRoads& Roads() const { return m_roads; }

private:
    void OpenMainMenu();
    // The first-run set-up wizard, modeless; it leads to the main menu or
    // ends the program.
    void OpenSetupWizard();
    // Until the unattended console exists, a plain window says who is
    // logged on and offers to log off.
    void ShowLoggedOn(const QString& whatFollows, std::function<void()> logOff);
    // The console's way to interactive work: the logon window, asked for.
    void LeaveAutoExecute();

    FormRegistry m_screens;
    std::function<void()> m_quit;
    LogonRoads m_roads;
};
