#pragma once

#include "core/AskTellUser.h"

class LogLines;

// For the life of a scope, a message box that nobody would answer becomes
// a line of the open run: a critical one an error, a warning a warning,
// any other information. When the line cannot be added the message goes
// where it went before.
class RunLogMessages {
public:
    explicit RunLogMessages(LogLines& log);

private:
    ScopedUnattendedSink m_sink;
};
