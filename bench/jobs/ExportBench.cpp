// Exporting 10,000 keeper responses in layouts A, B and C beside a SELECT,
// a plain comma-separated format and a file write.
#include "SideBySide.h"
#include "StoredRows.h"

#include "support/DatabaseTest.h"
#include "support/FileBytes.h"

#include "core/ApplicationSettings.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "database/TransmissionResults.h"
#include "transfer/VQ7Utils.h"

#include <QFile>

namespace {

class ExportWorld : public DatabaseTest {
public:
    void TestBody() override {}
    using DatabaseTest::db;
    using DatabaseTest::path;
    using DatabaseTest::world;
};

const QByteArray Layouts[] = {"[System]\nConfigVersion=3\n", "[System]\nConfigVersion=2\n",
                              "[System]\nConfigVersion=3\nBespokeImportFormat=Yes\n"};

void BareExport(const QString& database, const QString& out)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM VQ7_Responses WHERE JuxExportedDate IS NULL AND ForAutoExport = 0 "
                           "AND IsTest = 0 ORDER BY EnquirerId", -1, &select, nullptr);
    const int columns = sqlite3_column_count(select);
    QFile file(out);
    file.open(QIODevice::WriteOnly);
    QString line;
    while (sqlite3_step(select) == SQLITE_ROW) {
        line.clear();
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                line += QLatin1Char(',');
            line += QLatin1Char('"') +
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(select, c)),
                                      sqlite3_column_bytes(select, c)) +
                    QLatin1Char('"');
        }
        line += QLatin1String("\r\n");
        file.write(line.toUtf8());
    }
    sqlite3_finalize(select);
    file.close();
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void BM_ExportResponses(benchmark::State& state)
{
    EnsureApplication();
    const int rows = 10000;
    SideBySide timing(state);
    for (auto _ : state) {
        ExportWorld world;
        WriteBytes(world.world.PathOf(QStringLiteral("Nevix.INI")), Layouts[state.range(0)]);
        Settings().Load();
        SysParameters parameters;
        parameters.SetDataSource(&world.db);
        parameters.Load();
        parameters.SetExportFormat(1);
        parameters.Apply();
        StoreResponses(world.path, rows);
        const QString out = world.world.PathOf(QStringLiteral("out.txt"));
        // Bare first: the program's export marks the rows exported.
        timing.Bare([&] { BareExport(world.path, world.world.PathOf(QStringLiteral("bare.txt"))); });
        timing.Program([&] {
            LogLines log;
            TransmissionResults results;
            ExportVQ7sToFile(world.db, out, log, results, {}, nullptr);
            if (results.VQ7sExported() != rows)
                state.SkipWithError("not every response was exported");
        });
        timing.Report();
    }
}
SIDE_BY_SIDE(BM_ExportResponses)->ArgName("layout")->Arg(0)->Arg(1)->Arg(2);

} // namespace
