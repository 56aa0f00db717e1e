#include "OldSchema.h"

#include "support/DatabaseTest.h"

#include "core/NumericText.h"
#include "database/DatabaseSchema.h"

#include <QRegularExpression>

namespace {
// What came with each version, written down apart from the upgrade itself
// so that a change the upgrade forgets shows. No old type: the column was
// added then.
struct Change {
    double version;
    const char* table;
    const char* column;
    const char* oldType;
};

constexpr Change History[] = {
    {1.1, "ENQUIRY_REASON", "DateOfEventCutOff", nullptr},
    {1.2, "System_Parameters", "BatchSize", nullptr},
    {1.2, "System_Parameters", "TrimAsterisk", nullptr},
    {1.21, "Debit_Statements", "EnquirerName", "TEXT(35)"},
    {3.0, "VQ7_Responses", "OtherName", "TEXT(50)"},
    {3.0, "VQ7_Responses", "VRM", "TEXT(10)"},
    {3.0, "VQ7_Responses", "RegistrationNumber", nullptr},
    {3.0, "VQ7_Responses", "TaxStatus", nullptr},
    {3.0, "VQ7_Responses", "FleetNumber", nullptr},
    {3.0, "VQ7_Responses", "SecondaryColour", nullptr},
    {3.0, "VQ7_Responses", "BodyType", nullptr},
    {3.0, "VRM_BLACKLIST", "VRM", "TEXT(10)"},
    {3.0, "VQ3_Enquiries", "VRM", "TEXT(20)"},
    {3.0, "VQ3_Enquiries", "UserName", nullptr},
    {3.0, "VQ3_Enquiries", "ComputerName", nullptr},
    {3.0, "VQ3_Enquiries", "WhenImported", nullptr},
    {3.0, "System_Parameters", "WriteFromLeft", nullptr},
    {3.0, "System_Parameters", "ExportFileFormat", nullptr},
};

// The table made again to the old definition, with its rows.
void Rebuild(CDataBase& db, const TableDefinition& old)
{
    QStringList names;
    for (const ColumnDefinition& column : old.Columns)
        names << QLatin1Char('[') + column.Name + QLatin1Char(']');
    const QString list = names.join(QLatin1Char(','));
    db.Execute(QStringLiteral("CREATE TEMP TABLE kept AS SELECT ") + list + QStringLiteral(" FROM ") + old.Name);
    db.DropTable(old.Name);
    db.AddTable(old.Name, old.Columns[0].Name, old.Columns[0].Type, old.Columns[0].AllowNulls);
    for (size_t i = 1; i < old.Columns.size(); ++i)
        db.AddField(old.Name, old.Columns[i].Name, old.Columns[i].Type, old.Columns[i].AllowNulls);
    for (const IndexDefinition& index : old.Indexes)
        db.AddIndex(old.Name, index.Fields, index.Name, index.Primary, index.Unique);
    db.Execute(QStringLiteral("INSERT INTO ") + old.Name + QStringLiteral(" (") + list + QStringLiteral(") SELECT ") +
               list + QStringLiteral(" FROM kept"));
    db.Execute(QStringLiteral("DROP TABLE temp.kept"));
}
} // namespace

void CreateDatabaseAtSchema(const QString& path, const QString& version)
{
    DatabaseSchema::CreateNewDatabase(path);
    const double shape = Val(version);
    CDataBase db;
    ConnectTo(db, path);
    db.BeginTrans();
    for (TableDefinition table : DatabaseSchema::Tables()) {
        bool changed = false;
        for (const Change& change : History) {
            if (shape >= change.version || table.Name != QLatin1String(change.table))
                continue;
            changed = true;
            auto column = std::find_if(table.Columns.begin(), table.Columns.end(),
                                       [&](const ColumnDefinition& c) { return c.Name == QLatin1String(change.column); });
            if (change.oldType)
                column->Type = QLatin1String(change.oldType);
            else
                table.Columns.erase(column);
        }
        if (changed)
            Rebuild(db, table);
    }
    db.UpdateDatabaseSchemaVersion(version);
    db.CommitTrans();
}

QStringList SchemaOf(const QString& path)
{
    CDataBase db;
    ConnectTo(db, path);
    static const QRegularExpression length(QStringLiteral("\\(\\d+\\)"));
    QStringList lines;
    RecordSet objects = db.OpenRecordSet(
        QStringLiteral("SELECT type, name, sql FROM sqlite_schema WHERE name NOT LIKE 'sqlite%'"));
    for (; !objects.IsEOF(); objects.MoveNext()) {
        const QString name = objects.Field(1).toString();
        if (objects.Field(0).toString() == QLatin1String("index")) {
            lines << objects.Field(2).toString();
            continue;
        }
        RecordSet columns = db.OpenRecordSet(QStringLiteral("PRAGMA table_info([") + name + QStringLiteral("])"));
        for (; !columns.IsEOF(); columns.MoveNext())
            lines << name + QLatin1Char('.') + columns.Field(1).toString() + QLatin1Char(' ') +
                         columns.Field(2).toString().remove(length) + QLatin1Char(' ') +
                         columns.Field(3).toString() + columns.Field(5).toString();
        db.CloseRecordSet(columns);
    }
    db.CloseRecordSet(objects);
    lines.sort();
    return lines;
}
