#include "database/DatabaseMark.h"

#include "database/CDataBase.h"
#include "database/DatabaseSchema.h"
#include "database/InTransaction.h"

#include <QRandomGenerator>

namespace {
const QString Row = QStringLiteral("MARK");

QString Read(CDataBase& db)
{
    RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT Mark FROM DATABASE_IDENTITY WHERE Id=?"), {Row});
    const QString mark = rs.IsEOF() ? QString() : rs.Field(0).toString();
    db.CloseRecordSet(rs);
    return mark;
}
} // namespace

QString DatabaseMark(CDataBase& db)
{
    // Databases made by earlier builds lack the table.
    DatabaseSchema::EnsureTable(db, QStringLiteral("DATABASE_IDENTITY"));
    if (const QString mark = Read(db); !mark.isEmpty())
        return mark;
    // From the system, as no two databases may draw the same; of two
    // installations making it at once, the first one's stands.
    const quint64 drawn = QRandomGenerator::system()->generate64();
    InTransaction(db, [&] {
        db.Execute(QStringLiteral("INSERT OR IGNORE INTO DATABASE_IDENTITY (Id, Mark) VALUES (?, ?)"),
                   {Row, QStringLiteral("%1").arg(drawn & 0xffffffffffffULL, 12, 16, QLatin1Char('0'))});
    });
    return Read(db);
}
