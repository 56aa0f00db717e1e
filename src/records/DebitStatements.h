#pragma once

#include "database/RecordCollection.h"
#include "records/DebitStatement.h"

#include <QDate>
#include <QString>

#include <cstdint>

class CDataBase;

// The debit statements, each under its DebId (a new one under a temporary
// key until it is stored): one enquirer may have several statements on one
// day. Find and Exists look a statement up by its EnquirerId followed by
// its TransactionDate as "yyyymmdd" (the id alone without a date). The home
// of every query over table Debit_Statements, kept to the rows of one mode
// (live or test).
//
// Enquirer ids are one text of ids separated by ","; an empty text means
// every enquirer, and statements without an enquirer always qualify.
class DebitStatements : public RecordCollection<DebitStatement> {
public:
    void SetDataSource(CDataBase* objDataSource, bool blnTestFlag);

    // The highest control reference of any mode; 0 when there is none.
    int32_t GetMaxControlReference();

    // The member at the position, or nullptr.
    Pointer Find(int32_t index) const { return Exists(index) ? Item(index) : nullptr; }
    // The first statement of the enquirer on the day ("id" + "yyyymmdd"),
    // or nullptr.
    Pointer Find(const QString& EnquirerAndDay) const;
    using RecordCollection::Exists;
    bool Exists(const QString& EnquirerAndDay) const { return Find(EnquirerAndDay) != nullptr; }

    void Add(Pointer statement) override;

    int32_t CountWithoutLoading();
    // Statements of this mode that meet the WHERE text (" WHERE ..." with
    // its values bound, or empty).
    int32_t CountWithoutLoadingInternal(const QString& SqlWhereClause, const SqlValues& values = {});
    // Removes the statements received before the start of the day and
    // returns how many went.
    int32_t RemoveStatements(const QDate& ReceivedDateOlderThan);

    // Statements not yet exported.
    int32_t CountExportable(const QString& EnquirerIds);
    void LoadExportable(const QString& EnquirerIds);
    // Statements whose charge period starts within the whole days from
    // first to last (missing: 1 January 2000, today), by enquirer name.
    void LoadByChargePeriodStart(const NullableDate& StartDateFrom, const NullableDate& StartDateTo);
    // SortOrder: column names, separated by ","; empty: Charge_Period_Start.
    void Load(const QString& EnquirerIds, const QString& SortOrder = {});

    // Without a data source, nothing happens.
    void Apply() override;

private:
    static QString EnquirerAndDayOf(const DebitStatement& statement);

    int32_t CountOf(const QString& sql, const SqlValues& values, const QString& source);

    bool m_testFlag = false;
};
