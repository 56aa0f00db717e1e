#pragma once

#include "platform/UserInteraction.h"

#include <QString>

#include <cstdint>
#include <functional>

// Runs a screen's action; a failure is shown in a box of the style (the
// message, the error's description as detail) and goes no further. False
// when the action failed.
bool Reported(const QString& message, const std::function<void()>& action, uint32_t style = MsgBox::Critical);
