#pragma once

#include "database/RecordCollection.h"
#include "records/DebitStatement.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

class CDataBase;

// The debit statements, each under its DebId (a new one under a temporary
// key "DEB" and a number until it is stored), so an enquirer may have any
// number of statements on one day. The home of every query over table
// Debit_Statements, kept to the rows of one mode (live or test).
//
// Enquirer ids are one text of ids separated by ","; an empty text means
// every enquirer. The screen's loads also take the statements without an
// enquirer; the exports take only the listed enquirers' own.
class DebitStatements : public RecordCollection<DebitStatement> {
public:
    void SetDataSource(CDataBase* objDataSource, bool blnTestFlag);

    // The highest control reference of any mode; 0 when there is none.
    int32_t GetMaxControlReference();

    // By position, or by EnquirerId followed by the TransactionDate as
    // "yyyymmdd" (the id alone without a date): the first such member.
    bool Exists(int32_t position) const { return RecordCollection::Exists(position); }
    bool Exists(const QString& enquirerAndDay) const { return Find(enquirerAndDay) != nullptr; }
    Pointer Find(int32_t position) const { return Exists(position) ? Item(position) : nullptr; }
    Pointer Find(const QString& enquirerAndDay) const;
    // The text Find looks for.
    static QString EnquirerAndDay(const DebitStatement& statement);

    int32_t CountWithoutLoading();
    // Statements of this mode that meet the WHERE text (" WHERE ..." with
    // its values bound, or empty).
    int32_t CountWithoutLoadingInternal(const QString& SqlWhereClause, const SqlValues& values = {});
    // Removes the statements received before the start of the day and
    // returns how many went.
    int32_t RemoveStatements(const QDate& ReceivedDateOlderThan);

    // Statements not yet exported: of the listed enquirers only, or of
    // everyone (those without an enquirer included) for an empty list.
    int32_t CountExportable(const QStringList& EnquirerIds);
    void LoadExportable(const QStringList& EnquirerIds);
    // Statements whose charge period starts within the whole days from
    // first to last (missing: 1 January 2000, today), by enquirer name.
    void LoadByChargePeriodStart(const NullableDate& StartDateFrom, const NullableDate& StartDateTo);
    // SortOrder: column names, separated by ","; empty: Charge_Period_Start.
    void Load(const QStringList& EnquirerIds, const QString& SortOrder = {});

    // Without a data source, nothing happens.
    void Apply() override;

protected:
    QString KeyFor(const DebitStatement& statement) const override;

private:
    int32_t CountOf(const QString& sql, const SqlValues& values, const QString& source);

    bool m_testFlag = false;
};
