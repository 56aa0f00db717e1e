#pragma once

#include <QString>

// True when any of the comma-separated roles is one of the comma-separated
// allowed roles, without regard to case. No roles pass nothing.
bool HasRole(const QString& roles, const QString& allowed);
