#pragma once

#include <QDate>
#include <QString>

class VQ7;

// The dated marker that takes the place of a keeper's name and address:
// "{Anonymised 05-Dec-26}" (English month names).
QString AnonymisedMarker(const QDate& today);

// Overwrites the keeper's name and address of the response (in memory) with
// the marker, blanks the title and post code, and adds a line saying who
// did it, when and why to the comment, keeping its last 255 characters.
void AnonymiseResponse(VQ7& response, const QString& userName, const QDate& today, const QString& reason);
