#include "core/ApplicationSettings.h"

#include <memory>

namespace {
std::unique_ptr<ApplicationSettings>& Slot()
{
    static std::unique_ptr<ApplicationSettings> settings;
    return settings;
}
} // namespace

ApplicationSettings& Settings()
{
    auto& slot = Slot();
    if (!slot)
        slot = std::make_unique<ApplicationSettings>();
    return *slot;
}

void ReleaseSettings()
{
    Slot().reset();
}
