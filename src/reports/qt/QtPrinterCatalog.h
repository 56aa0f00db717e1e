#pragma once

#include "reports/PrinterCatalog.h"

// The printers the system knows, and "Print to file (PDF)" after them, so
// that a machine without printers can print.
class QtPrinterCatalog : public PrinterCatalog {
public:
    QStringList InstalledPrinters() const override;
    PrinterChoice Current() const override;
    void MakeCurrent(int index) override;
    void SetCopies(int16_t value) override;
    void SetDuplex(int16_t value) override;
    void SetOrientation(int16_t value) override;
    void SetPaperSize(int16_t value) override;
    void SetPrintQuality(int16_t value) override;
    void SetColour(int16_t value) override;
    void SetPaperBin(int16_t value) override;
    void SetOutputFile(const QString& path) override;

private:
    void Change(bool accepted, int16_t PrinterChoice::*field, int16_t value);
};
