// Loading 100,000 keeper responses for the responses screen beside a
// sqlite3 step loop into plain structs over the same rows and errors.
#include "SideBySide.h"
#include "StoredRows.h"

#include "support/DatabaseTest.h"

#include "records/VQ7Responses.h"

namespace {

class LoadWorld : public DatabaseTest {
public:
    void TestBody() override {}
    using DatabaseTest::db;
    using DatabaseTest::path;
};

void BM_LoadResponses(benchmark::State& state)
{
    EnsureApplication();
    const int rows = int(state.range(0));
    LoadWorld world;
    StoreResponses(world.path, rows);
    SideBySide timing(state);
    for (auto _ : state) {
        timing.Program([&] {
            VQ7Responses responses;
            responses.SetDataSource(&world.db, false);
            responses.Load(QStringLiteral("AB001"));
            if (responses.Count() != rows)
                state.SkipWithError("not every response was loaded");
        });
        timing.Bare([&] {
            sqlite3* db = nullptr;
            sqlite3_open_v2(world.path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            const auto responses = ReadPlainRows(
                db, "SELECT * FROM VQ7_Responses WHERE (EnquirerId IS NULL OR EnquirerId IN ('AB001')) "
                    "AND IsTest = 0 ORDER BY VRM");
            const auto errors = ReadPlainRows(db, "SELECT * FROM JUX_MSG_ERROR");
            benchmark::DoNotOptimize(responses.size() + errors.size());
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        });
        timing.Report();
    }
}
SIDE_BY_SIDE(BM_LoadResponses)->Arg(100000);

} // namespace
