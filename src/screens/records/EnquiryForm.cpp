#include "screens/records/EnquiryForm.h"

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "core/AskTellUser.h"
#include "platform/AppContext.h"
#include "platform/UserInteraction.h"
#include "records/JuxMessageErrors.h"
#include "records/VQ3.h"
#include "records/VRMBlackList.h"
#include "screens/records/EnquiryDates.h"
#include "transfer/VQ3Utils.h"
#include "platform/LocalTime.h"

namespace {
Enquirers::Pointer ChosenEnquirer(const EnquiryFormValues& form, const Enquirers& userEnquirers)
{
    if (userEnquirers.Count() == 1)
        return userEnquirers.Item(1);
    if (userEnquirers.Exists(form.enquirerIndex + 1))
        return userEnquirers.Item(form.enquirerIndex + 1);
    return nullptr;
}

EnquiryReasons::Pointer ChosenReason(const EnquiryFormValues& form, const EnquiryReasons& reasons)
{
    if (reasons.Count() == 1)
        return reasons.Item(1);
    if (reasons.Exists(form.reasonIndex + 1))
        return reasons.Item(form.reasonIndex + 1);
    return nullptr;
}
} // namespace

std::optional<QString> ReadFormIntoVQ3(const EnquiryFormValues& form, VQ3& enquiry, const Enquirers& userEnquirers,
                                       const QDateTime& now, const QLocale& locale)
{
    enquiry.SetVRMVIN(form.vrm);
    enquiry.SetDateOfEnquiry(now);
    std::optional<QString> undated;
    if (const auto date = EnquiryDates::DateOfEventFromText(form.dateOfEvent, now.date(), locale)) {
        enquiry.SetDateOfEvent(LocalDateTime(*date, QTime(0, 0)));
    } else {
        enquiry.SetDateOfEvent(std::nullopt);
        undated = form.dateOfEvent;
    }
    enquiry.SetWhenEntered(now);

    if (const Enquirers::Pointer enquirer = ChosenEnquirer(form, userEnquirers)) {
        enquiry.SetEnquirerId(enquirer->EnquirerId());
        enquiry.SetIntermediaryId(enquirer->IntermediaryId());
        enquiry.SetEnquirerName(enquirer->Name());
        if (const EnquiryReasons::Pointer reason = ChosenReason(form, *enquirer->EnquiryReasons())) {
            enquiry.SetEnquiryCode(reason->EnquiryCode());
            enquiry.SetEnquiryCodeDesc(reason->Description());
        } else {
            enquiry.SetEnquiryCode(QString());
        }
    } else {
        enquiry.SetEnquirerId(QString());
        enquiry.SetIntermediaryId(QString());
        enquiry.SetEnquiryCode(QString());
    }

    // The key a new enquiry shows in place of its reference is no reference.
    if (form.reference.isEmpty() || (form.reference == enquiry.ID() && enquiry.EnquiryReference().isEmpty()))
        enquiry.SetEnquiryReference(QString());
    else
        enquiry.SetEnquiryReference(form.reference);
    enquiry.SetSkipVRMValidation(form.skipVRMValidation);
    return undated;
}

QString KeptBoxText(const QString& text, bool capitals)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control)
            kept += c;
    }
    return capitals ? kept.toUpper() : kept;
}

EnquiryValidation ValidateEnquiry(VQ3& enquiry, const std::optional<QString>& dateOfEventText,
                                  const Enquirers& userEnquirers, const VRMBlackList& blacklist,
                                  int16_t duplicateDays)
{
    EnquiryValidation result;
    try {
        const VRMBlackList* checkedBlacklist = &blacklist;
        if (blacklist.Exists(enquiry.VRMVIN())) {
            const int16_t answer =
                AskUser(enquiry.VRMVIN() + QStringLiteral(" is on the blacklist because of ") +
                            blacklist.Item(enquiry.VRMVIN())->Reason(),
                        QStringLiteral("Do you still want to add the enquiry?"), MsgBox::YesNo, MsgBox::AnswerNo);
            if (answer != MsgBox::AnswerYes) {
                result.outcome = EnquiryValidationOutcome::CancelEdit;
                return result;
            }
            checkedBlacklist = nullptr;
        }
        JuxMessageErrors errors;
        // The check reads the date as the box does: a text the box cannot
        // read is no date, however an import line's reading would take it.
        const QDate today = AppContext::Current().clock().Today();
        const DateOfEventReader asTheBoxReads = [today](const QString& text) {
            return EnquiryDates::DateOfEventFromText(text, today);
        };
        result.field = ValidateVQ3(enquiry, userEnquirers, checkedBlacklist, errors, nullptr, dateOfEventText,
                                   asTheBoxReads);
        if (errors.Count() > 0)
            TellUserWarning(errors.ToString(false), QString());
        // A date that cannot be read is the user's to correct: the stand-in
        // date the check puts in its place, and reports, is never saved.
        if (dateOfEventText && result.field.isEmpty() && errors.Count() > 0)
            result.field = QStringLiteral("DateOfEvent");
        if (result.field.isEmpty()) {
            const VQ3Enquiries duplicates = GetVQ3Duplicates(enquiry, nullptr, duplicateDays);
            if (duplicates.Count() > 0 &&
                AskUser(QString::number(duplicates.Count()) + QStringLiteral(" possible duplicates for ") +
                            enquiry.VRMVIN() + QStringLiteral(" found."),
                        QStringLiteral("Do you want to keep this new enquiry?"), MsgBox::YesNo,
                        MsgBox::AnswerNo) == MsgBox::AnswerNo)
                result.field = QStringLiteral("ExactDuplicateEnquiry");
        }
        result.outcome = result.field.isEmpty() ? EnquiryValidationOutcome::Save : EnquiryValidationOutcome::StayInEdit;
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("System error reported while validating enquiry"), e.Description());
        result.outcome = EnquiryValidationOutcome::StayInEdit;
    }
    return result;
}
