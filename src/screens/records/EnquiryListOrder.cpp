#include "screens/records/EnquiryListOrder.h"

namespace EnquiryListOrder {

namespace {
QString Marked(const QString& heading, const QString& sortOrder, const QString& column)
{
    if (sortOrder.startsWith(column + QStringLiteral(" desc"), Qt::CaseInsensitive))
        return heading + QStringLiteral(" (Z..A)");
    if (sortOrder.startsWith(column, Qt::CaseInsensitive))
        return heading + QStringLiteral(" (A..Z)");
    return heading;
}
} // namespace

QString VrmHeading(const QString& sortOrder)
{
    return Marked(QStringLiteral("VRM/VIN"), sortOrder, QStringLiteral("vrm"));
}

QString DateHeading(const QString& sortOrder)
{
    return Marked(QStringLiteral("Date of Event"), sortOrder, QStringLiteral("date_of_Event"));
}

QString ByVrm(bool ascending)
{
    return ascending ? QStringLiteral("vrm asc, date_of_Event") : QStringLiteral("vrm desc, date_of_Event");
}

QString ByDateOfEvent(bool ascending)
{
    return ascending ? QStringLiteral("date_of_Event asc, vrm") : QStringLiteral("date_of_Event desc, vrm");
}

} // namespace EnquiryListOrder
