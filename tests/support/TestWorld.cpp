#include "support/TestWorld.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"

TestWorld::TestWorld(const QString& computerName)
    : m_ui(std::make_shared<FakeUserInteraction>()), m_clock(std::make_shared<FakeClock>())
{
    ReleaseSettings();
    SetUnattendedMessageSink({});
    auto context = std::make_shared<AppContext>(m_clock, m_ui, m_dir.path(), computerName);
    context->SetCapsLockReader([capsLock = m_capsLock] { return *capsLock; });
    m_scope = std::make_unique<ScopedAppContext>(std::move(context));
}

TestWorld::~TestWorld()
{
    m_scope.reset();
    SetUnattendedMessageSink({});
    ReleaseSettings();
}
