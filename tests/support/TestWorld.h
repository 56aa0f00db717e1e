#pragma once

#include "support/FakeClock.h"
#include "support/FakeUserInteraction.h"
#include "support/Printers.h"

#include "platform/AppContext.h"

#include <QTemporaryDir>

#include <memory>

// A temporary world for one test: a program folder of its own, a clock
// standing at 15 March 2024 10:30, a scripted user and fresh program-wide
// objects. Everything is put back when it goes.
class TestWorld {
public:
    explicit TestWorld(const QString& computerName = QStringLiteral("TESTPC"));
    ~TestWorld();

    QString Folder() const { return m_dir.path(); }
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    FakeUserInteraction& ui() { return *m_ui; }
    FakeClock& clock() { return *m_clock; }
    // The scripted keyboard's caps lock (off at the start).
    void SetCapsLock(bool on) { *m_capsLock = on; }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<FakeUserInteraction> m_ui;
    std::shared_ptr<FakeClock> m_clock;
    std::shared_ptr<bool> m_capsLock = std::make_shared<bool>(false);
    std::unique_ptr<ScopedAppContext> m_scope;
};
