#include "core/Utils.h"
#include "core/VCipher.h"
#include "core/VbFormat.h"

#include <benchmark/benchmark.h>

static void BM_EncipherDecipher(benchmark::State& state)
{
    const VCipher cipher;
    const QString password = QStringLiteral("Correct-Horse_42!");
    for (auto _ : state) {
        benchmark::DoNotOptimize(cipher.Decipher(cipher.Encipher(password)));
    }
}
BENCHMARK(BM_EncipherDecipher);

static void BM_FormatNumberGrouped(benchmark::State& state)
{
    double value = 1234567;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatNumber(value, QStringLiteral("#,###")));
        value += 1;
    }
}
BENCHMARK(BM_FormatNumberGrouped);

static void BM_FormatDateTime(benchmark::State& state)
{
    const QDateTime when(QDate(2024, 3, 15), QTime(10, 30, 5));
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatDateTime(when, QStringLiteral("dd/mm/yyyy hh:nn:ss")));
    }
}
BENCHMARK(BM_FormatDateTime);
