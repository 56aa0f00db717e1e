#pragma once

#include <QString>

// The orders in which the enquiry list is loaded and how its headings say
// so. An empty order is the list's default (date of event, then mark).
namespace EnquiryListOrder {

// "VRM/VIN", "VRM/VIN (A..Z)" or "VRM/VIN (Z..A)" for the order loaded.
QString VrmHeading(const QString& sortOrder);
// "Date of Event" with the same marks.
QString DateHeading(const QString& sortOrder);

// The orders of a click on the "VRM/VIN" or the "Date of Event" heading.
QString ByVrm(bool ascending);
QString ByDateOfEvent(bool ascending);

} // namespace EnquiryListOrder
