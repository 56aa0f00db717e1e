#include "screens/records/StatementDetails.h"

#include "records/DebitStatement.h"

#include <QLocale>

#include <cstdlib>

QString LocalDateText(const NullableDate& value)
{
    if (!value || !value->isValid())
        return {};
    const QLocale locale;
    QString text = locale.toString(value->date(), QLocale::ShortFormat);
    if (value->time() != QTime(0, 0))
        text += u' ' + value->time().toString(QStringLiteral("HH:mm:ss"));
    return text;
}

QString VarianceText(int32_t charges, int32_t enquiriesSent)
{
    return charges == enquiriesSent ? QString() : QString::number(std::abs(int64_t(charges) - enquiriesSent));
}

StatementDetails MakeStatementDetails(const DebitStatement& s, int32_t enquiriesSent)
{
    const QLocale locale;
    const auto money = [&locale](const Currency& amount) { return locale.toCurrencyString(amount.ToDouble()); };
    StatementDetails details;
    details.Texts = {
        {QStringLiteral("txtDEBSTAReference"), s.DEBSTAReference()},
        {QStringLiteral("txtEnquirerName"), s.EnquirerName()},
        {QStringLiteral("txtIssueDate"), LocalDateText(s.IssueDate())},
        {QStringLiteral("txtTransactionDate"), LocalDateText(s.TransactionDate())},
        {QStringLiteral("txtPeriodStart"), LocalDateText(s.ChargePeriodStart())},
        {QStringLiteral("txtPeriodEnd"), LocalDateText(s.ChargePeriodEnd())},
        {QStringLiteral("txtTotalAmount"), money(s.TotalAmountOfDebit())},
        {QStringLiteral("txtCharges"), QString::number(s.NumberOfCharges())},
        {QStringLiteral("txtRateOfCharge"), money(s.RateOfCharge())},
        {QStringLiteral("txtEnquiries"), QString::number(enquiriesSent)},
        {QStringLiteral("txtVariance"), VarianceText(s.NumberOfCharges(), enquiriesSent)},
        {QStringLiteral("txtTPAccountName"), s.TPBankAccountName()},
        {QStringLiteral("txtTPAccountNumber"), s.TPBankAccountNumber()},
        {QStringLiteral("txtTPAccountSortCode"), s.TPBankSortCode()},
        {QStringLiteral("txtDVLAAccountName"), s.DVLABankAccountName()},
        {QStringLiteral("txtDVLAAccountNumber"), s.DVLABankAccountNumber()},
        {QStringLiteral("txtDVLAAccountSortCode"), s.DVLABankSortCode()},
        {QStringLiteral("txtWhenPrepared"), LocalDateText(s.WhenPrepared())},
        {QStringLiteral("txtWhenReceived"), LocalDateText(s.WhenReceived())},
    };
    return details;
}
