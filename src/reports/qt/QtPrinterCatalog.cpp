#include "reports/qt/QtPrinterCatalog.h"

#include "platform/NevixError.h"
#include "reports/qt/CurrentPrinter.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

QStringList QtPrinterCatalog::InstalledPrinters() const
{
    return QPrinterInfo::availablePrinterNames() << PrinterChoice::PrintToFile;
}

PrinterChoice QtPrinterCatalog::Current() const
{
    PrinterChoice current = CurrentPrinter::Get();
    current.outputFile = CurrentPrinter::FileName();
    return current;
}

void QtPrinterCatalog::MakeCurrent(int index)
{
    const QStringList printers = InstalledPrinters();
    if (index < 0 || index >= printers.size())
        throw NevixError(ErrorNumbers::ObjectErrorBase + 1, QStringLiteral("No such printer."));
    PrinterChoice printer;
    printer.deviceName = printers[index];
    CurrentPrinter::Set(printer);
}

void QtPrinterCatalog::Change(bool accepted, int16_t PrinterChoice::*field, int16_t value)
{
    if (!accepted)
        throw NevixError(ErrorNumbers::ObjectErrorBase + 1, QStringLiteral("The printer refuses the setting."));
    PrinterChoice printer = CurrentPrinter::Get();
    printer.*field = value;
    CurrentPrinter::Set(printer);
}

void QtPrinterCatalog::SetCopies(int16_t value)
{
    Change(value >= 1, &PrinterChoice::copies, value);
}

void QtPrinterCatalog::SetDuplex(int16_t value)
{
    bool supported = value >= 1 && value <= 3;
    if (supported && value != 1 && !CurrentPrinter::IsPrintToFile()) {
        const auto modes = QPrinterInfo::printerInfo(CurrentPrinter::Get().deviceName).supportedDuplexModes();
        supported = modes.contains(value == 2 ? QPrinter::DuplexLongSide : QPrinter::DuplexShortSide);
    }
    Change(supported, &PrinterChoice::duplex, value);
}

void QtPrinterCatalog::SetOrientation(int16_t value)
{
    Change(value == 1 || value == 2, &PrinterChoice::orientation, value);
}

void QtPrinterCatalog::SetPaperSize(int16_t value)
{
    Change(value >= 1 && value - 1 <= QPageSize::LastPageSize, &PrinterChoice::paperSize, value);
}

void QtPrinterCatalog::SetPrintQuality(int16_t value)
{
    Change(value > 0, &PrinterChoice::printQuality, value);
}

void QtPrinterCatalog::SetColour(int16_t value)
{
    Change(value == 1 || value == 2, &PrinterChoice::colour, value);
}

void QtPrinterCatalog::SetPaperBin(int16_t value)
{
    Change(value >= 1 && value - 1 <= QPrinter::LastPaperSource, &PrinterChoice::defaultSource, value);
}

void QtPrinterCatalog::SetOutputFile(const QString& path)
{
    if (!CurrentPrinter::IsPrintToFile() || path.trimmed().isEmpty())
        throw NevixError(ErrorNumbers::ObjectErrorBase + 1, QStringLiteral("The printer refuses the setting."));
    PrinterChoice printer = CurrentPrinter::Get();
    printer.outputFile = path;
    CurrentPrinter::Set(printer);
}
