// The standard fixture, which many tests make, against the delivered
// database alone that it starts from.
#include "StandardFixture.h"

#include "database/DatabaseSchema.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QDateTime Now(QDate(2024, 3, 15), QTime(10, 30));

void BM_DeliveredDatabase(benchmark::State& state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        DatabaseSchema::CreateNewDatabase(dir.filePath(QStringLiteral("Nevix.MDB")));
    }
}
BENCHMARK(BM_DeliveredDatabase)->Unit(benchmark::kMillisecond);

void BM_StandardFixture(benchmark::State& state)
{
    const FixtureOptions options = FixtureOptions().WithEnquiries(int32_t(state.range(0)));
    for (auto _ : state) {
        QTemporaryDir dir;
        Fixture::Standard(dir.path(), Now, options);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StandardFixture)->Arg(120)->Arg(1200)->Unit(benchmark::kMillisecond);
// The enquiry screen's large list through the record classes.
BENCHMARK(BM_StandardFixture)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same list written by the bulk option.
void BM_BulkFixture(benchmark::State& state)
{
    const FixtureOptions options = FixtureOptions().WithBulkEnquiries(int32_t(state.range(0)));
    for (auto _ : state) {
        QTemporaryDir dir;
        Fixture::Standard(dir.path(), Now, options);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BulkFixture)->Arg(150)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
