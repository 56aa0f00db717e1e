// The log windows' heavy work: three months of lines put into the history
// list (again at every resize), and a long run printed to PDF.
#include "accounts/LogDisplay.h"
#include "database/LogLines.h"
#include "reports/TransmissionLogReport.h"
#include "reports/qt/QtPrinterCanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include "NeedGui.h"

#include <QStringListModel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Runs of 50 lines of every code, as maintenance and exchanges leave them.
std::unique_ptr<LogLines> History(int count)
{
    auto log = std::make_unique<LogLines>();
    const int32_t codes[] = {8, 32, 64, 32, 128, 64, 256, 32, 512, 16};
    const QDateTime start(QDate(2024, 1, 1), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        auto line = std::make_shared<LogLine>();
        line->SetLogId(QStringLiteral("L%1").arg(i, 9, 10, QLatin1Char('0')));
        line->SetRunNumber(i / 50 + 1);
        line->SetEventCode(int16_t(codes[i % 10]));
        line->SetTimeOfEvent(start.addSecs(i * 60));
        line->SetEventText(QStringLiteral("Sent 12 enquiries to the Nevix service for enquirer AB123, batch %1").arg(i));
        line->SetUserName(QStringLiteral("AUTOEXECUTE"));
        line->SetComputerName(QStringLiteral("OFFICE-PC"));
        log->Add(line);
    }
    return log;
}

// The list's work at a fill: wrapped lines measured in the list's font,
// handed to its model (the view draws only the rows in sight).
void BM_HistoryListFill(benchmark::State& state)
{
    NeedGui();
    const auto log = History(int(state.range(0)));
    const QFontMetricsF metrics{QFont()};
    QStringListModel model;
    for (auto _ : state) {
        QStringList items;
        WrappedList list{items, 700, [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }};
        FormatLogForDisplay(list, *log, true, 1023);
        model.setStringList(items);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_HistoryListFill)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PrintLogToPdf(benchmark::State& state)
{
    NeedGui();
    QStringList lines;
    for (int i = 0; i < state.range(0); ++i)
        lines << QStringLiteral("15/03/2024 10:%1:00 W Enquiry FX%2AAA was refused by the service").arg(i % 60).arg(i);
    QTemporaryDir dir;
    for (auto _ : state) {
        QtPrinterCanvas canvas(dir.filePath(QStringLiteral("log.pdf")));
        PrintTransmissionLog(canvas, QStringLiteral("Communication Session 15/03/2024 10:00:00"),
                             QDate(2024, 3, 15), {{QStringLiteral("Log details"), lines}});
    }
}
BENCHMARK(BM_PrintLogToPdf)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
