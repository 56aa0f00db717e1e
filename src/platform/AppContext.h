#pragma once

#include "platform/Clock.h"
#include "platform/ProcessIdentity.h"
#include "platform/ReportCanvas.h"
#include "platform/UserInteraction.h"

#include <QString>

#include <functional>
#include <memory>

// The program-wide context: the seams through which the program meets the
// clock, its folder, the computer it runs on and the person at the screen.
// main() installs the real one; tests install their own.
class AppContext {
public:
    AppContext(std::shared_ptr<Clock> clock, std::shared_ptr<UserInteraction> ui,
               QString programFolder, QString computerName);

    Clock& clock() const { return *m_clock; }
    UserInteraction& ui() const { return *m_ui; }
    // Absolute, written with "/", without a final "/" (except the root).
    QString programFolder() const { return m_programFolder; }
    QString computerName() const { return m_computerName; }
    // Tells this computer apart from every other that shares the database
    // or a folder, as the short host name cannot: the system's machine id
    // with the computer name, unless set.
    QString computerId() const;
    void SetComputerId(QString id) { m_computerId = std::move(id); }
    // Names this process and tells whether another has ended; the
    // system's unless set.
    const ProcessIdentity& processes() const { return *m_processes; }
    void SetProcesses(std::shared_ptr<ProcessIdentity> processes) { m_processes = std::move(processes); }

    // The program's current printer, where the program has one.
    using PrinterFactory = std::function<std::unique_ptr<ReportCanvas>()>;
    void SetPrinter(PrinterFactory factory) { m_printer = std::move(factory); }
    // A canvas on the current printer; none when the program has no printer.
    std::unique_ptr<ReportCanvas> OpenPrinter() const { return m_printer ? m_printer() : nullptr; }

    // The keyboard's caps-lock state, read where the program has a keyboard.
    using CapsLockReader = std::function<bool()>;
    void SetCapsLockReader(CapsLockReader reader) { m_capsLock = std::move(reader); }
    // False when no reader is installed.
    bool IsCapsLockOn() const { return m_capsLock && m_capsLock(); }

    // The installed context; a console one over the real clock and host
    // when nothing was installed.
    static AppContext& Current();
    static void Install(std::shared_ptr<AppContext> context);

    // NEVIX_HOME when set, else the folder of the executable.
    static QString DefaultProgramFolder();
    // The short host name, "" when the system cannot give it.
    static QString SystemComputerName();
    // The system's machine id, "" where it has none.
    static QString SystemMachineId();
    static std::shared_ptr<AppContext> MakeDefault(std::shared_ptr<UserInteraction> ui);

private:
    std::shared_ptr<Clock> m_clock;
    std::shared_ptr<UserInteraction> m_ui;
    QString m_programFolder;
    QString m_computerName;
    QString m_computerId;
    std::shared_ptr<ProcessIdentity> m_processes = std::make_shared<SystemProcessIdentity>();
    PrinterFactory m_printer;
    CapsLockReader m_capsLock;
};

// Installs a context for the life of a scope and puts the previous one back.
class ScopedAppContext {
public:
    explicit ScopedAppContext(std::shared_ptr<AppContext> context);
    ~ScopedAppContext();
    ScopedAppContext(const ScopedAppContext&) = delete;
    ScopedAppContext& operator=(const ScopedAppContext&) = delete;

private:
    std::shared_ptr<AppContext> m_previous;
};
