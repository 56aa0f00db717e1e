// A collection Apply of 10,000 new records against a plain prepared INSERT
// loop in one transaction, on fresh delivered databases.
#include "database/CDataBase.h"
#include "database/DatabaseSchema.h"
#include "database/RecordCollection.h"
#include "database/RecordOf.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int Rows = 10000;

struct LineFields {
    QString Id;
    NullableDate When;
    int32_t Run = 0;
    int16_t Code = 0;
    QString Text;
    QString Process;
    QString User;
    QString Computer;
};

// A record shaped like a transmission-log line.
class BenchLine : public RecordOf<LineFields> {
public:
    QString Key() const override { return Current().Id; }
    void Fill(int i, const QDateTime& when)
    {
        SetField(&LineFields::When, NullableDate(when));
        SetField(&LineFields::Run, int32_t(i));
        SetField(&LineFields::Code, int16_t(32));
        SetText(&LineFields::Text, QStringLiteral("Enquiry %1 sent").arg(i), Qt::CaseSensitive);
        SetText(&LineFields::Process, QStringLiteral("COMRUN"), Qt::CaseSensitive);
        SetText(&LineFields::User, QStringLiteral("ADMIN"), Qt::CaseSensitive);
        SetText(&LineFields::Computer, QStringLiteral("BENCHPC"), Qt::CaseSensitive);
    }

protected:
    const RecordTable& Table() const override
    {
        static const RecordTable table{QStringLiteral("Transmission_Log"), QStringLiteral("LogId"),
                                       QStringLiteral("Transmission_Log")};
        return table;
    }
    void SetKey(const QString& key) override { MutableFields().Id = key; }
    void ReadRow(const RecordSet&) override {}
    ColumnValues RowValues() const override
    {
        const LineFields& f = Current();
        return {{QStringLiteral("Time_Of_Event"), ToVariant(f.When)},
                {QStringLiteral("Run_Number"), f.Run},
                {QStringLiteral("Event_Code"), f.Code},
                {QStringLiteral("Event_Text"), TextOrNull(f.Text)},
                {QStringLiteral("ProcessCode"), TextOrNull(f.Process)},
                {QStringLiteral("UserName"), TextOrNull(f.User)},
                {QStringLiteral("ComputerName"), TextOrNull(f.Computer)}};
    }
};

class BenchLines : public RecordCollection<BenchLine> {
protected:
    QString KeyFor(const BenchLine&) const override { return QStringLiteral("NW%1").arg(Count() + 1); }
};

QString FreshDatabase(const QTemporaryDir& dir, int run)
{
    const QString path = dir.filePath(QStringLiteral("Bench%1.MDB").arg(run));
    DatabaseSchema::CreateNewDatabase(path);
    return path;
}

void BM_CollectionApply(benchmark::State& state)
{
    QTemporaryDir dir;
    const QDateTime when = QDateTime::currentDateTime();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CDataBase db;
        db.SetConnectionParams(FreshDatabase(dir, ++run), QStringLiteral("Microsoft.Jet.OLEDB.4.0"),
                               {}, {}, {});
        BenchLines lines;
        lines.SetDataSource(&db);
        for (int i = 0; i < Rows; ++i) {
            auto line = std::make_shared<BenchLine>();
            line->Fill(i, when);
            lines.Add(std::move(line));
        }
        state.ResumeTiming();
        lines.Apply();
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_CollectionApply)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PlainPreparedInsertLoop(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray path = FreshDatabase(dir, ++run).toUtf8();
        state.ResumeTiming();
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Transmission_Log (LogId, Time_Of_Event, Run_Number, "
                           "Event_Code, Event_Text, ProcessCode, UserName, ComputerName, TmStamp) "
                           "VALUES (?,?,?,?,?,?,?,?,?)",
                           -1, &insert, nullptr);
        for (int i = 0; i < Rows; ++i) {
            const QByteArray id = QStringLiteral("L%1").arg(i + 1, 10, 10, QLatin1Char('0')).toUtf8();
            const QByteArray text = QStringLiteral("Enquiry %1 sent").arg(i).toUtf8();
            sqlite3_bind_text(insert, 1, id.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, when.constData(), -1, SQLITE_STATIC);
            sqlite3_bind_int(insert, 3, i);
            sqlite3_bind_int(insert, 4, 32);
            sqlite3_bind_text(insert, 5, text.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 6, "COMRUN", -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 7, "ADMIN", -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 8, "BENCHPC", -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 9, "20240315:37800.00", -1, SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_PlainPreparedInsertLoop)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
