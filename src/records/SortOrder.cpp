#include "records/SortOrder.h"

#include "database/CDataBase.h"
#include "database/RecordSet.h"
#include "platform/NevixError.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace {
// A column is also known by its record property's spelling ("WhenReceived"
// for "When_Received"), so both are looked up without case and underscores.
QString Spelling(const QString& name)
{
    return QString(name).remove(QLatin1Char('_')).toCaseFolded();
}

QHash<QString, QString> ColumnNames(CDataBase& db, const QString& table)
{
    QHash<QString, QString> names;
    RecordSet columns = db.OpenRecordSet(QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')'));
    for (; !columns.IsEOF(); columns.MoveNext()) {
        const QString name = columns.Text(QStringLiteral("name")).value_or(QString());
        names.insert(Spelling(name), name);
    }
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
    const QHash<QString, QString> columns = ColumnNames(db, table);
    QStringList terms;
    for (const QString& part : sortOrder.split(QLatin1Char(','))) {
        const QRegularExpressionMatch match = term.match(part);
        const auto column = match.hasMatch() ? columns.constFind(Spelling(match.captured(1))) : columns.cend();
        if (column == columns.cend())
            throw NevixError(ErrorNumbers::InvalidArgument,
                             QStringLiteral("invalid sort order: ") + sortOrder, source);
        terms << (match.captured(2).isEmpty() ? *column : *column + QLatin1Char(' ') + match.captured(2).toUpper());
    }
    return terms.join(QStringLiteral(", "));
}
