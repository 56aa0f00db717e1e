#pragma once

#include "screens/admin/LogonRoads.h"
#include "screens/common/FormRegistry.h"

#include <QString>

#include <functional>
#include <memory>

class Exchanges;

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
    // What the unattended console runs (the service's exchanges unless set).
    void SetExchanges(std::shared_ptr<Exchanges> exchanges) { m_exchanges = std::move(exchanges); }
    // The program's exit code when it ends: 1 after an immediate start
    // whose run failed or never happened, or an automatic start whose
    // console never opened.
    int ExitCode() const { return m_exitCode; }

private:
    void OpenMainMenu();
    // The first-run set-up wizard, modeless; it leads to the main menu or
    // ends the program.
    void OpenSetupWizard();
    // Scheduled: shown with its timer on. Immediate: its one run, then the
    // program ends.
    bool OpenAutoExecuteConsole(bool immediate);

    FormRegistry m_screens;
    std::function<void()> m_quit;
    LogonRoads m_roads;
    std::shared_ptr<Exchanges> m_exchanges;
    int m_exitCode = 0;
};
