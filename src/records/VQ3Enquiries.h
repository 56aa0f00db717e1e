#pragma once

#include "database/RecordCollection.h"
#include "platform/Nullable.h"
#include "records/VQ3.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

struct ModeRows;

// The enquiries, and the home of every query over table VQ3_Enquiries,
// kept to the rows of one mode (live or test). Members are keyed by the ID
// they had when added; a new enquiry first gets the temporary ID "VQ3"
// and the first free number from the count after adding.
class VQ3Enquiries : public RecordCollection<VQ3> {
public:
    void SetDataSource(CDataBase* objDataSource, bool blnTestFlag);

    // The first member of that mark, or of that reference (ignoring case).
    Pointer Find(const QString& VRMVIN) const;
    Pointer FindByEnquiryRef(const QString& EnquiryReference) const;

    void Add(Pointer objAddition) override;

    // The enquiries of this mode.
    int32_t CountWithoutLoading() const;
    // The rows the last Load matched before its row limit.
    int32_t TopAllCount() const { return m_topAllCount; }

    // Enquiries sent within the whole days from PeriodStart to PeriodEnd.
    int32_t EnquiriesSentInPeriod(const NullableDate& PeriodStart, const NullableDate& PeriodEnd) const;

    // Enquiries sent before the start of the day: complete ones have had
    // their response, incomplete ones not yet. Never-sent enquiries are
    // neither. A removal takes the enquiries' message errors with them and
    // returns how many enquiries went.
    int32_t CountCompleteEnquiries(const QDate& SentDateEarlierThan) const;
    int32_t RemoveCompleteEnquiries(const QDate& SentDateEarlierThan);
    int32_t CountIncompleteEnquiries(const QDate& SentDateOlderThan) const;
    int32_t RemoveIncompleteEnquiries(const QDate& SentDateOlderThan);

    // The filtered load of the enquiry screen. sEnquirerIds: the enquirers
    // (enquiries without an enquirer always qualify); VRM: marks that
    // begin with it; WithErrors: only enquiries with (true) or without
    // (false) message errors; EnterInDays: entered within that many days,
    // today included; MaxToLoad: a row limit when it is a number.
    void Load(const QStringList& sEnquirerIds, const QString& VRM = QString(), bool WaitingToBeSent = false,
              NullableBool WithErrors = std::nullopt, bool WaitingResponse = false,
              const QString& SortField = QString(), const QString& EnterInDays = QString(),
              const QString& MaxToLoad = QString());
    // Loads with this set fill the members with what a list shows of them
    // (key, mark, date of event), each read whole by its own Load: for a
    // screen's long list, whose selected member is always read again.
    // ReloadAndSortForPrinting reads whole rows whatever it says.
    void SetListColumnsOnly(bool value) { m_listColumnsOnly = value; }
    bool ListColumnsOnly() const { return m_listColumnsOnly; }
    // The unsent enquiries without message errors, by control reference.
    void LoadForSending(const QStringList& sEnquirerIds);
    // The last Load again without its row limit, in report order.
    void ReloadAndSortForPrinting();
    bool Resorted() const { return m_resorted; }

    // The text that tells a user which earlier enquiries of this
    // collection the enquiry duplicates.
    QString GetDuplicateEnquiryMessage(const VQ3& oVQ3Duplicate) const;
    // The members that duplicate oEnquiry, in a new collection without
    // connection. NumberOfDays: 1 or more, on or after its date of event
    // less that many days; -1 the same date; -2 none; other values any
    // date. CheckForExact: the same date and, when oEnquiry has one, the
    // same reference. Members are found by the mark they had when this
    // collection first searched them.
    VQ3Enquiries LoadDuplicatesFromList(const VQ3& oEnquiry, int16_t NumberOfDays = 0,
                                        bool CheckForExact = false) const;
    // The stored enquiries that duplicate oEnquiry, by the same rules.
    void LoadDuplicates(const VQ3& oEnquiry, int16_t NumberOfDays = 0, bool CheckForExact = false);

    // Every changed member in one transaction; a failure names the
    // enquiry being written in its description.
    void Apply() override;

protected:
    void ApplyMember(VQ3& member) override;

private:
    // The rows of the WHERE clause in that order, whole or as a list shows them.
    void LoadEnquiries(const QString& where, const SqlValues& values, const QString& order, bool whole);
    int32_t CountWhere(const QString& where, const SqlValues& values) const;
    ModeRows SentBefore(const QDate& day, bool complete, const QString& source) const;
    int32_t RemoveWithErrors(const ModeRows& enquiries, const QString& source);

    bool m_testFlag = false;
    int32_t m_topAllCount = 0;
    bool m_resorted = false;
    bool m_listColumnsOnly = false;
    // The last Load's WHERE clause and values, for the reload in report order.
    QString m_lastWhere;
    SqlValues m_lastValues;
    bool m_hasLastLoad = false;
    const VQ3* m_applying = nullptr;
    // The positions of the members by folded mark, so that searching a
    // batch for duplicates of each new line stays linear in the batch.
    struct MarkIndex {
        QHash<QString, std::vector<size_t>> positions;
        size_t indexed = 0;
        uint64_t removals = 0;
    };
    const MarkIndex& IndexedByMark() const;
    mutable MarkIndex m_byMark;
};
