#pragma once

#include "platform/UserInteraction.h"

#include <QStringList>

#include <cstdint>

// The installed printers and the program's current printer. Making a
// printer current or changing a setting raises NevixError when the printer
// refuses.
class PrinterCatalog {
public:
    virtual ~PrinterCatalog() = default;

    // Device names, in the platform's order.
    virtual QStringList InstalledPrinters() const = 0;
    // The current printer's device name, orientation and duplex mode, and
    // the file it writes when it prints to a file.
    virtual PrinterChoice Current() const = 0;
    // Makes the installed printer at this position (from 0) current.
    virtual void MakeCurrent(int index) = 0;

    virtual void SetCopies(int16_t value) = 0;
    virtual void SetDuplex(int16_t value) = 0;
    virtual void SetOrientation(int16_t value) = 0;
    virtual void SetPaperSize(int16_t value) = 0;
    virtual void SetPrintQuality(int16_t value) = 0;
    virtual void SetColour(int16_t value) = 0;
    virtual void SetPaperBin(int16_t value) = 0;
    // Where the current printer writes when it prints to a file.
    virtual void SetOutputFile(const QString& path) = 0;
};

// The print dialog, pre-set to the current printer; the printer chosen
// (matched by its upper-cased name, the last match winning) becomes
// current and gets the chosen settings, each one that the printer refuses
// being skipped. True only when the user confirmed the dialog.
bool ShowPrinter(const QString& ownerCaption, uint32_t flags, PrinterCatalog& printers);
