#pragma once

#include <QStringList>

// The switches the program is started with. Each is a whole argument,
// matched without regard to case.
struct CommandLine {
    bool SetClient = false;   // "/setclient": ask the install mode again
    bool AutoStart = false;   // "/autostart": run unattended
    bool Immediate = false;   // "/immediate": one unattended run, then end
    bool UnlockAdmin = false; // "/unlockadmin": clear the administration lock

    static CommandLine Parse(const QStringList& arguments);
};
