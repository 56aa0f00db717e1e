#include "records/QueryConditions.h"

void QueryConditions::Add(const QString& condition, const SqlValues& values)
{
    Conditions << condition;
    Values << values;
}

void QueryConditions::AddEnquirerIds(const QString& enquirerIds)
{
    if (enquirerIds.isEmpty())
        return;
    QStringList marks;
    SqlValues ids;
    for (const QString& id : enquirerIds.split(QLatin1Char(','))) {
        marks << QStringLiteral("?");
        ids << id;
    }
    Add(QStringLiteral("(EnquirerId is null or EnquirerId in (") + marks.join(QLatin1Char(',')) +
            QStringLiteral("))"),
        ids);
}

QString QueryConditions::Where() const
{
    return Conditions.isEmpty() ? QString()
                                : QStringLiteral(" where ") + Conditions.join(QStringLiteral(" and "));
}
