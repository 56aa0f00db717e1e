#include "reports/qt/CurrentPrinter.h"

#include "platform/AppContext.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <optional>

namespace {
std::optional<PrinterChoice>& Chosen()
{
    static std::optional<PrinterChoice> printer;
    return printer;
}
} // namespace

namespace CurrentPrinter {

PrinterChoice Get()
{
    if (Chosen())
        return *Chosen();
    PrinterChoice printer;
    printer.deviceName = QPrinterInfo::defaultPrinterName();
    if (printer.deviceName.isEmpty())
        printer.deviceName = PrinterChoice::PrintToFile;
    return printer;
}

void Set(const PrinterChoice& printer)
{
    Chosen() = printer;
}

bool IsPrintToFile()
{
    return Get().deviceName == PrinterChoice::PrintToFile;
}

QString FileName()
{
    if (const QString chosen = Get().outputFile; !chosen.isEmpty())
        return chosen;
    return AppContext::Current().programFolder() + QStringLiteral("/Nevix report.pdf");
}

std::unique_ptr<QPrinter> MakePrinter()
{
    const PrinterChoice chosen = Get();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (chosen.deviceName != PrinterChoice::PrintToFile)
        printer->setPrinterName(chosen.deviceName);
    if (chosen.copies > 0)
        printer->setCopyCount(chosen.copies);
    if (chosen.duplex > 0)
        printer->setDuplex(chosen.duplex == 2   ? QPrinter::DuplexLongSide
                           : chosen.duplex == 3 ? QPrinter::DuplexShortSide
                                                : QPrinter::DuplexNone);
    if (chosen.paperSize > 0)
        printer->setPageSize(QPageSize(QPageSize::PageSizeId(chosen.paperSize - 1)));
    if (chosen.printQuality > 0)
        printer->setResolution(chosen.printQuality);
    if (chosen.colour > 0)
        printer->setColorMode(chosen.colour == 2 ? QPrinter::Color : QPrinter::GrayScale);
    if (chosen.defaultSource > 0)
        printer->setPaperSource(QPrinter::PaperSource(chosen.defaultSource - 1));
    return printer;
}

} // namespace CurrentPrinter
