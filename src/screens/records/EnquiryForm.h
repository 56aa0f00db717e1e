#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

class Enquirers;
class VQ3;
class VRMBlackList;

// What the detail area of the enquiry screen holds when it is read.
struct EnquiryFormValues {
    QString vrm;
    QString dateOfEvent; // as the box shows it, after its normalisation
    QString reference;
    bool skipVRMValidation = false;
    // Positions in the user's enquirers and in the chosen one's reasons,
    // from 0; -1 when nothing is chosen.
    int enquirerIndex = -1;
    int reasonIndex = -1;
};

// Copies the form into the enquiry, stamping DateOfEnquiry and WhenEntered
// with now. A date of event that is no date leaves the enquiry without one
// and is returned, for the validation to judge the text as typed.
std::optional<QString> ReadFormIntoVQ3(const EnquiryFormValues& form, VQ3& enquiry, const Enquirers& userEnquirers,
                                       const QDateTime& now, const QLocale& locale = QLocale());

// What a detail box keeps of an edit: no control character (a pasted tab
// or line end, which typing never puts in), and capitals where the box
// takes them.
QString KeptBoxText(const QString& text, bool capitals);

// Outcomes of ValidateEnquiry.
namespace EnquiryValidationOutcome {
constexpr int32_t Save = 0;
constexpr int32_t StayInEdit = 1;
constexpr int32_t CancelEdit = 2;
} // namespace EnquiryValidationOutcome

struct EnquiryValidation {
    int32_t outcome = EnquiryValidationOutcome::StayInEdit;
    // The field to put the focus in: "VRM", "EnquiryReference",
    // "DateOfEvent", "EnquirerId", "EnquiryCode", "IntermediaryId" or
    // "ExactDuplicateEnquiry"; "" when the enquiry may be saved.
    QString field;
};

// The checks before a save, asking the user about a blacklisted mark and
// about possible duplicates within duplicateDays, and warning of every
// error found. dateOfEventText: the date text when it was no date.
EnquiryValidation ValidateEnquiry(VQ3& enquiry, const std::optional<QString>& dateOfEventText,
                                  const Enquirers& userEnquirers, const VRMBlackList& blacklist,
                                  int16_t duplicateDays);
