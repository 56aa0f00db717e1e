#include "records/DebitStatements.h"

#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "records/ModeRows.h"
#include "records/QueryConditions.h"
#include "records/SortOrder.h"

namespace {
const QString Select = QStringLiteral("SELECT * FROM Debit_Statements");

} // namespace

void DebitStatements::SetDataSource(CDataBase* objDataSource, bool blnTestFlag)
{
    RecordCollection::SetDataSource(objDataSource);
    m_testFlag = blnTestFlag;
}

QString DebitStatements::EnquirerAndDay(const DebitStatement& statement)
{
    const NullableDate day = statement.TransactionDate();
    return statement.EnquirerId() +
           (day && day->isValid() ? day->date().toString(QStringLiteral("yyyyMMdd")) : QString());
}

DebitStatements::Pointer DebitStatements::Find(const QString& enquirerAndDay) const
{
    for (const Pointer& statement : *this) {
        if (EnquirerAndDay(*statement).compare(enquirerAndDay, Qt::CaseInsensitive) == 0)
            return statement;
    }
    return nullptr;
}

QString DebitStatements::KeyFor(const DebitStatement& statement) const
{
    if (!statement.IsNew())
        return statement.ID();
    // The next free number: after a Remove, Count + 1 may still be held.
    for (int32_t n = Count() + 1;; ++n) {
        const QString key = QStringLiteral("DEB%1").arg(n);
        if (!RecordCollection::Exists(key))
            return key;
    }
}

int32_t DebitStatements::CountOf(const QString& sql, const SqlValues& values, const QString& source)
{
    try {
        RecordSet rs = RequireDataSource().OpenRecordSet(sql, values);
        const int32_t count = rs.HasRow() ? VariantToLong(rs.Field(0)).value_or(0) : 0;
        rs.Close();
        return count;
    } catch (const NevixError& error) {
        throw error.HasOwnSource() ? error : error.WithSource(source);
    }
}

int32_t DebitStatements::GetMaxControlReference()
{
    return CountOf(QStringLiteral("SELECT MAX(Control_Reference) AS DEB_Control_Reference "
                                  "FROM Debit_Statements"),
                   {}, QStringLiteral("DebitStatements.GetMaxControlReference"));
}

int32_t DebitStatements::CountWithoutLoading()
{
    return CountWithoutLoadingInternal(QString());
}

int32_t DebitStatements::CountWithoutLoadingInternal(const QString& SqlWhereClause,
                                                     const SqlValues& values)
{
    SqlValues bound = values;
    bound << m_testFlag;
    const QString where = SqlWhereClause.trimmed().isEmpty()
                              ? QStringLiteral(" where IsTest=?")
                              : SqlWhereClause + QStringLiteral(" and IsTest=?");
    return CountOf(QStringLiteral("SELECT COUNT(*) AS Number_Of_Debs FROM Debit_Statements ") + where,
                   bound, QStringLiteral("DebitStatements.CountWithoutLoadingInternal"));
}

int32_t DebitStatements::RemoveStatements(const QDate& ReceivedDateOlderThan)
{
    const QString source = QStringLiteral("DebitStatements.RemoveStatements");
    return ModeRows::Before(QStringLiteral("Debit_Statements"), QStringLiteral("When_Received"),
                            ReceivedDateOlderThan, m_testFlag, source)
        .Purge(::RequireDataSource(DataSource(), source));
}

namespace {
QueryConditions Exportable(const QStringList& enquirerIds, bool testFlag)
{
    QueryConditions where;
    where.AddOwnEnquirerIds(enquirerIds);
    where.Add(QStringLiteral("JuxExportedDate is null"));
    where.Add(QStringLiteral("IsTest=?"), {testFlag});
    return where;
}
} // namespace

int32_t DebitStatements::CountExportable(const QStringList& EnquirerIds)
{
    const QueryConditions where = Exportable(EnquirerIds, m_testFlag);
    return CountOf(QStringLiteral("SELECT count(control_reference) as c FROM Debit_Statements") +
                       where.Where(),
                   where.Values, QStringLiteral("DebitStatements.CountExportable"));
}

void DebitStatements::LoadExportable(const QStringList& EnquirerIds)
{
    const QueryConditions where = Exportable(EnquirerIds, m_testFlag);
    LoadBySQL(Select + where.Where() + QStringLiteral(" order by EnquirerId"), where.Values);
}

void DebitStatements::LoadByChargePeriodStart(const NullableDate& StartDateFrom,
                                              const NullableDate& StartDateTo)
{
    const QDate from = StartDateFrom ? StartDateFrom->date() : QDate(2000, 1, 1);
    const QDate to = StartDateTo ? StartDateTo->date() : AppContext::Current().clock().Today();
    LoadBySQL(Select + QStringLiteral(" WHERE Charge_Period_Start BETWEEN ? AND ? AND IsTest=? "
                                      "ORDER BY EnquirerName, Charge_Period_Start"),
              {LocalDateTime(from, QTime(0, 0)), LocalDateTime(to, QTime(23, 59, 59)), m_testFlag});
}

void DebitStatements::Load(const QStringList& EnquirerIds, const QString& SortOrder)
{
    const QString sort = SortOrder.isEmpty()
                             ? QStringLiteral("Charge_Period_Start")
                             : CheckedSortOrder(RequireDataSource(), QStringLiteral("Debit_Statements"), SortOrder,
                                                QStringLiteral("DebitStatements.Load"));
    QueryConditions where;
    where.AddEnquirerIds(EnquirerIds);
    where.Add(QStringLiteral("IsTest=?"), {m_testFlag});
    LoadBySQL(Select + where.Where() + QStringLiteral(" order by ") + sort, where.Values);
}

void DebitStatements::Apply()
{
    if (DataSource())
        RecordCollection::Apply();
}
