#pragma once

#include "reports/PrinterCatalog.h"

#include <QStringList>

#include <utility>

// Installed printers that take every setting; `current` is the chosen one.
class SettlingPrinters : public PrinterCatalog {
public:
    explicit SettlingPrinters(QStringList names) : installed(std::move(names)) {}
    QStringList InstalledPrinters() const override { return installed; }
    PrinterChoice Current() const override
    {
        PrinterChoice c;
        c.deviceName = installed.at(current);
        return c;
    }
    void MakeCurrent(int index) override { current = index; }
    void SetCopies(int16_t) override {}
    void SetDuplex(int16_t) override {}
    void SetOrientation(int16_t) override {}
    void SetPaperSize(int16_t) override {}
    void SetPrintQuality(int16_t) override {}
    void SetColour(int16_t) override {}
    void SetPaperBin(int16_t) override {}
    void SetOutputFile(const QString&) override {}

    QStringList installed;
    int current = 0;
};
