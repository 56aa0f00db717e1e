#include "service/RequestDebitStatementsFromNevixServer.h"

#include "accounts/Enquirers.h"
#include "core/ApplicationSettings.h"
#include "core/DelimitedString.h"
#include "core/LoggingGlobals.h"
#include "core/NumericText.h"
#include "core/Utils.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "records/DayValue.h"
#include "records/DebitStatements.h"
#include "records/XMLUtils.h"
#include "service/ExchangeStep.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"

#include <QSet>

#include <cmath>
#include <limits>

namespace {

const QString Source = QStringLiteral("GetDebitStatementsFromNevix");

[[noreturn]] void Invalid(const QString& text)
{
    throw NevixError(ErrorNumbers::ObjectErrorBase, text, Source);
}

// An amount or count the statement cannot do without.
double RequiredNumber(const QString& element, const QString& text)
{
    if (!IsNumericText(text))
        Invalid(element + QStringLiteral(" is not a number (") + text + u')');
    return text.trimmed().toDouble();
}

int32_t RequiredWholeNumber(const QString& element, const QString& text)
{
    const double value = std::nearbyint(RequiredNumber(element, text));
    if (value < double(std::numeric_limits<int32_t>::min()) || value > double(std::numeric_limits<int32_t>::max()))
        Invalid(element + QStringLiteral(" is out of range (") + text + u')');
    return int32_t(value);
}

// One Deb element as a new statement; a value it cannot be stored with
// raises, naming the element.
std::shared_ptr<DebitStatement> ReadStatement(const QString& element, const NevixResponseHeader& header)
{
    const auto text = [&element](const char* tag) { return ExtractElementValue(QString::fromLatin1(tag), element); };
    // A date given but unreadable is refused; only the transaction date,
    // part of the statement's identity, must be there.
    const auto date = [&element, &text](const char* tag, bool required) {
        const QString name = QString::fromLatin1(tag);
        const NullableDate value = ExtractDateElementValue(name, element);
        const QString given = text(tag);
        if (!value && (required || !given.isEmpty()))
            Invalid(name + QStringLiteral(" is not a date (") + given + u')');
        return value;
    };
    // Amounts are read digit by digit, exactly as written.
    const auto money = [&text](const char* tag) {
        const QString value = text(tag);
        const std::optional<Currency> amount = Currency::FromText(value);
        if (!amount)
            Invalid(QString::fromLatin1(tag) + QStringLiteral(" is not an amount (") + value + u')');
        return *amount;
    };

    auto statement = std::make_shared<DebitStatement>();
    statement->SetControlReference(header.ControlReference());
    statement->SetChargePeriodEnd(date("ChargePeriodEnd", false));
    statement->SetChargePeriodStart(date("ChargePeriodStart", false));
    statement->SetDEBSTAReference(text("StatementReference"));
    if (statement->DEBSTAReference().size() >= 5)
        statement->SetEnquirerId(statement->DEBSTAReference().left(5));
    statement->SetDVLABankAccountName(text("CreditBankAccountName"));
    statement->SetDVLABankAccountNumber(text("CreditBankAccountNumber"));
    statement->SetDVLABankSortCode(text("CreditBankSortCode"));
    statement->SetIssueDate(date("IssueDate", false));
    statement->SetNumberOfCharges(RequiredWholeNumber(QStringLiteral("NumberOfCharges"), text("NumberOfCharges")));
    statement->SetRateOfCharge(money("RateOfCharge"));
    statement->SetTotalAmountOfCharge(money("TotalAmountOfCharge"));
    statement->SetTotalAmountOfDebit(money("TotalAmountOfDebit"));
    statement->SetTPBankAccountName(text("DebitBankAccountName"));
    statement->SetTPBankAccountNumber(text("DebitBankAccountNumber"));
    statement->SetTPBankSortCode(text("DebitBankSortCode"));
    statement->SetTransactionDate(date("TransactionDate", true));
    statement->SetWhenPrepared(header.MessageTimeStamp());
    statement->SetWhenReceived(AppContext::Current().clock().Now());
    statement->SetIsTest(header.IsTest());
    return statement;
}

// The identity of a statement: its delivery, statement reference and
// transaction day.
QString IdentityOf(const DebitStatement& statement)
{
    const NullableDate day = statement.TransactionDate();
    return QString::number(statement.ControlReference()) + u'|' + statement.DEBSTAReference().toCaseFolded() +
           u'|' + (day ? day->date().toString(Qt::ISODate) : QString());
}

// A statement counts as stored when this mode already holds one of the
// same delivery, statement reference and transaction day; the control
// reference alone would not do, as one delivery holds the statements of
// several enquirers.
bool AlreadyStored(DebitStatements& stored, const DebitStatement& statement)
{
    return stored.CountWithoutLoadingInternal(
               QStringLiteral(" where Control_Reference=? and coalesce(DEBSTA_Reference,'')=? and "
                              "Transaction_Date is ?"),
               {statement.ControlReference(), statement.DEBSTAReference(), DayOrNull(statement.TransactionDate())}) != 0;
}

} // namespace

