#include "records/DebitStatements.h"

#include "records/ModeRows.h"

void DebitStatements::SetDataSource(CDataBase* objDataSource, bool blnTestFlag)
{
    m_db = objDataSource;
    m_testFlag = blnTestFlag;
}

int32_t DebitStatements::RemoveStatements(const QDate& ReceivedDateOlderThan)
{
    const QString source = QStringLiteral("DebitStatements.RemoveStatements");
    return ModeRows::Before(QStringLiteral("Debit_Statements"), QStringLiteral("When_Received"),
                            ReceivedDateOlderThan, m_testFlag, source)
        .Purge(RequireDataSource(m_db, source));
}
