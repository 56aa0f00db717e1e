#include "records/QueryConditions.h"

void QueryConditions::Add(const QString& condition, const SqlValues& values)
{
    Conditions << condition;
    Values << values;
}

namespace {
// The condition before, "?,?,..." for the listed ids (as listed) and after.
void AddIdList(QueryConditions& conditions, const QStringList& enquirerIds, const QString& before,
               const QString& after)
{
    if (enquirerIds.isEmpty())
        return;
    QStringList marks;
    SqlValues ids;
    for (const QString& id : enquirerIds) {
        marks << QStringLiteral("?");
        ids << id;
    }
    conditions.Add(before + marks.join(QLatin1Char(',')) + after, ids);
}
} // namespace

void QueryConditions::AddEnquirerIds(const QStringList& enquirerIds)
{
    AddIdList(*this, enquirerIds, QStringLiteral("(EnquirerId is null or EnquirerId in ("), QStringLiteral("))"));
}

void QueryConditions::AddOwnEnquirerIds(const QStringList& enquirerIds)
{
    AddIdList(*this, enquirerIds, QStringLiteral("EnquirerId in ("), QStringLiteral(")"));
}

void QueryConditions::AddPrefix(const QString& column, const QString& prefix)
{
    QString pattern;
    for (const QChar c : prefix) {
        if (c == u'\\' || c == u'%' || c == u'_')
            pattern += QLatin1Char('\\');
        pattern += c == u'?' ? QChar(u'_') : c;
    }
    Add(QLatin1Char('(') + column + QStringLiteral(" like ? escape '\\')"), {pattern + QLatin1Char('%')});
}

QString QueryConditions::Where() const
{
    return Conditions.isEmpty() ? QString()
                                : QStringLiteral(" where ") + Conditions.join(QStringLiteral(" and "));
}
