#include "core/WorkInProgress.h"

#include "platform/AppContext.h"
#include "platform/NevixError.h"

#include <limits>

WorkInProgress::~WorkInProgress()
{
    if (m_count > 0) {
        m_count = 1;
        Hide();
    }
}

void WorkInProgress::UpdateMessage(const QString& message)
{
    if (m_count == 0) {
        Show(message);
        return;
    }
    UserInteraction& ui = AppContext::Current().ui();
    ui.SetWaitMessage(message);
    ui.PumpEvents();
}

void WorkInProgress::Show(const QString& message, const std::optional<QString>& windowCaption)
{
    if (m_count == std::numeric_limits<int16_t>::max())
        throw NevixError::Overflow(QStringLiteral("WorkInProgress.Show"));
    UserInteraction& ui = AppContext::Current().ui();
    if (!message.isEmpty())
        ui.SetWaitMessage(message);
    if (windowCaption)
        ui.SetWaitCaption(*windowCaption);
    if (m_count == 0)
        ui.ShowWaitWindow();
    ++m_count;
    ui.PumpEvents();
}

void WorkInProgress::Hide()
{
    // A Hide without a Show must not leave the count below zero, or the next
    // Show would never bring the window up.
    if (m_count == 0)
        return;
    UserInteraction& ui = AppContext::Current().ui();
    if (--m_count == 0)
        ui.UnloadWaitWindow();
    ui.PumpEvents();
}
