#include "screens/admin/ParametersChecks.h"

#include "accounts/Enquirer.h"
#include "accounts/EnquiryReasons.h"
#include "core/DiskFunctions.h"
#include "core/NumericText.h"
#include "core/VbFormat.h"
#include "database/SqliteError.h"
#include "maintenance/DatabaseRoutines.h"
#include "platform/NevixError.h"
#include "platform/LocalTime.h"

#include <cmath>
#include <limits>

namespace {
const QString CrLf = QStringLiteral("\r\n");

QString Trimmed(const QString& text)
{
    return text.trimmed();
}
} // namespace

QString ValidateTerm(const QString& term, const QString& period)
{
    if (!IsNumericText(term))
        return QStringLiteral("The term value is not numeric");
    const double value = Val(term);
    if (value < 1)
        return QStringLiteral("The term value must be greater than zero");
    if (period == QLatin1String("Day") && value > 31)
        return QStringLiteral("The term must not be greater than 31 if the period is days");
    if (period == QLatin1String("Week") && value > 52)
        return QStringLiteral("The term must not be greater than 52 if the period is weeks");
    if (period == QLatin1String("Month") && value > 60)
        return QStringLiteral("The term must not be greater than 60 if the period is months");
    return {};
}

QString ValidateGeneralEntries(GeneralEntries& entries)
{
    QStringList messages;
    if (Trimmed(entries.PartyName).isEmpty())
        messages << QStringLiteral("Company Name cannot be blank");

    if (Trimmed(entries.DuplicateDays).isEmpty())
        entries.DuplicateDays = QStringLiteral("0");
    if (!IsNumericText(entries.DuplicateDays))
        messages << QStringLiteral("Duplicate number of days must be between 0 and 99");
    else if (Val(entries.DuplicateDays) < -2)
        entries.DuplicateDays = QStringLiteral("0");

    if (entries.DuplicatesToFile) {
        const QString problem = CheckFolderAccess(entries.DuplicateFolder, true);
        if (!problem.isEmpty())
            messages << QStringLiteral("Could not write to duplicate folder: ") + problem;
    }

    if (IsNumericText(entries.BatchSize)) {
        const double batch = Val(entries.BatchSize);
        if (batch < 1 || batch > 99)
            messages << QStringLiteral("Batch Size must be between 1 and 99");
    }
    return messages.join(CrLf);
}

int16_t IntegerOfText(const QString& text, const QString& field)
{
    if (!IsNumericText(text))
        throw NevixError(ErrorNumbers::TypeMismatch,
                         field + QStringLiteral(" is not a number: \"") + text + u'"');
    const double value = std::nearbyint(Val(text));
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw NevixError(ErrorNumbers::Overflow, field + QStringLiteral(" is too large: ") + Trimmed(text));
    return int16_t(value);
}

QStringList EarlyRemovalLines(CDataBase& db, const TermEntry (&terms)[3])
{
    static const char* const Lines[] = {"Enquiries will be removed before then",
                                        "Responses will be removed before then",
                                        "Debit Statements will be removed before then"};
    const QDate threeMonths = CalculateCutOffDate(db, QStringLiteral("Month"), 3, QVariant());
    QStringList lines;
    for (int i = 0; i < 3; ++i) {
        const QDate cutOff = CalculateCutOffDate(db, terms[i].Period, terms[i].Term, QVariant());
        if (cutOff > threeMonths)
            lines << QLatin1String(Lines[i]);
    }
    return lines;
}

QString DateOfEventLimitsText(Enquirer& enquirer, const QDate& today)
{
    const QString name = enquirer.Name();
    QString text = QStringLiteral("Date of Event limits for ") + name + QStringLiteral(" as set by the DVLA.") +
                   CrLf + QStringLiteral("These limits are specified per Enquirier and Reason for Enquiry.") +
                   CrLf + QStringLiteral("The earliest valid Dates of Event for ") + name +
                   QStringLiteral(" enquiry reasons are") + CrLf + CrLf;
    const auto reasons = enquirer.EnquiryReasons();
    for (const auto& reason : *reasons) {
        text += u' ' + reason->DescriptionWithCode().leftJustified(30, u' ', true);
        const int16_t days = reason->DateOfEventCutOff();
        if (days != 0)
            text += QStringLiteral(": ") +
                    FormatDateTime(LocalDateTime(today.addDays(-days), QTime(0, 0)), QStringLiteral("dd-mmm-yy")) +
                    QStringLiteral("  (") + FormatNumber(days, QStringLiteral("####")) +
                    QStringLiteral(" days ago)");
        else
            text += QStringLiteral(": No Date of Event limit");
        text += CrLf;
    }
    return text;
}
