#include "core/DelimitedString.h"
#include "core/JuxUtils.h"

#include <QDate>
#include <QStringList>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <vector>

namespace {
constexpr int Lines = 100000;

// Ten-field enquiry-like lines; with quoted set, every line has a quoted
// name holding a comma.
std::vector<QString> MakeLines(bool quoted)
{
    std::vector<QString> lines;
    lines.reserve(Lines);
    for (int i = 0; i < Lines; ++i) {
        const QString name = quoted ? QStringLiteral("\"Smith, J %1\"").arg(i)
                                    : QStringLiteral("Smith J %1").arg(i);
        lines.push_back(QStringLiteral("AB%1,CD12,%2,REF%3,20240315,%4,Y,N,12.50,END")
                            .arg(i % 1000, 3, 10, QLatin1Char('0'))
                            .arg(QStringLiteral("XY%1ABC").arg(i % 100, 2, 10, QLatin1Char('0')))
                            .arg(i)
                            .arg(name));
    }
    return lines;
}

const std::vector<QString>& PlainLines()
{
    static const std::vector<QString> lines = MakeLines(false);
    return lines;
}

const std::vector<QString>& QuotedLines()
{
    static const std::vector<QString> lines = MakeLines(true);
    return lines;
}

// The simplest splitter there is: cut at every comma.
QStringList NaiveSplit(const QString& line)
{
    QStringList words;
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(u',', start);
        if (comma < 0) {
            words.append(line.mid(start));
            return words;
        }
        words.append(line.mid(start, comma - start));
        start = comma + 1;
    }
}

void BM_NaiveSplitCsvLines(benchmark::State& state)
{
    const auto& lines = PlainLines();
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QString& line : lines) {
            const QStringList words = NaiveSplit(line);
            for (const QString& w : words)
                total += w.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Lines);
}
BENCHMARK(BM_NaiveSplitCsvLines)->Unit(benchmark::kMillisecond);

void SplitWith(benchmark::State& state, const std::vector<QString>& lines)
{
    DelimitedString fields;
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QString& line : lines) {
            fields.SetSource(line);
            const int32_t count = fields.Count();
            for (int32_t i = 1; i <= count; ++i)
                total += fields.Word(i).size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Lines);
}

void BM_DelimitedStringSplitCsvLines(benchmark::State& state)
{
    SplitWith(state, PlainLines());
}
BENCHMARK(BM_DelimitedStringSplitCsvLines)->Unit(benchmark::kMillisecond);

void BM_DelimitedStringSplitQuotedCsvLines(benchmark::State& state)
{
    SplitWith(state, QuotedLines());
}
BENCHMARK(BM_DelimitedStringSplitQuotedCsvLines)->Unit(benchmark::kMillisecond);

void BM_DelimitedStringSplitFixedWidthLines(benchmark::State& state)
{
    std::vector<QString> lines;
    lines.reserve(Lines);
    for (int i = 0; i < Lines; ++i)
        lines.push_back(QStringLiteral("XY%1ABC         ").arg(i % 100, 2, 10, QLatin1Char('0')) +
                        QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')) +
                        QStringLiteral("REF%1").arg(i, -20) + QStringLiteral("AB123CD1220240315"));
    DelimitedString fields;
    fields.SetFixedLengthFieldLengths(QStringLiteral("17,08,20,05,04,08"));
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QString& line : lines) {
            fields.SetSource(line);
            for (int32_t i = 1; i <= fields.Count(); ++i)
                total += fields.Word(i).size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Lines);
}
BENCHMARK(BM_DelimitedStringSplitFixedWidthLines)->Unit(benchmark::kMillisecond);

// One export record: reference, name, VRM, two numbers, a date, a flag.
void PadRecords(benchmark::State& state, int32_t layout)
{
    const QDate date(2024, 3, 15);
    for (auto _ : state) {
        qsizetype total = 0;
        for (int i = 0; i < Lines; ++i) {
            QString line;
            line += PadField(QStringLiteral("REF%1").arg(i), 20, QStringLiteral(" "), layout, false, true);
            line += PadField(QStringLiteral("Smith, J"), 30, QStringLiteral(" "), layout, false, true);
            line += PadField(QStringLiteral("XY12ABC"), 8, QStringLiteral(" "), layout, false, true);
            line += PadField(i, 8, QStringLiteral("0"), layout, false, false);
            line += PadField(12.5 + i, 10, QStringLiteral("0"), layout, false, false);
            line += PadField(date, 8, QStringLiteral(" "), layout, false, true);
            line += PadField(QStringLiteral("Y"), 1, QStringLiteral(" "), layout, false, true);
            line += PadDate(date, QStringLiteral("yyyymmdd"), layout, false, true);
            line += PadField(QVariant(), 5, QStringLiteral(" "), layout, false, true);
            line += PadField(QStringLiteral("END"), 3, QStringLiteral(" "), layout, false, true);
            total += line.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Lines);
}

void BM_PadExportRecordsCsv(benchmark::State& state)
{
    PadRecords(state, ExportLayout::Csv);
}
BENCHMARK(BM_PadExportRecordsCsv)->Unit(benchmark::kMillisecond);

void BM_PadExportRecordsFixedWidth(benchmark::State& state)
{
    PadRecords(state, 3);
}
BENCHMARK(BM_PadExportRecordsFixedWidth)->Unit(benchmark::kMillisecond);
} // namespace
