// The enquiry list printed to PDF: the longest report a user waits for.
#include "records/VQ3.h"
#include "reports/PrinterOfData.h"
#include "reports/qt/QtPrinterCanvas.h"

#include "NeedGui.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// In print order: five enquirers of four reasons each.
std::vector<std::shared_ptr<VQ3>> Enquiries(int count)
{
    std::vector<std::shared_ptr<VQ3>> list;
    for (int i = 0; i < count; ++i) {
        auto e = std::make_shared<VQ3>();
        e->SetEnquirerName(QStringLiteral("Enquirer %1").arg(i * 5 / count));
        e->SetEnquiryCodeDesc(QStringLiteral("Reason %1").arg(i * 20 / count));
        e->SetVRMVIN(QStringLiteral("FX%1AAA").arg(i, 5, 10, QLatin1Char('0')));
        e->SetEnquiryReference(QStringLiteral("REF-%1").arg(i));
        e->SetDateOfEvent(QDateTime(QDate(2024, 3, 1), QTime()));
        e->SetDateOfEnquiry(QDateTime(QDate(2024, 3, 2), QTime()));
        e->SetWhenSent(QDateTime(QDate(2024, 3, 3), QTime(10, 15)));
        e->SetResponseReceived(i % 3 == 0 ? 1 : 0);
        list.push_back(e);
    }
    return list;
}

void BM_EnquiryListToPdf(benchmark::State& state)
{
    NeedGui();
    const auto enquiries = Enquiries(int(state.range(0)));
    ReportOptions options;
    options.userName = QStringLiteral("bench");
    for (auto _ : state) {
        QTemporaryDir dir;
        QtPrinterCanvas canvas(dir.filePath(QStringLiteral("enquiries.pdf")));
        PrinterOfData printer(canvas, options);
        printer.PrintVehicleEnquiries(enquiries);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EnquiryListToPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
