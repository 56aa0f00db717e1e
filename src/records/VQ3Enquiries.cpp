#include "records/VQ3Enquiries.h"

#include "database/CDataBase.h"
#include "records/ModeRows.h"

namespace {
const QString Table = QStringLiteral("VQ3_Enquiries");

QString Source(const char* member)
{
    return QStringLiteral("VQ3Enquiries.") + QLatin1String(member);
}
} // namespace

void VQ3Enquiries::SetDataSource(CDataBase* objDataSource, bool blnTestFlag)
{
    RecordCollection::SetDataSource(objDataSource);
    m_testFlag = blnTestFlag;
}

int32_t VQ3Enquiries::EnquiriesSentInPeriod(const NullableDate& PeriodStart,
                                             const NullableDate& PeriodEnd) const
{
    const QString source = Source("EnquiriesSentInPeriod");
    return ModeRows::InWholeDays(Table, QStringLiteral("When_Sent"), PeriodStart, PeriodEnd, m_testFlag,
                                 source)
        .Count(::RequireDataSource(DataSource(), source));
}

ModeRows VQ3Enquiries::SentBefore(const QDate& day, bool complete, const QString& source) const
{
    ModeRows rows = ModeRows::Before(Table, QStringLiteral("When_Sent"), day, m_testFlag, source);
    // The flag is written 0 or 1; an older row without it has had no response.
    rows.Condition += complete ? QStringLiteral(" AND Response_Received <> 0")
                               : QStringLiteral(" AND (Response_Received = 0 OR Response_Received IS NULL)");
    return rows;
}

int32_t VQ3Enquiries::CountCompleteEnquiries(const QDate& SentDateEarlierThan) const
{
    const QString source = Source("CountCompleteEnquiries");
    return SentBefore(SentDateEarlierThan, true, source).Count(::RequireDataSource(DataSource(), source));
}

int32_t VQ3Enquiries::RemoveCompleteEnquiries(const QDate& SentDateEarlierThan)
{
    const QString source = Source("RemoveCompleteEnquiries");
    return RemoveWithErrors(SentBefore(SentDateEarlierThan, true, source), source);
}

int32_t VQ3Enquiries::CountIncompleteEnquiries(const QDate& SentDateOlderThan) const
{
    const QString source = Source("CountIncompleteEnquiries");
    return SentBefore(SentDateOlderThan, false, source).Count(::RequireDataSource(DataSource(), source));
}

int32_t VQ3Enquiries::RemoveIncompleteEnquiries(const QDate& SentDateOlderThan)
{
    const QString source = Source("RemoveIncompleteEnquiries");
    return RemoveWithErrors(SentBefore(SentDateOlderThan, false, source), source);
}

int32_t VQ3Enquiries::RemoveWithErrors(const ModeRows& enquiries, const QString& source)
{
    return enquiries.PurgeWithErrors(::RequireDataSource(DataSource(), source));
}
