// The schema-change helpers of CDataBase, in the engine's dialect.
#include "database/CDataBase.h"

#include "database/SqliteError.h"

#include <QStringList>

namespace {
QString Bare(const QString& name)
{
    QString text = name.trimmed();
    if (text.size() >= 2 && ((text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))) ||
                             (text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))))
        text = text.mid(1, text.size() - 2);
    return text;
}

QString Name(const QString& name)
{
    return QLatin1Char('[') + Bare(name) + QLatin1Char(']');
}

QString Nulls(bool allowNulls)
{
    return allowNulls ? QStringLiteral(" NULL") : QStringLiteral(" NOT NULL");
}

// The engine type without its length or collation: "TEXT", "INTEGER"...
QString Family(const QString& declaredType)
{
    const QString mapped = CDataBase::SqliteColumnType(declaredType);
    qsizetype end = mapped.indexOf(QLatin1Char('('));
    if (end < 0)
        end = mapped.indexOf(QLatin1Char(' '));
    return (end < 0 ? mapped : mapped.left(end)).toUpper();
}

bool OneOf(const QString& word, std::initializer_list<const char*> words)
{
    for (const char* w : words) {
        if (word == QLatin1String(w))
            return true;
    }
    return false;
}
} // namespace

QString CDataBase::SqliteColumnType(const QString& fieldType)
{
    const QString type = fieldType.trimmed();
    const qsizetype paren = type.indexOf(QLatin1Char('('));
    const QString base = (paren < 0 ? type : type.left(paren)).trimmed().toUpper();
    const QString size = paren < 0 ? QString() : type.mid(paren).remove(QLatin1Char(' '));
    if (OneOf(base, {"TEXT", "VARCHAR", "CHAR", "NVARCHAR", "NCHAR", "STRING", "ALPHANUMERIC",
                     "CHARACTER", "CHARACTER VARYING", "VARCHAR2"}))
        return QStringLiteral("TEXT") + size + QStringLiteral(" COLLATE NOCASE");
    if (OneOf(base, {"MEMO", "LONGTEXT", "LONGCHAR", "NOTE", "NTEXT"}))
        return QStringLiteral("TEXT COLLATE NOCASE");
    if (OneOf(base, {"GUID", "UNIQUEIDENTIFIER"}))
        return QStringLiteral("TEXT(38) COLLATE NOCASE");
    if (OneOf(base, {"BIT", "YESNO", "LOGICAL", "LOGICAL1", "BOOLEAN"}))
        return QStringLiteral("BOOLEAN");
    if (OneOf(base, {"SHORT", "SMALLINT", "INTEGER2"}))
        return QStringLiteral("SMALLINT");
    if (OneOf(base, {"INTEGER", "INT", "LONG", "INTEGER4", "COUNTER", "AUTOINCREMENT"}))
        return QStringLiteral("INTEGER");
    if (OneOf(base, {"BYTE", "TINYINT", "INTEGER1"}))
        return QStringLiteral("TINYINT");
    if (OneOf(base, {"DATETIME", "DATE", "TIME", "TIMESTAMP"}))
        return QStringLiteral("DATETIME");
    if (OneOf(base, {"REAL", "SINGLE", "FLOAT4", "IEEESINGLE"}))
        return QStringLiteral("REAL");
    if (OneOf(base, {"DOUBLE", "FLOAT", "FLOAT8", "IEEEDOUBLE", "NUMBER"}))
        return QStringLiteral("DOUBLE");
    // Text affinity: an amount is kept as the exact decimal text written,
    // where a number affinity would turn it into a binary fraction.
    if (OneOf(base, {"CURRENCY", "MONEY"}))
        return QStringLiteral("CURRENCY TEXT");
    if (OneOf(base, {"DECIMAL", "NUMERIC", "DEC"}))
        return QStringLiteral("NUMERIC") + size;
    if (OneOf(base, {"BINARY", "VARBINARY", "LONGBINARY", "OLEOBJECT", "IMAGE", "GENERAL"}))
        return QStringLiteral("BLOB");
    return type;
}

QString CDataBase::SqliteIndexName(const QString& tableName, const QString& indexName)
{
    return Bare(tableName) + QLatin1Char('_') + Bare(indexName);
}

void CDataBase::AddTable(const QString& TableName, const QString& FieldName,
                         const QString& FieldType, bool AllowNulls)
{
    Execute(QStringLiteral("CREATE TABLE ") + Name(TableName) + QStringLiteral(" (") +
            Name(FieldName) + QLatin1Char(' ') + SqliteColumnType(FieldType) + Nulls(AllowNulls) +
            QLatin1Char(')'));
}

void CDataBase::AddField(const QString& TableName, const QString& FieldName,
                         const QString& FieldType, bool AllowNulls, bool isPrimaryKey)
{
    Execute(QStringLiteral("ALTER TABLE ") + Name(TableName) + QStringLiteral(" ADD COLUMN ") +
            Name(FieldName) + QLatin1Char(' ') + SqliteColumnType(FieldType) + Nulls(AllowNulls));
    if (isPrimaryKey)
        AddIndex(TableName, Name(FieldName), QStringLiteral("PrimaryKey"), true, true);
}

