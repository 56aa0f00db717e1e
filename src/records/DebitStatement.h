#pragma once

#include "core/Currency.h"
#include "database/RecordOf.h"
#include "database/RecordSet.h"

#include <QString>

#include <cstdint>

struct DebitStatementFields {
    QString ID;
    int32_t ControlReference = 0;
    NullableDate WhenPrepared;
    NullableDate WhenReceived;
    QString DEBSTAReference;
    NullableDate IssueDate;
    NullableDate TransactionDate;
    NullableDate ChargePeriodStart;
    NullableDate ChargePeriodEnd;
    Currency TotalAmountOfDebit;
    int32_t NumberOfCharges = 0;
    Currency RateOfCharge;
    Currency TotalAmountOfCharge;
    QString DVLABankAccountNumber;
    QString DVLABankAccountName;
    QString DVLABankSortCode;
    QString TPBankAccountNumber;
    QString TPBankAccountName;
    QString TPBankSortCode;
    NullableDate JuxExportedDate;
    QString EnquirerId;
    QString EnquirerName;
    bool IsTest = false;
};

// One charge notice of the service for one enquirer: a row of
// Debit_Statements. Statements are never deleted one by one; rows leave the
// table only by the purge of the collection.
class DebitStatement : public RecordOf<DebitStatementFields> {
public:
    QString Key() const override { return Current().ID; }

#define NEVIX_DEB_VALUE(Type, Name)                                                                \
    Type Name() const { return Current().Name; }                                                   \
    void Set##Name(const Type& value) { SetField(&DebitStatementFields::Name, value); }
#define NEVIX_DEB_TEXT(Name)                                                                       \
    QString Name() const { return Current().Name; }                                                \
    void Set##Name(const QString& value)                                                           \
    {                                                                                              \
        SetText(&DebitStatementFields::Name, value, Qt::CaseInsensitive);                          \
    }

    NEVIX_DEB_TEXT(ID)
    NEVIX_DEB_VALUE(int32_t, ControlReference)
    NEVIX_DEB_VALUE(NullableDate, WhenPrepared)
    NEVIX_DEB_VALUE(NullableDate, WhenReceived)
    NEVIX_DEB_TEXT(DEBSTAReference)
    // The five dates below are stored without their time of day.
    NEVIX_DEB_VALUE(NullableDate, IssueDate)
    NEVIX_DEB_VALUE(NullableDate, TransactionDate)
    NEVIX_DEB_VALUE(NullableDate, ChargePeriodStart)
    NEVIX_DEB_VALUE(NullableDate, ChargePeriodEnd)
    NEVIX_DEB_VALUE(Currency, TotalAmountOfDebit)
    NEVIX_DEB_VALUE(int32_t, NumberOfCharges)
    NEVIX_DEB_VALUE(Currency, RateOfCharge)
    NEVIX_DEB_VALUE(Currency, TotalAmountOfCharge)
    NEVIX_DEB_TEXT(DVLABankAccountNumber)
    NEVIX_DEB_TEXT(DVLABankAccountName)
    NEVIX_DEB_TEXT(DVLABankSortCode)
    NEVIX_DEB_TEXT(TPBankAccountNumber)
    NEVIX_DEB_TEXT(TPBankAccountName)
    NEVIX_DEB_TEXT(TPBankSortCode)
    NEVIX_DEB_TEXT(EnquirerId)
    NEVIX_DEB_TEXT(EnquirerName)
    // Null: not yet exported.
    NEVIX_DEB_VALUE(NullableDate, JuxExportedDate)
    NEVIX_DEB_VALUE(bool, IsTest)

#undef NEVIX_DEB_VALUE
#undef NEVIX_DEB_TEXT

    // The statement's row, by the query of Load; the caller closes it.
    RecordSet GetAsRecordSet() const;
    // An id without a row leaves the statement as it was.
    void Load();
    // Reads the columns that are not Null over the values held (the dates
    // and the stamp as they are), without first going back to defaults.
    void LoadByRecordSet(const RecordSet& objRs) override;

    // One heading line and one data line of the tab-separated listing:
    // 21 fields each, no TAB at the end.
    static QString ColumnHeadingsToString();
    QString ColumnsToString() const;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;
};
