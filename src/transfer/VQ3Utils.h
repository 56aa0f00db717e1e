#pragma once

#include "platform/Nullable.h"
#include "records/VQ3Enquiries.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <optional>

class Enquirers;
class JuxMessageErrors;
class VQ3;
class VRMBlackList;

// The rules that decide whether one enquiry may be sent. Every broken rule
// becomes a message error ("JX" code and text) on the enquiry; nothing is
// refused here, the caller decides what to do with an enquiry in error.

// Error codes of the checks.
namespace VQ3ErrorCodes {
inline const QString VRM = QStringLiteral("JX500");
inline const QString EnquirerId = QStringLiteral("JX501");
inline const QString EnquiryCode = QStringLiteral("JX502");
inline const QString IntermediaryId = QStringLiteral("JX503");
inline const QString DateOfEvent = QStringLiteral("JX504");
inline const QString EnquiryReference = QStringLiteral("JX506");
inline const QString ExactDuplicate = QStringLiteral("JX507");
inline const QString BlackListed = QStringLiteral("JX509");
} // namespace VQ3ErrorCodes

// How the source of a date of event text reads it.
using DateOfEventReader = std::function<std::optional<QDate>(const QString& text)>;

// Runs every check in order; returns the field name of the last check that
// attached an error, "" when none did. The date of event is read from
// dateOfEventText when given, else from the enquiry; the enquiry keeps the
// date read, or 1 April 2000 when it was no date. The text is read with
// readDateOfEvent when given (the screen's own reading), else as an
// imported line's compact date. blacklist and batch (enquiries not yet
// saved) may be null.
QString ValidateVQ3(VQ3& enquiry, const Enquirers& enquirers, const VRMBlackList* blacklist,
                    JuxMessageErrors& errors, const VQ3Enquiries* batch,
                    const std::optional<QString>& dateOfEventText = std::nullopt,
                    const DateOfEventReader& readDateOfEvent = {});

// One date between earliest and today. value is replaced by the date read
// (a QDate) or by Null when it is no date.
QString ValidateDateRange(QVariant& value, const Nullable<QDate>& earliest, const QString& name,
                          const QString& earliestText);

// ValidateDateRange of a date of event against ten years before today.
QString CheckDateWithinTenYears(QVariant& value);

QString CheckEnquirerIdKnown(const VQ3& enquiry, const Enquirers& enquirers);
QString CheckEnquiryCodeForEnquirer(const VQ3& enquiry, const Enquirers& enquirers);
QString CheckIntermediaryIdForEnquirer(const VQ3& enquiry, const Enquirers& enquirers);

// Exact duplicates (same mark, enquirer, date of event and reference) in
// the batch and in the database; a failing search counts what it found.
int32_t CountExactDuplicates(const VQ3& enquiry, const VQ3Enquiries* batch);

// The stored enquiries, then those of the batch, that duplicate the enquiry
// within numberOfDays; none when the enquiry has no date of event.
VQ3Enquiries GetVQ3Duplicates(const VQ3& enquiry, const VQ3Enquiries* batch, int16_t numberOfDays);
