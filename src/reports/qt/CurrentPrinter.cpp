#include "reports/qt/CurrentPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {
QString& Chosen()
{
    static QString name;
    return name;
}
} // namespace

namespace CurrentPrinter {

QString Name()
{
    if (!Chosen().isEmpty())
        return Chosen();
    return QPrinterInfo::defaultPrinterName();
}

void SetName(const QString& name)
{
    Chosen() = name;
}

std::unique_ptr<QPrinter> MakePrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QString name = Name();
    if (name.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QStringLiteral("Nevix report.pdf"));
    } else {
        printer->setPrinterName(name);
    }
    return printer;
}

} // namespace CurrentPrinter
