// Importing a CSV enquiry file of 10,000 to 40,000 lines, each line a
// different mark, beside a plain split and prepared INSERTs in one
// transaction. Run with TZ unset, as on most desktops: a TZ of the user's
// own spares the C library the zone file, and the figure says nothing.
#include "SideBySide.h"

#include "transfer/ImportTest.h"

#include "database/DatabaseSchema.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/LocalZone.h"
#include "support/FakeUserInteraction.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

class ImportWorld : public ImportTest {
public:
    void TestBody() override {}
    using ImportTest::Import;
    using ImportTest::results;
    using ImportTest::WriteImportFile;
    QString Folder() const { return world.Folder(); }
};

// A mark of its own per line, dates of event within the reasons' cut-off
// of today.
QByteArray EnquiryFile(int lines)
{
    static const char Letters[] = "ABCDEFGHJKLMNPRSTUVWXY";
    QByteArray file;
    file.reserve(lines * 34);
    const QDate today = QDate::currentDate();
    for (int i = 0; i < lines; ++i)
        file += QByteArray(1, Letters[i % 22]) + Letters[i / 22 % 22] + QByteArray::number(10 + i / 484) + "KLM," +
                today.addDays(-10 - i % 18).toString(u"yyyyMMdd").toLatin1() + ",R" + QByteArray::number(i) +
                ",AB123,01AB\r\n";
    return file;
}

// The program's own clock, as on a desktop: every reading of it converts
// the system's time to local time.
std::shared_ptr<AppContext> OnTheSystemClock(const QString& folder)
{
    return std::make_shared<AppContext>(std::make_shared<SystemClock>(), std::make_shared<FakeUserInteraction>(),
                                        folder, QStringLiteral("BENCHPC"));
}

void BareImport(const QString& file, const QString& database)
{
    QFile in(file);
    in.open(QIODevice::ReadOnly);
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO VQ3_Enquiries (VQ3ID, VRM, Date_Of_Event, Enquiry_Reference, EnquirerId, "
                       "EnquiryCode, When_Entered, WhenImported, Date_Of_Enquiry, IsTest, UserName, ComputerName) "
                       "VALUES (?,?,?,?,?,?,?,?,?,0,?,?)",
                       -1, &insert, nullptr);
    int n = 0;
    while (!in.atEnd()) {
        const QByteArray line = in.readLine().trimmed();
        const QList<QByteArray> f = line.split(',');
        if (f.size() < 5)
            continue;
        const QByteArray id = "VQ3" + QByteArray::number(++n);
        const QByteArray day = f[1].left(4) + '-' + f[1].mid(4, 2) + '-' + f[1].mid(6, 2) + " 00:00:00";
        sqlite3_bind_text(insert, 1, id.constData(), int(id.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, f[0].constData(), int(f[0].size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, day.constData(), int(day.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, f[2].constData(), int(f[2].size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 5, f[3].constData(), int(f[3].size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 6, f[4].constData(), int(f[4].size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 7, "2024-03-15 10:30:00", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 8, "2024-03-15 10:30:00", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 9, "2024-03-15 00:00:00", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 10, "ADMIN", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 11, "BENCHPC", -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void BM_ImportEnquiryFile(benchmark::State& state)
{
    if (qEnvironmentVariableIsSet("TZ") && qgetenv("TZ") != LocalZone::Marker) {
        state.SkipWithError("TZ is set: run with TZ unset, as on most desktops");
        return;
    }
    EnsureApplication();
    const int lines = int(state.range(0));
    const QByteArray content = EnquiryFile(lines);
    SideBySide timing(state);
    for (auto _ : state) {
        {
            ImportWorld world;
            const QString file = world.WriteImportFile(QStringLiteral("VQ3A.IMP"), content);
            const ScopedAppContext desktop(OnTheSystemClock(world.Folder()));
            timing.Program([&] { world.Import(file); });
            if (world.results.VQ3sImported() != lines)
                state.SkipWithError("not every line was imported");
        }
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("VQ3A.IMP"));
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(content);
        out.close();
        const QString database = dir.filePath(QStringLiteral("Bare.MDB"));
        DatabaseSchema::CreateNewDatabase(database);
        timing.Bare([&] { BareImport(file, database); });
        timing.Report();
    }
}
SIDE_BY_SIDE(BM_ImportEnquiryFile)->Arg(10000)->Arg(20000)->Arg(40000);

} // namespace
