#include "records/DebitStatement.h"

#include "database/CDataBase.h"
#include "database/SqliteError.h"
#include "records/DayValue.h"
#include "records/LongDate.h"
#include "records/ReadColumn.h"

#include <QStringList>

namespace {
// Amounts are written as exact decimal text. A column declared as
// currency text keeps that text; an older column of number affinity turns
// it into a binary number whose shortest text is the same decimal (up to
// 15 digits), so both read back exactly from their text.
QVariant Money(Currency value)
{
    return CurrencyText(value);
}

void ReadMoney(const RecordSet& rs, const char* column, Currency& into)
{
    const QVariant value = rs.Field(QLatin1String(column));
    if (value.isNull())
        return;
    if (const std::optional<Currency> exact = Currency::FromText(value.toString())) {
        into = *exact;
        return;
    }
    if (value.typeId() == QMetaType::Double) // a tiny amount in exponent form
        into = Currency::FromDouble(value.toDouble());
    else
        throw NevixError(ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch"),
                         QStringLiteral("DebitStatement.") + QLatin1String(column));
}
} // namespace

const RecordTable& DebitStatement::Table() const
{
    static const RecordTable table{QStringLiteral("Debit_Statements"), QStringLiteral("DebId"),
                                   QStringLiteral("Debit_Statements")};
    return table;
}

RecordSet DebitStatement::GetAsRecordSet() const
{
    return RequireDataSource().OpenRecordSet(
        QStringLiteral("select * from Debit_Statements where debid=?"), {Current().ID});
}

void DebitStatement::Load()
{
    RecordSet rs = GetAsRecordSet();
    LoadByRecordSet(rs);
    rs.Close();
}

void DebitStatement::LoadByRecordSet(const RecordSet& objRs)
{
    if (objRs.HasRow()) {
        ReadRow(objRs);
        m_flags.OldTimeStamp = objRs.Text(QStringLiteral("TmStamp"));
        m_flags.IsNew = false;
    }
    TakeSavedCopy();
}

void DebitStatement::ReadRow(const RecordSet& rs)
{
    DebitStatementFields& f = MutableFields();
    ReadText(rs, "DebId", f.ID);
    ReadColumn(rs, "Control_Reference", f.ControlReference, &RecordSet::Long);
    f.WhenPrepared = rs.DateTime(QStringLiteral("When_Prepared"));
    f.WhenReceived = rs.DateTime(QStringLiteral("When_Received"));
    ReadText(rs, "DEBSTA_Reference", f.DEBSTAReference);
    f.IssueDate = rs.DateTime(QStringLiteral("Issue_Date"));
    f.TransactionDate = rs.DateTime(QStringLiteral("Transaction_Date"));
    f.ChargePeriodStart = rs.DateTime(QStringLiteral("Charge_Period_Start"));
    f.ChargePeriodEnd = rs.DateTime(QStringLiteral("Charge_Period_End"));
    ReadMoney(rs, "Total_Amount_Of_Debit", f.TotalAmountOfDebit);
    ReadColumn(rs, "Number_Of_Charges", f.NumberOfCharges, &RecordSet::Long);
    ReadMoney(rs, "Rate_Of_Charge", f.RateOfCharge);
    ReadMoney(rs, "Total_Amount_Of_Charge", f.TotalAmountOfCharge);
    ReadText(rs, "DVLA_Bank_Account_Number", f.DVLABankAccountNumber);
    ReadText(rs, "DVLA_Bank_Account_Name", f.DVLABankAccountName);
    ReadText(rs, "DVLA_Bank_Sort_Code", f.DVLABankSortCode);
    ReadText(rs, "TP_Bank_Account_Number", f.TPBankAccountNumber);
    ReadText(rs, "TP_Bank_Account_Name", f.TPBankAccountName);
    ReadText(rs, "TP_Bank_Sort_Code", f.TPBankSortCode);
    ReadText(rs, "EnquirerId", f.EnquirerId);
    ReadText(rs, "EnquirerName", f.EnquirerName);
    f.JuxExportedDate = rs.DateTime(QStringLiteral("JuxExportedDate"));
    ReadColumn(rs, "IsTest", f.IsTest, &RecordSet::Bool);
}

