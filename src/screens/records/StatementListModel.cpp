#include "screens/records/StatementListModel.h"

#include "records/DebitStatements.h"
#include "screens/records/StatementDetails.h"

StatementListModel::StatementListModel(QObject* parent) : RecordGridModel(StatementListHeadings({}), parent) {}

void StatementListModel::SetStatements(const DebitStatements* statements, const QString& sortOrder)
{
    Reset(statements ? statements->Count() : 0, [statements](int row, int column) {
        const auto& statement = statements->Item(row + 1);
        switch (column) {
        case 0: return DebitStatements::EnquirerAndDay(*statement);
        case 1: return LocalDateText(statement->ChargePeriodStart());
        default: return LocalDateText(statement->ChargePeriodEnd());
        }
    });
    const QStringList headings = StatementListHeadings(sortOrder);
    for (int column = 1; column < headings.size(); ++column)
        SetHeading(column, headings.at(column));
}

QStringList StatementListHeadings(const QString& sortOrder)
{
    QStringList headings{QString(), QStringLiteral("From"), QStringLiteral("To")};
    const QString mark = sortOrder.contains(QStringLiteral("desc"), Qt::CaseInsensitive) ? QStringLiteral(" (Z to A)")
                                                                                        : QStringLiteral(" (A to Z)");
    if (sortOrder.startsWith(QStringLiteral("Charge_Period_Start"), Qt::CaseInsensitive))
        headings[1] += mark;
    else if (sortOrder.startsWith(QStringLiteral("Charge_Period_End"), Qt::CaseInsensitive))
        headings[2] += mark;
    return headings;
}
