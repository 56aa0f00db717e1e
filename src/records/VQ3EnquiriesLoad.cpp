// The enquiry collection's members, loads and writing.
#include "records/VQ3Enquiries.h"

#include "core/NumericText.h"
#include "database/CDataBase.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "records/JuxMessageErrors.h"
#include "records/QueryConditions.h"
#include "records/SortOrder.h"

#include <cmath>
#include <optional>

namespace {
const QString DefaultSort = QStringLiteral("Date_Of_Event, VRM");
const QString PrintSort = QStringLiteral("EnquirerName, EnquiryCodeDesc, VRM");

// A row limit when the text reads as a whole number of 16 bits (fractions
// rounded); a limit below 1 would load nothing, so it means no limit.
std::optional<int16_t> RowLimit(const QString& text)
{
    bool ok = false;
    const double value = std::nearbyint(text.trimmed().toDouble(&ok));
    if (!ok || !std::isfinite(value) || value < 1 || value > 32767)
        return std::nullopt;
    return int16_t(value);
}
} // namespace

VQ3Enquiries::Pointer VQ3Enquiries::Find(const QString& VRMVIN) const
{
    for (const Pointer& enquiry : *this) {
        if (enquiry->VRMVIN().compare(VRMVIN, Qt::CaseInsensitive) == 0)
            return enquiry;
    }
    return nullptr;
}

VQ3Enquiries::Pointer VQ3Enquiries::FindByEnquiryRef(const QString& EnquiryReference) const
{
    for (const Pointer& enquiry : *this) {
        if (enquiry->EnquiryReference().compare(EnquiryReference, Qt::CaseInsensitive) == 0)
            return enquiry;
    }
    return nullptr;
}

void VQ3Enquiries::Add(Pointer objAddition)
{
    if (objAddition->IsNew()) {
        // The next free number: after a Remove, Count + 1 may still be held.
        int32_t number = Count() + 1;
        while (Exists(QStringLiteral("VQ3") + QString::number(number)))
            ++number;
        objAddition->SetID(QStringLiteral("VQ3") + QString::number(number));
    }
    RecordCollection::Add(std::move(objAddition));
}

int32_t VQ3Enquiries::CountWithoutLoading() const
{
    return CountWhere(QStringLiteral(" where IsTest=?"), {m_testFlag});
}

int32_t VQ3Enquiries::CountWhere(const QString& where, const SqlValues& values) const
{
    RecordSet rs = RequireDataSource().OpenRecordSet(
        QStringLiteral("SELECT COUNT(*) AS Number_Of_Enquiries FROM VQ3_Enquiries") + where, values);
    const int32_t count = rs.HasRow() ? VariantToLong(rs.Field(0)).value_or(0) : 0;
    rs.Close();
    return count;
}

void VQ3Enquiries::LoadEnquiries(const QString& where, const SqlValues& values, const QString& order, bool whole)
{
    m_resorted = false;
    CDataBase* db = DataSource();
    if (!whole) {
        LoadBySQL(QStringLiteral("SELECT VQ3ID, VRM, Date_Of_Event, TmStamp From VQ3_Enquiries") + where + order,
                  values, [] { return std::make_shared<VQ3>(VQ3::ForList{}); },
                  [](VQ3& enquiry, const RecordSet& rs) { enquiry.LoadListColumns(rs); });
        return;
    }
    // The rows first, then the message errors of them all in one query.
    std::vector<std::pair<QString, JuxMessageErrors*>> errors;
    LoadBySQL(
        QStringLiteral("SELECT * From VQ3_Enquiries") + where + order, values,
        [db] {
            auto enquiry = std::make_shared<VQ3>(VQ3::ForLoading{});
            enquiry->SetDataSource(db);
            return enquiry;
        },
        [&errors](VQ3& enquiry, const RecordSet& rs) {
            if (enquiry.LoadRowOnly(rs))
                errors.emplace_back(enquiry.JuxMsgReference(), enquiry.Errors().get());
        });
    JuxMessageErrors::LoadEach(RequireDataSource(), errors);
}

void VQ3Enquiries::Load(const QStringList& sEnquirerIds, const QString& VRM, bool WaitingToBeSent,
                        NullableBool WithErrors, bool WaitingResponse, const QString& SortField,
                        const QString& EnterInDays, const QString& MaxToLoad)
{
    const std::optional<int16_t> limit = MaxToLoad.isEmpty() ? std::nullopt : RowLimit(MaxToLoad);
    const QString sort = SortField.isEmpty()
                             ? DefaultSort
                             : CheckedSortOrder(RequireDataSource(), QStringLiteral("VQ3_Enquiries"), SortField,
                                                QStringLiteral("VQ3Enquiries.Load"));

    QueryConditions where;
    where.AddEnquirerIds(sEnquirerIds);
    if (!VRM.isEmpty())
        where.AddPrefix(QStringLiteral("VRM"), VRM);
    if (WaitingToBeSent)
        where.Add(QStringLiteral("When_Sent is null"));
    if (WaitingResponse)
        where.Add(QStringLiteral("(Response_Received is null or Response_Received=0) and When_Sent is not null"));
    if (WithErrors)
        where.Add(QStringLiteral("(select count(id) from JUX_MSG_ERROR where "
                                 "JUX_MSG_ERROR.JuxMsgReference=VQ3_Enquiries.JuxMsgReference)") +
                  (*WithErrors ? QStringLiteral(">0") : QStringLiteral("=0")));
    if (!EnterInDays.isEmpty()) {
        const int64_t days = std::max<int64_t>(int64_t(std::nearbyint(Val(EnterInDays))) - 1, 0);
        const QDate today = AppContext::Current().clock().Today();
        where.Add(QStringLiteral("When_Entered BETWEEN ? AND ?"),
                  {LocalDateTime(today.addDays(-days), QTime(0, 0)), LocalDateTime(today, QTime(23, 59, 59))});
    }
    where.Add(QStringLiteral("IsTest=?"), {m_testFlag});

    m_lastWhere = where.Where();
    m_lastValues = where.Values;
    m_hasLastLoad = true;
    const QString order = QStringLiteral(" ORDER BY ") + sort;
    if (limit) {
        m_topAllCount = CountWhere(m_lastWhere, m_lastValues);
        LoadEnquiries(m_lastWhere, m_lastValues, order + QStringLiteral(" LIMIT ") + QString::number(*limit),
                      !m_listColumnsOnly);
    } else {
        LoadEnquiries(m_lastWhere, m_lastValues, order, !m_listColumnsOnly);
        m_topAllCount = Count();
    }
}

void VQ3Enquiries::LoadForSending(const QStringList& sEnquirerIds)
{
    Load(sEnquirerIds, QString(), true, false, false, QStringLiteral("Control_Reference"));
}

void VQ3Enquiries::ReloadAndSortForPrinting()
{
    if (!m_hasLastLoad)
        return;
    LoadEnquiries(m_lastWhere, m_lastValues, QStringLiteral(" ORDER BY ") + PrintSort, true);
    m_resorted = true;
}

void VQ3Enquiries::Apply()
{
    if (!DataSource())
        return;
    m_applying = nullptr;
    try {
        RecordCollection::Apply();
    } catch (const NevixError& e) {
        const QString which = m_applying ? m_applying->ToString() : QString();
        m_applying = nullptr;
        throw NevixError(e.Number(), e.Description() + QStringLiteral("\r\nEnquiry being loaded:") + which,
                         e.Source());
    }
    m_applying = nullptr;
}

void VQ3Enquiries::ApplyMember(VQ3& member)
{
    m_applying = &member;
    RecordCollection::ApplyMember(member);
}
