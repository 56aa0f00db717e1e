#include "reports/PrinterCatalog.h"

#include "platform/AppContext.h"
#include "platform/NevixError.h"

#include <functional>

namespace {
// The device-name field of the dialog's settings holds this many characters.
constexpr int DeviceNameLength = 32;

void Quietly(const std::function<void()>& apply)
{
    try {
        apply();
    } catch (const NevixError&) {
        // A refused setting leaves the others to be applied.
    }
}
} // namespace

bool ShowPrinter(const QString& ownerCaption, uint32_t flags, PrinterCatalog& printers)
{
    std::optional<PrinterChoice> chosen;
    try {
        const PrinterChoice current = printers.Current();
        PrinterChoice preset;
        preset.deviceName = current.deviceName;
        preset.orientation = current.orientation;
        preset.duplex = current.duplex;
        preset.outputFile = current.outputFile;
        chosen = AppContext::Current().ui().ChoosePrinter(preset, ownerCaption, flags);
        if (!chosen)
            return false;
        QString name = chosen->deviceName.left(DeviceNameLength);
        if (const auto nul = name.indexOf(QChar(0)); nul >= 0)
            name.truncate(nul);
        name = name.toUpper();
        if (name != current.deviceName) {
            const QStringList installed = printers.InstalledPrinters();
            for (int i = 0; i < installed.size(); ++i)
                if (installed[i].toUpper() == name)
                    printers.MakeCurrent(i);
        }
    } catch (const NevixError&) {
        return false;
    }
    Quietly([&] { printers.SetCopies(chosen->copies); });
    Quietly([&] { printers.SetDuplex(chosen->duplex); });
    Quietly([&] { printers.SetOrientation(chosen->orientation); });
    Quietly([&] { printers.SetPaperSize(chosen->paperSize); });
    Quietly([&] { printers.SetPrintQuality(chosen->printQuality); });
    Quietly([&] { printers.SetColour(chosen->colour); });
    Quietly([&] { printers.SetPaperBin(chosen->defaultSource); });
    // The report goes to the file the user named, not to one of our choosing.
    if (!chosen->outputFile.isEmpty())
        Quietly([&] { printers.SetOutputFile(chosen->outputFile); });
    return true;
}
