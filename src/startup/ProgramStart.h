#pragma once

#include "screens/admin/frmSplash.h"
#include "startup/CommandLine.h"
#include "startup/StartRefusal.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class SingleInstanceLock;

// What start-up asks of windows and of the desktop; replaceable in tests.
struct StartupHooks {
    // Shows the install-mode window; the mode chosen, 0 for none.
    std::function<int32_t(bool bAllowClientConfigOnly)> AskInstallMode;
    // Opens a text file in the desktop's viewer; raises when it cannot.
    std::function<void(const QString& path)> ViewLog;
    // Opens the logon window once the splash is done.
    std::function<void()> OpenLogon;
};

// The program's start: settings, the second-instance refusal, the splash,
// the command line, the install mode, the database and the help file, then
// the hand-over to the logon window through the splash.
class ProgramStart {
public:
    ProgramStart(QStringList arguments, StartupHooks hooks);
    ~ProgramStart();

    // False when the program must end at once (a second copy, a refusal
    // before the splash). Either way Refusal() then says why it ends, if
    // it does not run.
    bool Main();
    // Raises with the source "Initialise Application".
    void InitialiseApplication();
    int32_t AskInstallMode(bool bAllowClientConfigOnly);

    frmSplash* Splash() const { return m_splash; }
    const CommandLine& Switches() const { return m_switches; }
    // Why the start ended without the program having run; None otherwise.
    StartRefusal Refusal() const { return m_refusal; }
    // Started with "/autostart" or "/immediate": nobody is there to answer.
    bool StartedUnattended() const { return m_switches.AutoStart || m_switches.Immediate; }

    // The real windows and desktop.
    static StartupHooks DefaultHooks();

private:
    void Initialise();
    // An unattended start cannot go on where only a person could: the
    // install mode not chosen, set-up not complete, a client installation.
    void RefuseUnattendedWherePersonNeeded();
    // The box and the code of a refusal before the splash.
    bool Refuse(StartRefusal refusal, uint32_t style, const QString& message, const QString& detail);

    CommandLine m_switches;
    StartupHooks m_hooks;
    std::unique_ptr<SingleInstanceLock> m_instanceLock;
    QPointer<frmSplash> m_splash;
    StartRefusal m_refusal = StartRefusal::None;
};