ColumnValues DebitStatement::RowValues() const
{
    const DebitStatementFields& f = Current();
    return {{QStringLiteral("Control_Reference"), f.ControlReference},
            {QStringLiteral("When_Prepared"), ToVariant(f.WhenPrepared)},
            {QStringLiteral("When_Received"), ToVariant(f.WhenReceived)},
            {QStringLiteral("DEBSTA_Reference"), TextOrNull(f.DEBSTAReference)},
            {QStringLiteral("Issue_Date"), DayOrNull(f.IssueDate)},
            {QStringLiteral("Transaction_Date"), DayOrNull(f.TransactionDate)},
            {QStringLiteral("Charge_Period_Start"), DayOrNull(f.ChargePeriodStart)},
            {QStringLiteral("Charge_Period_End"), DayOrNull(f.ChargePeriodEnd)},
            {QStringLiteral("Total_Amount_Of_Debit"), Money(f.TotalAmountOfDebit)},
            {QStringLiteral("Number_Of_Charges"), f.NumberOfCharges},
            {QStringLiteral("Rate_Of_Charge"), Money(f.RateOfCharge)},
            {QStringLiteral("Total_Amount_Of_Charge"), Money(f.TotalAmountOfCharge)},
            {QStringLiteral("DVLA_Bank_Account_Number"), TextOrNull(f.DVLABankAccountNumber)},
            {QStringLiteral("DVLA_Bank_Account_Name"), TextOrNull(f.DVLABankAccountName)},
            {QStringLiteral("DVLA_Bank_Sort_Code"), TextOrNull(f.DVLABankSortCode)},
            {QStringLiteral("TP_Bank_Account_Number"), TextOrNull(f.TPBankAccountNumber)},
            {QStringLiteral("TP_Bank_Account_Name"), TextOrNull(f.TPBankAccountName)},
            {QStringLiteral("TP_Bank_Sort_Code"), TextOrNull(f.TPBankSortCode)},
            {QStringLiteral("EnquirerId"), TextOrNull(f.EnquirerId)},
            {QStringLiteral("EnquirerName"), TextOrNull(f.EnquirerName)},
            {QStringLiteral("JuxExportedDate"), DayOrNull(f.JuxExportedDate)},
            {QStringLiteral("IsTest"), f.IsTest}};
}

QString DebitStatement::ColumnHeadingsToString()
{
    static const QString headings =
        QStringList{
            QStringLiteral("Control Reference"),      QStringLiteral("When Prepared"),
            QStringLiteral("When Received"),          QStringLiteral("DEBSTA_Reference"),
            QStringLiteral("Issue Date"),             QStringLiteral("Transaction Date"),
            QStringLiteral("Start of Charge Period"), QStringLiteral("End of Charge Period"),
            QStringLiteral("Total Amount Of Debit"),  QStringLiteral("Number Of Charges"),
            QStringLiteral("Rate Of Charge"),         QStringLiteral("Total Amount Of Charge"),
            QStringLiteral("DVLA Bank Account Number"), QStringLiteral("DVLA Bank Account Name"),
            QStringLiteral("DVLA Bank Sort Code"),    QStringLiteral("Bank Account Number"),
            QStringLiteral("Bank Account Name"),      QStringLiteral("Bank Sort Code"),
            QStringLiteral("Enquirer Id"),            QStringLiteral("Enquirer Name"),
            QStringLiteral("Exported On")}
            .join(QLatin1Char('\t'));
    return headings;
}

QString DebitStatement::ColumnsToString() const
{
    const DebitStatementFields& f = Current();
    return QStringList{QString::number(f.ControlReference),
                       LongDate(f.WhenPrepared, true),
                       LongDate(f.WhenReceived, true),
                       f.DEBSTAReference,
                       LongDate(f.IssueDate),
                       LongDate(f.TransactionDate),
                       LongDate(f.ChargePeriodStart),
                       LongDate(f.ChargePeriodEnd),
                       FormatCurrency(f.TotalAmountOfDebit, QStringLiteral("#,##0.00")),
                       QString::number(f.NumberOfCharges),
                       FormatCurrency(f.RateOfCharge, QStringLiteral("0.00")),
                       FormatCurrency(f.TotalAmountOfCharge, QStringLiteral("#,##0.00")),
                       f.DVLABankAccountNumber,
                       f.DVLABankAccountName,
                       f.DVLABankSortCode,
                       f.TPBankAccountNumber,
                       f.TPBankAccountName,
                       f.TPBankSortCode,
                       f.EnquirerId,
                       f.EnquirerName,
                       LongDate(f.JuxExportedDate)}
        .join(QLatin1Char('\t'));
}
