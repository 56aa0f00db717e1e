#include "records/VQ7Responses.h"

#include "core/NumericText.h"
#include "database/CDataBase.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "records/ModeRows.h"
#include "records/QueryConditions.h"
#include "records/SortOrder.h"
#include "database/RecordSet.h"

#include <cmath>

namespace {
const QString Table = QStringLiteral("VQ7_Responses");

QVariant StartOfDay(const NullableDate& value)
{
    return value && value->isValid() ? QVariant(LocalDateTime(value->date(), QTime(0, 0))) : QVariant();
}

// "column = ?" for a day, or "column IS NULL" when there is none.
void AddDay(QueryConditions& conditions, const QString& column, const NullableDate& day)
{
    const QVariant value = StartOfDay(day);
    if (value.isNull())
        conditions.Add(column + QStringLiteral(" IS NULL"));
    else
        conditions.Add(column + QStringLiteral(" = ?"), {value});
}

// "column = ?", where an empty text also matches the Null it is stored as.
void AddText(QueryConditions& conditions, const QString& column, const QString& text)
{
    if (text.isEmpty())
        conditions.Add(QLatin1Char('(') + column + QStringLiteral(" IS NULL OR ") + column + QStringLiteral(" = '')"));
    else
        conditions.Add(column + QStringLiteral(" = ?"), {text});
}

void AddWholeDays(QueryConditions& conditions, const QString& column, const QDate& first,
                  const QDate& last)
{
    conditions.Add(column + QStringLiteral(" BETWEEN ? AND ?"),
                   {LocalDateTime(first, QTime(0, 0)), LocalDateTime(last, QTime(23, 59, 59))});
}

// The row limit: a whole number the way a 16-bit conversion reads it
// (halves to even), at least 1; none for anything else.
std::optional<int> RowLimit(const QVariant& maxToLoad)
{
    const QString text = maxToLoad.toString();
    if (maxToLoad.isNull() || !IsNumericText(text))
        return std::nullopt;
    const double value = std::nearbyint(text.trimmed().toDouble());
    if (value < 1 || value > 32767)
        return std::nullopt;
    return int(value);
}

QueryConditions Exportable(const QStringList& enquirerIds, bool autoExported)
{
    QueryConditions conditions;
    conditions.AddOwnEnquirerIds(enquirerIds);
    conditions.Add(QStringLiteral("JuxExportedDate is null and ForAutoExport=?"), {autoExported});
    return conditions;
}
} // namespace

void VQ7Responses::SetDataSource(CDataBase* objDataSource, bool blnTestFlag)
{
    RecordCollection::SetDataSource(objDataSource);
    m_testFlag = blnTestFlag;
}

VQ7Responses::Pointer VQ7Responses::Find(const QString& VRM) const
{
    for (const Pointer& response : *this) {
        if (response->VRM().compare(VRM, Qt::CaseInsensitive) == 0)
            return response;
    }
    return nullptr;
}

VQ7Responses::Pointer VQ7Responses::FindByEnquiryReference(const QString& EnquiryReference) const
{
    for (const Pointer& response : *this) {
        if (response->EnquiryReference().compare(EnquiryReference, Qt::CaseInsensitive) == 0)
            return response;
    }
    return nullptr;
}

QueryConditions VQ7Responses::WithTestFlag(QueryConditions conditions) const
{
    conditions.Add(QStringLiteral("IsTest=?"), {m_testFlag});
    return conditions;
}

int32_t VQ7Responses::CountOf(const QString& sql, const SqlValues& values) const
{
    RecordSet rs = RequireDataSource().OpenRecordSet(sql, values);
    const int32_t count = rs.HasRow() ? VariantToLong(rs.Field(0)).value_or(0) : 0;
    rs.Close();
    return count;
}

int32_t VQ7Responses::CountWithoutLoading() const
{
    return CountWithoutLoadingInternal(QueryConditions{});
}

int32_t VQ7Responses::CountWithoutLoadingInternal(const QueryConditions& conditions) const
{
    const QueryConditions where = WithTestFlag(conditions);
    return CountOf(QStringLiteral("SELECT COUNT(*) AS Number_Of_Responses FROM VQ7_Responses") +
                       where.Where(),
                   where.Values);
}

