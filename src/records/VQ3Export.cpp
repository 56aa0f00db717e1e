// The enquiry's lines for the text export of the parameters window.
#include "records/VQ3.h"

#include "records/LongDate.h"

#include <QStringList>

namespace {
const QChar Tab = u'\t';
} // namespace

QString VQ3::ColumnHeadingsToString()
{
    return QStringList{QStringLiteral("When Entered"), QStringLiteral("Date OfEnquiry"),
                       QStringLiteral("VRM"), QStringLiteral("Date Of Event"),
                       QStringLiteral("Enquiry Reference"), QStringLiteral("Hardcopy Response"),
                       QStringLiteral("Control Reference"), QStringLiteral("When Prepared"),
                       QStringLiteral("When Imported"), QStringLiteral("When Sent"),
                       QStringLiteral("Response Received"), QStringLiteral("Validate VRM"),
                       QStringLiteral("Intermediary Id"), QStringLiteral("Enquirer Id"),
                       QStringLiteral("EnquirerName"), QStringLiteral("Enquiry Code"),
                       QStringLiteral("Enquiry Code Description")}
        .join(Tab);
}

QString VQ3::ColumnsToString() const
{
    const VQ3Fields& f = Current();
    return QStringList{LongDate(f.WhenEntered),
                       LongDate(f.DateOfEnquiry),
                       f.VRMVIN,
                       LongDate(f.DateOfEvent),
                       f.EnquiryReference,
                       f.HardcopyResponse ? QStringLiteral("Y") : QStringLiteral("N"),
                       QString::number(f.ControlReference),
                       LongDate(f.WhenPrepared, true),
                       LongDate(f.WhenImported, true),
                       LongDate(f.WhenSent, true),
                       f.ResponseReceived == 0 ? QStringLiteral("No") : QStringLiteral("Yes"),
                       f.SkipVRMValidation ? QStringLiteral("Yes") : QStringLiteral("No"),
                       f.IntermediaryId,
                       f.EnquirerId,
                       f.EnquirerName,
                       f.EnquiryCode,
                       f.EnquiryCodeDesc}
        .join(Tab);
}
