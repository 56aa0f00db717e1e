#include "transfer/VQ3Utils.h"

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/Validation.h"
#include "core/ApplicationSettings.h"
#include "core/Utils.h"
#include "database/GlobalDatabase.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "records/JuxMessageErrors.h"
#include "records/VQ3.h"
#include "records/VRM.h"
#include "records/VRMBlackList.h"

#include <QLocale>

namespace {

const QString DateOfEventName = QStringLiteral("Date of Event");
const QString TenYearsText = QStringLiteral("More than 10 years ago");

QDate Today()
{
    return AppContext::Current().clock().Today();
}

// The date that takes the place of one that cannot be read.
QDate UnreadableDateStandIn()
{
    return QDate(2000, 4, 1);
}

void Attach(const VQ3& enquiry, JuxMessageErrors& errors, const QString& code, const QString& text)
{
    auto error = std::make_shared<JuxMessageError>();
    error->SetErrorCode(code);
    error->SetDescription(text);
    error->SetJuxMsgReference(enquiry.JuxMsgReference());
    errors.Add(std::move(error));
}

NullableDate AsDateOfEvent(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate && value.toDate().isValid())
        return LocalDateTime(value.toDate(), QTime(0, 0));
    return std::nullopt;
}

EnquiryReasons::Pointer ReasonOf(const VQ3& enquiry, const Enquirers& enquirers)
{
    const Enquirers::Pointer enquirer = enquirers.Find(enquiry.EnquirerId());
    return enquirer ? enquirer->EnquiryReasons()->FindByEnquiryCode(enquiry.EnquiryCode()) : nullptr;
}

// The mark's rules, then the blacklist; true when an error was attached.
bool CheckVRM(const VQ3& enquiry, const VRMBlackList* blacklist, JuxMessageErrors& errors)
{
    const QString mark = enquiry.VRMVIN();
    if (mark.size() == 17) // a vehicle identification number
        return false;
    if (mark.size() > 7 || mark.size() < 2) {
        Attach(enquiry, errors, VQ3ErrorCodes::VRM, QStringLiteral("VRM must be between 2 and 7 characters"));
        return true;
    }
    if (enquiry.SkipVRMValidation())
        return false;
    const QString verdict = ValidateVRMText(mark);
    if (verdict.startsWith(u':')) {
        if (verdict.mid(1, 1) == QLatin1String("{"))
            Attach(enquiry, errors, VQ3ErrorCodes::VRM, QStringLiteral("VRM is invalid") + verdict.mid(1, 5));
        else
            Attach(enquiry, errors, VQ3ErrorCodes::VRM, verdict.mid(1));
        return true;
    }
    if (blacklist && blacklist->Exists(mark)) {
        Attach(enquiry, errors, VQ3ErrorCodes::BlackListed,
               QStringLiteral("VRM is black-listed for: ") + blacklist->Item(mark)->Reason());
        return true;
    }
    return false;
}

} // namespace

namespace {
QString LaterThanTodayText(const QString& name)
{
    return name + QStringLiteral(" cannot be later than today");
}
} // namespace

QString ValidateDateRange(QVariant& value, const Nullable<QDate>& earliest, const QString& name,
                          const QString& earliestText)
{
    const Nullable<QDate> date = ParseCompactDate(value);
    value = date ? QVariant(*date) : QVariant();
    if (!date)
        return QStringLiteral("Please enter a valid ") + name;
    if (*date > Today())
        return LaterThanTodayText(name);
    if (!earliest)
        return name + QStringLiteral(" cannot be earlier than ") + earliestText + QStringLiteral(" which must be set");
    if (*date < *earliest)
        return name + QStringLiteral(" cannot be earlier than ") +
               QLocale::c().toString(*earliest, QStringLiteral("dd-MMM-yyyy")) + QStringLiteral(" (") +
               earliestText + u')';
    return {};
}

