// Loading 100,000 keeper responses, and 100,000 enquiries, for their
// screens beside a sqlite3 step loop into plain structs over the same rows
// and errors.
#include "SideBySide.h"
#include "StoredRows.h"

#include "support/DatabaseTest.h"

#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

namespace {

class LoadWorld : public DatabaseTest {
public:
    void TestBody() override {}
    using DatabaseTest::db;
    using DatabaseTest::path;
};

// The same bare read of a table's rows and of the message errors.
void BareLoad(const QString& path, const char* select)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    const auto rows = ReadPlainRows(db, select);
    const auto errors = ReadPlainRows(db, "SELECT * FROM JUX_MSG_ERROR");
    benchmark::DoNotOptimize(rows.size() + errors.size());
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

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
            responses.Load({QStringLiteral("AB001")});
            if (responses.Count() != rows)
                state.SkipWithError("not every response was loaded");
        });
        timing.Bare([&] {
            BareLoad(world.path, "SELECT * FROM VQ7_Responses WHERE (EnquirerId IS NULL OR EnquirerId IN ('AB001')) "
                                 "AND IsTest = 0 ORDER BY VRM");
        });
        timing.Report();
    }
}
SIDE_BY_SIDE(BM_LoadResponses)->Arg(100000);

void BM_LoadEnquiries(benchmark::State& state)
{
    EnsureApplication();
    const int rows = int(state.range(0));
    LoadWorld world;
    StoreEnquiries(world.path, rows);
    SideBySide timing(state);
    for (auto _ : state) {
        timing.Program([&] {
            VQ3Enquiries enquiries;
            enquiries.SetDataSource(&world.db, false);
            enquiries.Load({QStringLiteral("AB001")});
            if (enquiries.Count() != rows)
                state.SkipWithError("not every enquiry was loaded");
        });
        timing.Bare([&] {
            BareLoad(world.path, "SELECT * FROM VQ3_Enquiries WHERE (EnquirerId IS NULL OR EnquirerId IN ('AB001')) "
                                 "AND IsTest = 0 ORDER BY Date_Of_Event, VRM");
        });
        timing.Report();
    }
}
SIDE_BY_SIDE(BM_LoadEnquiries)->Arg(100000);

} // namespace