NevixRequest CreateDEBRequest(LogLines& log)
{
    return NewNevixRequest(NevixMessageTypes::DEBRequest, log);
}

bool GetDebitStatementsFromNevix(DebitStatements& Statements, LogLines& log, TransmissionResults& results,
                                 int32_t* Refused)
{
    const NevixResponse response = SendNevixRequest(CreateDEBRequest(log), false);
    if (ResponseTypeOf(response) != NevixResponseTypes::ACK) {
        LogNevixErrors(log, response);
        results.SetFatalDebErrorMessage(
            QStringLiteral("Erros reported by NEVIX service getting debit statements - please see log for details"));
        return false;
    }
    const DelimitedString elements = ExtractElementListUtf8(QStringLiteral("Deb"), response.RawAnswer());
    log.AddToLog(EventCodes::Communication,
                 QStringLiteral("Processing ") + CountText(QStringLiteral("Debit Statement"), elements.Count()));
    // Each statement stands on its own: one that cannot be read is logged
    // and left out, the others are kept.
    int32_t refused = 0;
    for (int32_t i = 1; i <= elements.Count(); ++i) {
        const QString element = elements.Word(i);
        try {
            Statements.Add(ReadStatement(element, *response.GetHeader()));
        } catch (const NevixError& error) {
            ++refused;
            const QString text = QStringLiteral("Debit statement ") +
                                 ExtractElementValue(QStringLiteral("StatementReference"), element) +
                                 QStringLiteral(" not stored: ") + error.Description();
            log.AddToLog(EventCodes::Error, text);
            results.SetFatalDebErrorMessage(text);
        }
    }
    if (Refused)
        *Refused = refused;
    log.AddToLog(EventCodes::Communication, QStringLiteral("Finished processing returned Debit Statements"));
    return true;
}

bool SendDEBComplete(int32_t ControlReference, LogLines& log, TransmissionResults& results)
{
    return AcknowledgeDelivery(NevixMessageTypes::DEBComplete, ControlReference,
                               QStringLiteral("Sending acknowledgment for Debits on control reference "),
                               QStringLiteral("Acknowledgment for Debit Statements on control reference "), log,
                               results, &TransmissionResults::SetFatalDebErrorMessage);
}

void RequestDebitStatementsFromNevixServer(LogLines& log, TransmissionResults& results)
{
    std::exception_ptr failure;
    try {
        CDataBase& db = GlobalDatabase();
        const bool testMode = Settings().RunInTestMode();
        Enquirers enquirers;
        enquirers.SetDataSource(&db);
        enquirers.Load();
        log.AddToLog(EventCodes::Communication, ProcessCodeDescription(QStringLiteral("DEB")));
        log.AddToLog(EventCodes::Information, QStringLiteral("Requesting Debit Statements"));

        DebitStatements received;
        int32_t refused = 0;
        if (!GetDebitStatementsFromNevix(received, log, results, &refused) || received.Count() == 0) {
            log.AddToLog(EventCodes::Information, QStringLiteral("No debit statement received"));
        } else {
            DebitStatements saving;
            saving.SetDataSource(&db, testMode);
            QSet<QString> identities;
            for (const auto& statement : received) {
                if (AlreadyStored(saving, *statement) || identities.contains(IdentityOf(*statement)))
                    continue;
                identities.insert(IdentityOf(*statement));
                if (!statement->EnquirerId().isEmpty()) {
                    if (const auto enquirer = enquirers.Find(statement->EnquirerId()))
                        statement->SetEnquirerName(enquirer->Name());
                }
                saving.Add(statement);
            }
            saving.Apply();
            results.SetDebsReceived(saving.Count());
            log.AddToLog(EventCodes::Information,
                         CountText(QStringLiteral("Debit Statement"), saving.Count()) + QStringLiteral(" received"));
            if (received.Count() != saving.Count())
                log.AddToLog(EventCodes::Communication,
                             CountText(QStringLiteral("Debit statement"), received.Count()) +
                                 QStringLiteral(" received but ") + QString::number(saving.Count()) +
                                 QStringLiteral(" saved because of duplication"));
            // A delivery with a statement left out is offered again later.
            if (refused == 0)
                SendDEBComplete(received.Item(1)->ControlReference(), log, results);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    CloseExchangeStep(failure, QStringLiteral("RequestDebitStatementsFromNevixServer"), log, results,
                      &TransmissionResults::SetFatalDebErrorMessage, nullptr);
}