QString CheckDateWithinTenYears(QVariant& value)
{
    return ValidateDateRange(value, Today().addYears(-10), DateOfEventName, TenYearsText);
}

QString CheckEnquirerIdKnown(const VQ3& enquiry, const Enquirers& enquirers)
{
    const QString format = ValidateEnquirerId(enquiry.EnquirerId());
    if (!format.isEmpty())
        return format;
    if (!enquirers.Find(enquiry.EnquirerId()))
        return QStringLiteral("Enquirer Id is unknown");
    return {};
}

QString CheckEnquiryCodeForEnquirer(const VQ3& enquiry, const Enquirers& enquirers)
{
    const QString format = ValidateEnquiryCode(enquiry.EnquiryCode());
    if (!format.isEmpty())
        return format;
    const Enquirers::Pointer enquirer = enquirers.Find(enquiry.EnquirerId());
    if (!enquirer)
        return QStringLiteral("Enquirer Id is unknown");
    if (!enquirer->EnquiryReasons()->FindByEnquiryCode(enquiry.EnquiryCode()))
        return QStringLiteral("The Enquiry code ") + enquiry.EnquiryCode() +
               QStringLiteral(" does not match with the Enquirer Id");
    return {};
}

QString CheckIntermediaryIdForEnquirer(const VQ3& enquiry, const Enquirers& enquirers)
{
    const QString format = ValidateIntermediaryId(enquiry.IntermediaryId());
    if (!format.isEmpty())
        return format;
    const Enquirers::Pointer enquirer = enquirers.Find(enquiry.EnquirerId());
    if (!enquirer)
        return QStringLiteral("Could not get Enquirer to check the intermediary id");
    if (enquirer->IntermediaryId() != enquiry.IntermediaryId())
        return QStringLiteral("Intermediary id ") + enquiry.IntermediaryId() +
               QStringLiteral(" is not appropriate for the EnquirerId");
    return {};
}

