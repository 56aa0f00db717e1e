#pragma once

#include "database/RecordCollection.h"
#include "platform/Nullable.h"
#include "records/VQ7.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

struct QueryConditions;

// A response as a screen's list shows it.
struct VQ7ListRow {
    QString ID;
    QString VRM;
};

// The stored keeper responses of one mode (live or test): the loaded or
// added responses, keyed by id, and every query over VQ7_Responses.
class VQ7Responses : public RecordCollection<VQ7> {
public:
    void SetDataSource(CDataBase* objDataSource, bool blnTestFlag);

    // The first member with this VRM / enquiry reference, case ignored;
    // none: nullptr.
    Pointer Find(const QString& VRM) const;
    Pointer FindByEnquiryReference(const QString& EnquiryReference) const;

    // Rows that matched the last Load before its MaxToLoad limit (all it
    // loaded when it had none).
    int32_t TopAllCount() const { return m_topAllCount; }
    // Rows of the current mode.
    int32_t CountWithoutLoading() const;
    // Rows of the current mode that meet the conditions.
    int32_t CountWithoutLoadingInternal(const QueryConditions& conditions) const;

    // Responses dated (Date_Of_Response) within the whole days from
    // PeriodStart to PeriodEnd.
    int32_t ResponsesReceivedInPeriod(const NullableDate& PeriodStart, const NullableDate& PeriodEnd) const;
    // Responses already stored with this enquiry reference, VRM, date of
    // event and date of response (days; a missing date matches a missing one).
    int32_t CountofDuplicateResponses(const QString& sEnquirerRef, const QString& sVRM,
                                      const NullableDate& dDateofEvent,
                                      const NullableDate& dDateofResponse) const;
    // Responses received before the start of the day: removed with their
    // message errors, or with bCountOnly only counted.
    int32_t RemoveResponses(const QDate& ReceivedDateOlderThan, bool bCountOnly = false);

    // A new response is first given the temporary id "VQ7" and a number
    // (its position), which Apply replaces by a key of its own.
    void Add(Pointer objAddition) override;

    // The highest control reference, live and test rows alike; 0 if none.
    int32_t GetMaxControlReference() const;

    // Every Load replaces the list.
    // The responses of a delivery, live and test alike.
    void LoadByControlReference(int32_t ControlReference);
    // The responses screen's list: enquirers (rows without an enquirer
    // always qualify), VRM prefix, with or without a
    // DVLA result code, received in the last n days (1: today), ordered by
    // the given column list (default "VRM"), at most MaxToLoad rows (a
    // whole number 1 to 32767; anything else loads every row).
    void Load(const QStringList& sEnquirerIds, const QString& VRM = {},
              std::optional<bool> WithErrors = std::nullopt, const QString& InLastNumberOfDays = {},
              QString SortOrder = {}, const QVariant& MaxToLoad = {});
    // The key and VRM of every row Load would load, in its order, without
    // loading them (TopAllCount as for Load); the members stay as they
    // are. A long list for a screen, read fast.
    std::vector<VQ7ListRow> ListRows(const QStringList& sEnquirerIds, const QString& VRM = {},
                                     std::optional<bool> WithErrors = std::nullopt,
                                     const QString& InLastNumberOfDays = {}, QString SortOrder = {},
                                     const QVariant& MaxToLoad = {});
    // Loads in full, replacing the members, the rows of the last ListRows;
    // nothing before one.
    void LoadListedRows();
    // Responses not exported yet, of the automatic export or not: of the
    // listed enquirers only, or of everyone (unmatched responses without an
    // enquirer included) for an empty list.
    int32_t CountExportable(const QStringList& sEnquirerIds, bool bToBeAutoExported) const;
    void LoadExportable(const QStringList& sEnquirerIds, bool bToBeAutoExported);
    // Received within the whole days from dtFrom to dtTo.
    void LoadByWhenReceived(const QDate& dtFrom, const QDate& dtTo);
    // The responses that carry a message error with this code.
    void LoadForErrorCode(const QString& sErrorCode);

    // Deleted members first, then changed ones, in one transaction.
    // Nothing without a data source.
    void Apply() override;

private:
    // " From VQ7_Responses where ... ORDER BY ... [LIMIT n]" of the
    // screen's list, with its values; sets TopAllCount for a limited list.
    std::pair<QString, SqlValues> ListQuery(const QStringList& sEnquirerIds, const QString& VRM,
                                            std::optional<bool> WithErrors, const QString& InLastNumberOfDays,
                                            QString SortOrder, const QVariant& MaxToLoad, bool& limited);
    QueryConditions WithTestFlag(QueryConditions conditions) const;
    int32_t CountOf(const QString& sql, const SqlValues& values) const;
    void LoadResponses(const QString& sql, const SqlValues& values);

    bool m_testFlag = false;
    int32_t m_topAllCount = 0;
    std::pair<QString, SqlValues> m_listed; // the last ListRows' query
};
