#pragma once

#include "database/LogLine.h"

#include <memory>
#include <vector>

// Writes the lines, as a log screen shows them, to "Log-" and the time
// ("yyyymmddhhmmss") ".log" in the program folder, one TAB-separated line
// each, and tells the user where. A failure is shown as a warning and goes
// no further.
void SaveLogToFile(const std::vector<std::shared_ptr<LogLine>>& lines);
