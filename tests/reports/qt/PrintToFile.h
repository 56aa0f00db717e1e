#pragma once

#include "platform/UserInteraction.h"
#include "reports/qt/CurrentPrinter.h"

// Makes "Print to file (PDF)" the program's current printer for one test
// and puts the printer before it back.
class PrintToFile {
public:
    PrintToFile()
    {
        PrinterChoice toFile;
        toFile.deviceName = PrinterChoice::PrintToFile;
        CurrentPrinter::Set(toFile);
    }
    ~PrintToFile() { CurrentPrinter::Set(m_saved); }
    PrintToFile(const PrintToFile&) = delete;
    PrintToFile& operator=(const PrintToFile&) = delete;

private:
    PrinterChoice m_saved = CurrentPrinter::Get();
};