int32_t VQ7Responses::ResponsesReceivedInPeriod(const NullableDate& PeriodStart,
                                                 const NullableDate& PeriodEnd) const
{
    const QString source = QStringLiteral("VQ7Responses.ResponsesReceivedInPeriod");
    return ModeRows::InWholeDays(Table, QStringLiteral("Date_Of_Response"), PeriodStart, PeriodEnd,
                                 m_testFlag, source)
        .Count(::RequireDataSource(DataSource(), source));
}

int32_t VQ7Responses::CountofDuplicateResponses(const QString& sEnquirerRef, const QString& sVRM,
                                                const NullableDate& dDateofEvent,
                                                const NullableDate& dDateofResponse) const
{
    QueryConditions conditions;
    AddDay(conditions, QStringLiteral("Date_of_Response"), dDateofResponse);
    AddText(conditions, QStringLiteral("VRM"), sVRM);
    AddDay(conditions, QStringLiteral("Date_of_Event"), dDateofEvent);
    AddText(conditions, QStringLiteral("Enquiry_Reference"), sEnquirerRef);
    return CountWithoutLoadingInternal(conditions);
}

int32_t VQ7Responses::RemoveResponses(const QDate& ReceivedDateOlderThan, bool bCountOnly)
{
    const QString source = QStringLiteral("VQ7Responses.RemoveResponses");
    return ModeRows::Before(Table, QStringLiteral("When_Received"), ReceivedDateOlderThan, m_testFlag, source)
        .PurgeWithErrors(::RequireDataSource(DataSource(), source), bCountOnly);
}

void VQ7Responses::Add(Pointer objAddition)
{
    if (objAddition->IsNew()) {
        // The next free number: after a Remove, Count + 1 may still be held.
        int32_t number = Count() + 1;
        while (Exists(QStringLiteral("VQ7%1").arg(number)))
            ++number;
        objAddition->SetID(QStringLiteral("VQ7%1").arg(number));
    }
    const QString key = objAddition->ID();
    AddUnder(key, std::move(objAddition));
}

int32_t VQ7Responses::GetMaxControlReference() const
{
    return CountOf(QStringLiteral("SELECT MAX(Control_Reference) AS VQ7_Control_Reference FROM VQ7_Responses"),
                   {});
}

void VQ7Responses::LoadResponses(const QString& sql, const SqlValues& values)
{
    // The rows first, then the message errors of them all in one query.
    std::vector<std::pair<QString, JuxMessageErrors*>> errors;
    LoadBySQL(
        sql, values,
        [this] {
            auto response = std::make_shared<VQ7>(VQ7::ForLoading{});
            response->SetDataSource(DataSource());
            return response;
        },
        [&errors](VQ7& response, const RecordSet& rs) {
            if (response.LoadRowOnly(rs))
                errors.emplace_back(response.JuxMsgReference(), &response.GetErrors());
        });
    JuxMessageErrors::LoadEach(RequireDataSource(), errors);
}

void VQ7Responses::LoadByControlReference(int32_t ControlReference)
{
    LoadResponses(QStringLiteral("select * from VQ7_Responses where Control_Reference=?"),
                  {ControlReference});
}

std::pair<QString, SqlValues> VQ7Responses::ListQuery(const QStringList& sEnquirerIds, const QString& VRM,
                                                     std::optional<bool> WithErrors,
                                                     const QString& InLastNumberOfDays, QString SortOrder,
                                                     const QVariant& MaxToLoad, bool& limited)
{
    const std::optional<int> limit = RowLimit(MaxToLoad);
    QueryConditions conditions;
    conditions.AddEnquirerIds(sEnquirerIds);
    if (!VRM.isEmpty())
        conditions.AddPrefix(QStringLiteral("vrm"), VRM);
    if (!InLastNumberOfDays.isEmpty()) {
        const double days = std::max(0.0, std::nearbyint(Val(InLastNumberOfDays)) - 1);
        const QDate today = AppContext::Current().clock().Today();
        AddWholeDays(conditions, QStringLiteral("When_Received"), today.addDays(-qint64(days)), today);
    }
    if (WithErrors)
        conditions.Add(*WithErrors ? QStringLiteral("DVLA_ERR_Code is not null")
                                   : QStringLiteral("DVLA_ERR_Code is null"));
    SortOrder = SortOrder.isEmpty() ? QStringLiteral("VRM")
                                    : CheckedSortOrder(RequireDataSource(), Table, SortOrder,
                                                       QStringLiteral("VQ7Responses.Load"));

    if (limit)
        m_topAllCount = CountWithoutLoadingInternal(conditions);
    limited = limit.has_value();
    const QueryConditions where = WithTestFlag(conditions);
    QString from = QStringLiteral(" From VQ7_Responses") + where.Where() + QStringLiteral(" ORDER BY ") + SortOrder;
    if (limit)
        from += QStringLiteral(" LIMIT ") + QString::number(*limit);
    return {from, where.Values};
}

