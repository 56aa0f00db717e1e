#pragma once

#include "platform/UserInteraction.h"

#include <QString>

#include <memory>

class QPrinter;

// The program's current printer, to which every report goes: the system's
// default printer until one is chosen, "Print to file (PDF)" on a machine
// without printers.
namespace CurrentPrinter {
// Its device name and chosen settings (0: the printer's own).
PrinterChoice Get();
void Set(const PrinterChoice& printer);
bool IsPrintToFile();
// Where "Print to file" writes: the file chosen in the print dialog, else
// "Nevix report.pdf" in the program folder.
QString FileName();
// A printer object for the current printer, with its chosen settings.
std::unique_ptr<QPrinter> MakePrinter();
} // namespace CurrentPrinter
