#pragma once

#include <functional>

// Where the logon window leads. The windows behind these roads are opened
// by whoever builds the logon window, so that it need not know them.
struct LogonRoads {
    // The main menu, shown modeless.
    std::function<void()> OpenMainMenu;
    // The first-run set-up wizard, shown modeless.
    std::function<void()> OpenSetupWizard;
    // The unattended console: initialised, then shown modeless, or closed
    // again after its one run when immediate. False when it failed.
    std::function<bool(bool immediate)> OpenAutoExecuteConsole;
    // Called when the logon leaves no window open: the program ends.
    std::function<void()> EndProgram;
    // The logon's Cancel: releases the program-wide objects, then ends.
    std::function<void()> CancelProgram;
};