void VQ7Responses::Load(const QStringList& sEnquirerIds, const QString& VRM, std::optional<bool> WithErrors,
                        const QString& InLastNumberOfDays, QString SortOrder, const QVariant& MaxToLoad)
{
    bool limited = false;
    const auto [from, values] =
        ListQuery(sEnquirerIds, VRM, WithErrors, InLastNumberOfDays, std::move(SortOrder), MaxToLoad, limited);
    LoadResponses(QStringLiteral("SELECT *") + from, values);
    // Without a limit every match is loaded: the count is the list's own.
    if (!limited)
        m_topAllCount = Count();
}

std::vector<VQ7ListRow> VQ7Responses::ListRows(const QStringList& sEnquirerIds, const QString& VRM,
                                               std::optional<bool> WithErrors, const QString& InLastNumberOfDays,
                                               QString SortOrder, const QVariant& MaxToLoad)
{
    bool limited = false;
    m_listed = ListQuery(sEnquirerIds, VRM, WithErrors, InLastNumberOfDays, std::move(SortOrder), MaxToLoad, limited);
    std::vector<VQ7ListRow> rows;
    RecordSet rs = RequireDataSource().OpenRecordSet(QStringLiteral("SELECT VQ7ID, VRM") + m_listed.first,
                                                     m_listed.second);
    rows.reserve(size_t(rs.RecordCount()));
    for (; !rs.IsEOF(); rs.MoveNext())
        rows.push_back({rs.Field(0).toString(), rs.Field(1).toString()});
    rs.Close();
    if (!limited)
        m_topAllCount = int32_t(rows.size());
    return rows;
}

void VQ7Responses::LoadListedRows()
{
    if (!m_listed.first.isEmpty())
        LoadResponses(QStringLiteral("SELECT *") + m_listed.first, m_listed.second);
}

int32_t VQ7Responses::CountExportable(const QStringList& sEnquirerIds, bool bToBeAutoExported) const
{
    const QueryConditions where = WithTestFlag(Exportable(sEnquirerIds, bToBeAutoExported));
    return CountOf(QStringLiteral("SELECT count(VQ7ID) as c FROM VQ7_Responses") + where.Where(),
                   where.Values);
}

void VQ7Responses::LoadExportable(const QStringList& sEnquirerIds, bool bToBeAutoExported)
{
    const QueryConditions where = WithTestFlag(Exportable(sEnquirerIds, bToBeAutoExported));
    LoadResponses(QStringLiteral("SELECT * FROM VQ7_Responses") + where.Where() +
                      QStringLiteral(" ORDER BY EnquirerId"),
                  where.Values);
}

void VQ7Responses::LoadByWhenReceived(const QDate& dtFrom, const QDate& dtTo)
{
    QueryConditions conditions;
    AddWholeDays(conditions, QStringLiteral("When_Received"), dtFrom, dtTo);
    const QueryConditions where = WithTestFlag(conditions);
    LoadResponses(QStringLiteral("SELECT * FROM VQ7_Responses") + where.Where() +
                      QStringLiteral(" ORDER BY EnquirerName, When_Received, VRM"),
                  where.Values);
}

void VQ7Responses::LoadForErrorCode(const QString& sErrorCode)
{
    // Each response once, however many of its errors carry the code (a
    // join would list it once per error, and the second would not fit in
    // the list under the same key).
    LoadResponses(QStringLiteral("SELECT * FROM VQ7_Responses WHERE JuxMsgReference IN "
                                 "(SELECT JuxMsgReference FROM JUX_MSG_ERROR WHERE ErrorCode=?) "
                                 "AND IsTest=?"),
                  {sErrorCode, m_testFlag});
}

void VQ7Responses::Apply()
{
    if (DataSource())
        RecordCollection::Apply();
}
