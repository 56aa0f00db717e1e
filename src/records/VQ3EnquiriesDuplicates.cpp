// Duplicate enquiries: the searches over the members and over the stored
// rows, and the text that tells a user about them.
#include "records/VQ3Enquiries.h"

#include "core/VbFormat.h"
#include "records/DayValue.h"
#include "records/QueryConditions.h"

namespace {
QDate DayOf(const NullableDate& value)
{
    return value ? value->date() : QDate();
}

QString UkDate(const NullableDate& value)
{
    return value && value->isValid() ? FormatDateTime(*value, QStringLiteral("dd/mm/yyyy")) : QString();
}

bool IsDuplicate(const VQ3& candidate, const VQ3& enquiry, int16_t numberOfDays, bool checkForExact)
{
    const QDate day = DayOf(candidate.DateOfEvent());
    const QDate enquiryDay = DayOf(enquiry.DateOfEvent());
    if (!day.isValid() || !enquiryDay.isValid())
        return false;
    if (candidate.VRMVIN().compare(enquiry.VRMVIN(), Qt::CaseInsensitive) != 0)
        return false;
    if (!enquiry.EnquirerId().isEmpty() &&
        candidate.EnquirerId().compare(enquiry.EnquirerId(), Qt::CaseInsensitive) != 0)
        return false;
    if (checkForExact)
        return day == enquiryDay &&
               (enquiry.EnquiryReference().isEmpty() ||
                candidate.EnquiryReference().compare(enquiry.EnquiryReference(), Qt::CaseInsensitive) == 0);
    if (numberOfDays >= 1)
        return day >= enquiryDay.addDays(-numberOfDays);
    if (numberOfDays == -1)
        return day == enquiryDay;
    return numberOfDays != -2;
}
} // namespace

QString VQ3Enquiries::GetDuplicateEnquiryMessage(const VQ3& oVQ3Duplicate) const
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = QStringLiteral("Vehicle Registration : ") + oVQ3Duplicate.VRMVIN() + crlf +
                   QStringLiteral("Date Of Event : ") + UkDate(oVQ3Duplicate.DateOfEvent()) + crlf +
                   QStringLiteral("Reference : ") + oVQ3Duplicate.EnquiryReference() + crlf + crlf +
                   QStringLiteral("This Registration has already been the subject the following enquiry(s)") +
                   crlf;
    for (const Pointer& earlier : *this) {
        text += crlf + QLatin1Char('\t') + QStringLiteral("Date of Event: ") + UkDate(earlier->DateOfEvent());
        if (!earlier->EnquiryReference().isEmpty())
            text += QStringLiteral("  Reference: ") + earlier->EnquiryReference();
    }
    return text;
}

const VQ3Enquiries::MarkIndex& VQ3Enquiries::IndexedByMark() const
{
    if (m_byMark.removals != RemovalCount()) {
        m_byMark = MarkIndex{};
        m_byMark.removals = RemovalCount();
    }
    const std::vector<Pointer>& members = NewEnum();
    for (; m_byMark.indexed < members.size(); ++m_byMark.indexed)
        m_byMark.positions[members[m_byMark.indexed]->VRMVIN().toCaseFolded()].push_back(m_byMark.indexed);
    return m_byMark;
}

VQ3Enquiries VQ3Enquiries::LoadDuplicatesFromList(const VQ3& oEnquiry, int16_t NumberOfDays,
                                                  bool CheckForExact) const
{
    VQ3Enquiries found;
    const auto candidates = IndexedByMark().positions.constFind(oEnquiry.VRMVIN().toCaseFolded());
    if (candidates == m_byMark.positions.cend())
        return found;
    for (const size_t position : *candidates) {
        const Pointer& member = NewEnum()[position];
        if (!IsDuplicate(*member, oEnquiry, NumberOfDays, CheckForExact))
            continue;
        // Shared with this collection under its own key: a search does not
        // give the member another temporary ID.
        QString key = member->ID();
        for (int32_t n = found.Count() + 1; key.isEmpty() || found.Exists(key); ++n)
            key = QStringLiteral("VQ3") + QString::number(n);
        found.AddUnder(key, member);
    }
    return found;
}

void VQ3Enquiries::LoadDuplicates(const VQ3& oEnquiry, int16_t NumberOfDays, bool CheckForExact)
{
    if (!CheckForExact && NumberOfDays == -2) {
        Clear();
        return;
    }
    // An import asks this for every line: the query's text depends only on
    // which conditions apply, so each shape of it is put together once.
    static const QString Conditions[] = {
        QStringLiteral("VRM = ?"),           QStringLiteral("EnquirerId = ?"),     QStringLiteral("VQ3ID <> ?"),
        QStringLiteral("Date_Of_Event = ?"), QStringLiteral("Enquiry_Reference = ?"),
        QStringLiteral("Date_Of_Event >= ?"), QStringLiteral("IsTest=?")};
    enum { Mark, Enquirer, NotItself, SameDay, Reference, Since, Mode };
    SqlValues values;
    unsigned shape = 0;
    const auto add = [&](int condition, const QVariant& value) {
        values << value;
        shape |= 1u << condition;
    };
    add(Mark, oEnquiry.VRMVIN());
    if (!oEnquiry.EnquirerId().isEmpty())
        add(Enquirer, oEnquiry.EnquirerId());
    if (!oEnquiry.IsNew())
        add(NotItself, oEnquiry.ID());
    const QDate day = DayOf(oEnquiry.DateOfEvent());
    if (CheckForExact) {
        add(SameDay, DayOrNull(oEnquiry.DateOfEvent()));
        // Without a reference the mark, enquirer and date decide, as in
        // the search over the members.
        if (!oEnquiry.EnquiryReference().isEmpty())
            add(Reference, oEnquiry.EnquiryReference());
    } else if (NumberOfDays >= 1) {
        add(Since, day.isValid() ? QVariant(day.addDays(-NumberOfDays)) : QVariant());
    } else if (NumberOfDays == -1) {
        add(SameDay, DayOrNull(oEnquiry.DateOfEvent()));
    }
    add(Mode, m_testFlag);
    thread_local QHash<unsigned, QString> clauses;
    QString& clause = clauses[shape];
    if (clause.isEmpty()) {
        QueryConditions where;
        for (int condition = Mark; condition <= Mode; ++condition) {
            if (shape & (1u << condition))
                where.Add(Conditions[condition]);
        }
        clause = where.Where();
    }
    LoadEnquiries(clause, values, QString(), true);
}
