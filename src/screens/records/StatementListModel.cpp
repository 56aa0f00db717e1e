#include "screens/records/StatementListModel.h"

#include "records/DebitStatements.h"
#include "screens/records/StatementDetails.h"

StatementListModel::StatementListModel(QObject* parent) : RecordListModel(StatementListHeadings({}), parent) {}

void StatementListModel::SetStatements(const DebitStatements* statements, const QString& sortOrder)
{
    BeginReset();
    m_statements = statements;
    EndReset(StatementListHeadings(sortOrder));
}

int StatementListModel::RecordCount() const
{
    return m_statements ? m_statements->Count() : 0;
}

QString StatementListModel::Cell(int row, int column) const
{
    const auto& statement = m_statements->Item(row + 1);
    switch (column) {
    case 0: return DebitStatements::EnquirerAndDay(*statement);
    case 1: return LocalDateText(statement->ChargePeriodStart());
    default: return LocalDateText(statement->ChargePeriodEnd());
    }
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