QString ValidateVQ3(VQ3& enquiry, const Enquirers& enquirers, const VRMBlackList* blacklist,
                    JuxMessageErrors& errors, const VQ3Enquiries* batch,
                    const std::optional<QString>& dateOfEventText, const DateOfEventReader& readDateOfEvent)
{
    QString field;
    auto attach = [&](const QString& name, const QString& code, const QString& text) {
        Attach(enquiry, errors, code, text);
        field = name;
    };

    if (enquiry.EnquirerId().trimmed().isEmpty()) {
        attach(QStringLiteral("EnquirerId"), VQ3ErrorCodes::EnquirerId, QStringLiteral("Enquirer Id cannot be blank"));
    } else if (const QString text = CheckEnquirerIdKnown(enquiry, enquirers); !text.isEmpty()) {
        attach(QStringLiteral("EnquirerId"), VQ3ErrorCodes::EnquirerId,
               text + QStringLiteral(" (") + enquiry.EnquirerId() + u')');
    }

    if (enquiry.EnquiryCode().trimmed().isEmpty()) {
        attach(QStringLiteral("EnquiryCode"), VQ3ErrorCodes::EnquiryCode, QStringLiteral("EnquiryCode cannot be blank"));
    } else if (const QString text = CheckEnquiryCodeForEnquirer(enquiry, enquirers); !text.isEmpty()) {
        attach(QStringLiteral("EnquiryCode"), VQ3ErrorCodes::EnquiryCode, text);
    }

    if (const QString text = CheckIntermediaryIdForEnquirer(enquiry, enquirers); !text.isEmpty())
        attach(QStringLiteral("IntermediaryId"), VQ3ErrorCodes::IntermediaryId, text);

    // First date pass: only a date that cannot be read is reported here,
    // and it is reported even when the ten-year check is switched off, so
    // that the stand-in date never travels unnoticed.
    const QString given = dateOfEventText ? *dateOfEventText
                                          : NullToString(ToVariant(enquiry.DateOfEvent()));
    QVariant value = dateOfEventText ? QVariant(*dateOfEventText) : ToVariant(enquiry.DateOfEvent());
    // Read by its source's own rule, a text is never taken for another date.
    if (dateOfEventText && readDateOfEvent) {
        const std::optional<QDate> read = readDateOfEvent(*dateOfEventText);
        value = read ? QVariant(*read) : QVariant();
    }
    const QString firstPass = CheckDateWithinTenYears(value);
    if (value.isNull()) {
        Attach(enquiry, errors, VQ3ErrorCodes::DateOfEvent,
               firstPass + QStringLiteral(" was: ") + given + QStringLiteral(", changed to to 1/April/2000"));
        value = UnreadableDateStandIn();
    }
    enquiry.SetDateOfEvent(AsDateOfEvent(value));

    if (errors.Count() > 0)
        return field;

    QString dateMessage;
    const EnquiryReasons::Pointer reason = ReasonOf(enquiry, enquirers);
    if (!reason) {
        dateMessage = QStringLiteral("Cannot find date of event cut off");
    } else if (reason->DateOfEventCutOff() == 0) {
        // The setting lifts the age limit only: the service refuses a date
        // still to come, and with it the whole batch.
        if (!Settings().Skip10YearDOECheck())
            dateMessage = CheckDateWithinTenYears(value);
        else if (value.toDate() > Today())
            dateMessage = LaterThanTodayText(DateOfEventName);
    } else {
        const int days = reason->DateOfEventCutOff();
        dateMessage = ValidateDateRange(value, Today().addDays(-days), DateOfEventName,
                                        QStringLiteral("More than ") + QString::number(days) +
                                            QStringLiteral(" days ago"));
    }
    if (!value.isNull())
        enquiry.SetDateOfEvent(AsDateOfEvent(value));
    if (!dateMessage.isEmpty())
        attach(QStringLiteral("DateOfEvent"), VQ3ErrorCodes::DateOfEvent, dateMessage);

    if (CheckVRM(enquiry, blacklist, errors))
        field = QStringLiteral("VRM");

    // Only blanks make a reference empty: a tab or a no-break space is text
    // the reference rule refuses, as the service would.
    if (!TrimSpaces(enquiry.EnquiryReference()).isEmpty()) {
        if (const QString text = ValidateEnquiryReference(enquiry.EnquiryReference()); !text.isEmpty())
            attach(QStringLiteral("EnquiryReference"), VQ3ErrorCodes::EnquiryReference, text);
    }

    if (enquiry.DateOfEvent() && CountExactDuplicates(enquiry, batch) > 0)
        attach(QStringLiteral("ExactDuplicateEnquiry"), VQ3ErrorCodes::ExactDuplicate,
               QStringLiteral("Exact duplicate for ") + enquiry.VRMVIN() + QStringLiteral(" found"));
    return field;
}

int32_t CountExactDuplicates(const VQ3& enquiry, const VQ3Enquiries* batch)
{
    int32_t count = 0;
    try {
        if (batch)
            count += batch->LoadDuplicatesFromList(enquiry, 0, true).Count();
        VQ3Enquiries stored;
        stored.SetDataSource(&GlobalDatabase(), Settings().RunInTestMode());
        stored.LoadDuplicates(enquiry, 0, true);
        count += stored.Count();
    } catch (...) {
        // A search that fails counts what it found so far.
    }
    return count;
}

VQ3Enquiries GetVQ3Duplicates(const VQ3& enquiry, const VQ3Enquiries* batch, int16_t numberOfDays)
{
    VQ3Enquiries found;
    if (!enquiry.DateOfEvent())
        return found;
    found.SetDataSource(&GlobalDatabase(), Settings().RunInTestMode());
    found.LoadDuplicates(enquiry, numberOfDays, false);
    if (batch) {
        for (const VQ3Enquiries::Pointer& member : batch->LoadDuplicatesFromList(enquiry, numberOfDays, false))
            found.Add(member);
    }
    return found;
}
