#pragma once

#include <QString>

#include <memory>

class QPrinter;

// The program's current printer, to which every report goes: the system's
// default printer until a printer is chosen; "Print to file" (PDF) when the
// machine has none.
namespace CurrentPrinter {
QString Name();
void SetName(const QString& name);
// A printer object for the current printer, with its chosen settings.
std::unique_ptr<QPrinter> MakePrinter();
} // namespace CurrentPrinter
