// The log windows' heavy work: three months of lines put into the history
// list (again at every resize), and a long run printed to PDF.
#include "NeedGui.h"
#include "jobs/SideBySide.h"

#include "core/LoggingGlobals.h"
#include "database/LogLines.h"
#include "reports/TransmissionLogReport.h"
#include "reports/qt/QtPrinterCanvas.h"
#include "screens/transmission/LogListView.h"

#include <QPainter>
#include <QPdfWriter>
#include <QStringListModel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Runs of 50 lines of every code, as maintenance and exchanges leave them;
// long: each text twice as long, so that every line wraps once.
std::unique_ptr<LogLines> History(int count, bool longLines = false)
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
        const QString text = QStringLiteral("Sent 12 enquiries to the Nevix service for enquirer AB123, batch %1").arg(i);
        line->SetEventText(longLines ? text + QLatin1Char(' ') + text : text);
        line->SetUserName(QStringLiteral("AUTOEXECUTE"));
        line->SetComputerName(QStringLiteral("OFFICE-PC"));
        log->Add(line);
    }
    return log;
}

// The history window's list filled as the program fills it (lines under
// their run headers, wrapped to the list's width), beside the same lines
// formatted plainly into a list model without any measuring.
void BM_HistoryListFill(benchmark::State& state)
{
    NeedGui();
    const auto log = History(int(state.range(0)), state.range(1) != 0);
    LogListView view;
    view.resize(700, 400);
    QStringListModel bare;
    SideBySide timing(state, Timer::ThreadCpu);
    for (auto _ : state) {
        timing.Program([&] { view.Fill(*log, true, 1023); });
        timing.Bare([&] {
            QStringList items;
            int32_t run = 0;
            for (const auto& line : *log) {
                if (line->RunNumber() != run) {
                    run = line->RunNumber();
                    items << QStringLiteral("Run Number: %1 (from %2 on %3)")
                                 .arg(run)
                                 .arg(line->UserName(), line->ComputerName());
                }
                items << line->TimeOfEvent()->toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) + QLatin1Char(' ') +
                             EventCodeText(line->EventCode()) + QLatin1Char(' ') + line->EventText();
            }
            bare.setStringList(items);
        });
        timing.Report();
        benchmark::DoNotOptimize(view.model()->rowCount());
    }
}
// Second argument 1: lines that wrap once each.
BENCHMARK(BM_HistoryListFill)->Args({100000, 0})->Args({100000, 1})->UseManualTime()->Unit(benchmark::kMillisecond);

// The log printed as the program prints it, beside the same lines drawn
// plainly on a PDF writer in Arial, a page every 60 lines.
void BM_PrintLogToPdf(benchmark::State& state)
{
    NeedGui();
    QStringList lines;
    for (int i = 0; i < state.range(0); ++i)
        lines << QStringLiteral("15/03/2024 10:%1:00 W Enquiry FX%2AAA was refused by the service").arg(i % 60).arg(i);
    QTemporaryDir dir;
    SideBySide timing(state);
    for (auto _ : state) {
        timing.Program([&] {
            QtPrinterCanvas canvas(dir.filePath(QStringLiteral("log.pdf")));
            PrintTransmissionLog(canvas, QStringLiteral("Communication Session 15/03/2024 10:00:00"),
                                 QDate(2024, 3, 15), {{QStringLiteral("Log details"), lines}});
        });
        timing.Bare([&] {
            QPdfWriter writer(dir.filePath(QStringLiteral("bare.pdf")));
            writer.setPageSize(QPageSize(QPageSize::A4));
            QPainter painter(&writer);
            painter.setFont(QFont(QStringLiteral("Arial"), 10));
            const int step = writer.height() / 62;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (i > 0 && i % 60 == 0)
                    writer.newPage();
                painter.drawText(0, step * int(1 + i % 60), lines[i]);
            }
        });
        timing.Report();
    }
}
BENCHMARK(BM_PrintLogToPdf)->Arg(5000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
