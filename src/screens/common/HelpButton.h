#pragma once

#include <cstdint>

class QWidget;

// Hides the window's child named "cmdHelp" when it has one; a window
// without one is left alone. Never shows a message. The topic is the one
// the screen would show; it is not used.
void HideHelpButton(QWidget& window, int32_t TopicId);