void CDataBase::DropField(const QString& TableName, const QString& FieldName)
{
    Execute(QStringLiteral("ALTER TABLE ") + Name(TableName) + QStringLiteral(" DROP COLUMN ") +
            Name(FieldName));
}

void CDataBase::DropTable(const QString& TableName)
{
    Execute(QStringLiteral("DROP TABLE ") + Name(TableName));
}

void CDataBase::AddIndex(const QString& TableName, const QString& FieldList,
                         const QString& IndexName, bool Primary, bool Unique)
{
    // A primary index is a unique one; the engine has no other kind.
    Execute(QStringLiteral("CREATE ") + (Primary || Unique ? QStringLiteral("UNIQUE ") : QString()) +
            QStringLiteral("INDEX ") + Name(SqliteIndexName(TableName, IndexName)) +
            QStringLiteral(" ON ") + Name(TableName) + QStringLiteral(" (") + FieldList +
            QLatin1Char(')'));
}

void CDataBase::DropIndex(const QString& TableName, const QString& IndexName)
{
    Execute(QStringLiteral("DROP INDEX ") + Name(SqliteIndexName(TableName, IndexName)));
}

void CDataBase::AlterField(const QString& TableName, const QString& FieldName,
                           const QString& FieldType)
{
    QString current;
    bool found = false;
    {
        RecordSet columns = OpenRecordSet(QStringLiteral("PRAGMA table_info(") + Name(TableName) +
                                          QLatin1Char(')'));
        for (; !columns.IsEOF(); columns.MoveNext()) {
            if (columns.Text(QStringLiteral("name")).value_or(QString())
                    .compare(Bare(FieldName), Qt::CaseInsensitive) == 0) {
                current = columns.Text(QStringLiteral("type")).value_or(QString());
                found = true;
            }
        }
        CloseRecordSet(columns);
    }
    if (!found)
        throw NevixError(ErrorNumbers::InvalidArgument,
                         QStringLiteral("no such column: ") + Bare(TableName) + QLatin1Char('.') +
                             Bare(FieldName),
                         QStringLiteral("CDataBase.AlterField"));
    if (Family(current) == Family(FieldType))
        return; // a length: the engine keeps text of any length
    RebuildTable(TableName, FieldName, FieldType);
}

void CDataBase::RebuildTable(const QString& tableName, const QString& fieldName,
                             const QString& fieldType)
{
    const QString table = Bare(tableName);
    const QString rebuilt = table + QStringLiteral("_rebuild");
    BeginTrans();
    try {
        QStringList definitions;
        QStringList names;
        QStringList keys;
        RecordSet columns = OpenRecordSet(QStringLiteral("PRAGMA table_info(") + Name(table) +
                                          QLatin1Char(')'));
        for (; !columns.IsEOF(); columns.MoveNext()) {
            const QString name = columns.Text(QStringLiteral("name")).value_or(QString());
            const bool changed = name.compare(Bare(fieldName), Qt::CaseInsensitive) == 0;
            QString definition =
                Name(name) + QLatin1Char(' ') +
                SqliteColumnType(changed ? fieldType : columns.Text(QStringLiteral("type")).value_or(QString()));
            if (columns.Long(QStringLiteral("notnull")).value_or(0) != 0)
                definition += QStringLiteral(" NOT NULL");
            if (const NullableString fallback = columns.Text(QStringLiteral("dflt_value")))
                definition += QStringLiteral(" DEFAULT ") + *fallback;
            if (columns.Long(QStringLiteral("pk")).value_or(0) != 0)
                keys << Name(name);
            definitions << definition;
            names << Name(name);
        }
        CloseRecordSet(columns);
        if (!keys.isEmpty())
            definitions << QStringLiteral("PRIMARY KEY (") + keys.join(QLatin1Char(',')) + QLatin1Char(')');

        QStringList indexes;
        RecordSet indexRows = OpenRecordSet(
            QStringLiteral("SELECT sql FROM sqlite_schema WHERE type='index' AND tbl_name=? "
                           "AND sql IS NOT NULL"),
            {table});
        for (; !indexRows.IsEOF(); indexRows.MoveNext())
            indexes << indexRows.Text(QStringLiteral("sql")).value_or(QString());
        CloseRecordSet(indexRows);

        const QString list = names.join(QLatin1Char(','));
        Execute(QStringLiteral("CREATE TABLE ") + Name(rebuilt) + QStringLiteral(" (") +
                definitions.join(QLatin1Char(',')) + QLatin1Char(')'));
        Execute(QStringLiteral("INSERT INTO ") + Name(rebuilt) + QStringLiteral(" (") + list +
                QStringLiteral(") SELECT ") + list + QStringLiteral(" FROM ") + Name(table));
        Execute(QStringLiteral("DROP TABLE ") + Name(table));
        Execute(QStringLiteral("ALTER TABLE ") + Name(rebuilt) + QStringLiteral(" RENAME TO ") +
                Name(table));
        for (const QString& index : std::as_const(indexes))
            Execute(index);
        CommitTrans();
    } catch (...) {
        Rollback();
        throw;
    }
}
