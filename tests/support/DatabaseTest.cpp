#include "support/DatabaseTest.h"

#include "database/DatabasePassword.h"
#include "database/DatabaseSchema.h"
#include "database/SimpleDBkeyMaker.h"

void ConnectTo(CDataBase& database, const QString& file)
{
    database.SetConnectionParams(file, QStringLiteral("Microsoft.Jet.OLEDB.4.0"),
                                 GetDbPassword(), QString(), QString());
}

DatabaseTest::DatabaseTest() : path(world.PathOf(QStringLiteral("Nevix.MDB")))
{
    DatabaseSchema::CreateNewDatabase(path);
    ConnectTo(db, path);
}

std::unique_ptr<CDataBase> DatabaseTest::Other() const
{
    auto other = std::make_unique<CDataBase>();
    ConnectTo(*other, path);
    return other;
}

QVariant DatabaseTest::Scalar(const QString& sql, const SqlValues& values) const
{
    CDataBase reader;
    ConnectTo(reader, path);
    RecordSet rs = reader.OpenRecordSet(sql, values);
    return rs.HasRow() ? rs.Field(0) : QVariant();
}

int64_t DatabaseTest::CountRows(const QString& table, const QString& where) const
{
    return Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table +
                  (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
        .toLongLong();
}

void DatabaseTest::CreateWidgetTable()
{
    db.Execute(QStringLiteral(
        "CREATE TABLE WIDGETS (WidgetId TEXT(20) COLLATE NOCASE NOT NULL PRIMARY KEY, "
        "Name TEXT(50) COLLATE NOCASE, Quantity INTEGER CHECK (Quantity >= 0), Active BOOLEAN, "
        "MadeOn DATETIME, TmStamp TEXT(20))"));
    db.KeyMaker().InitialiseTableEntry(QStringLiteral("WIDGETS"), QStringLiteral("W"), 11, 1);
}
