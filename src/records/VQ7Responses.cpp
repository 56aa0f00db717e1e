#include "records/VQ7Responses.h"

#include "records/ModeRows.h"

namespace {
const QString Table = QStringLiteral("VQ7_Responses");
}

void VQ7Responses::SetDataSource(CDataBase* objDataSource, bool blnTestFlag)
{
    m_db = objDataSource;
    m_testFlag = blnTestFlag;
}

int32_t VQ7Responses::ResponsesReceivedInPeriod(const NullableDate& PeriodStart,
                                                 const NullableDate& PeriodEnd) const
{
    const QString source = QStringLiteral("VQ7Responses.ResponsesReceivedInPeriod");
    return ModeRows::InWholeDays(Table, QStringLiteral("Date_Of_Response"), PeriodStart, PeriodEnd,
                                 m_testFlag, source)
        .Count(RequireDataSource(m_db, source));
}

int32_t VQ7Responses::RemoveResponses(const QDate& ReceivedDateOlderThan, bool bCountOnly)
{
    const QString source = QStringLiteral("VQ7Responses.RemoveResponses");
    return ModeRows::Before(Table, QStringLiteral("When_Received"), ReceivedDateOlderThan, m_testFlag, source)
        .Purge(RequireDataSource(m_db, source), bCountOnly);
}
