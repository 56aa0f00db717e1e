#include "records/SortOrder.h"

#include "database/CDataBase.h"
#include "database/RecordSet.h"
#include "platform/NevixError.h"

#include <QRegularExpression>
#include <QSet>

namespace {
QSet<QString> ColumnNames(CDataBase& db, const QString& table)
{
    QSet<QString> names;
    RecordSet columns = db.OpenRecordSet(QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')'));
    for (; !columns.IsEOF(); columns.MoveNext())
        names.insert(columns.Text(QStringLiteral("name")).value_or(QString()).toCaseFolded());
    columns.Close();
    return names;
}
} // namespace

QString CheckedSortOrder(CDataBase& db, const QString& table, const QString& sortOrder,
                         const QString& source)
{
    static const QRegularExpression term(
        QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)(?:\\s+(ASC|DESC))?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QSet<QString> columns = ColumnNames(db, table);
    for (const QString& part : sortOrder.split(QLatin1Char(','))) {
        const QRegularExpressionMatch match = term.match(part);
        if (!match.hasMatch() || !columns.contains(match.captured(1).toCaseFolded()))
            throw NevixError(ErrorNumbers::InvalidArgument,
                             QStringLiteral("invalid sort order: ") + sortOrder, source);
    }
    return sortOrder.trimmed();
}
