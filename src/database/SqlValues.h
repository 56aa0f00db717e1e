#pragma once

#include <QVariant>
#include <QVariantList>

// Values bound to the "?" placeholders of a statement, in order. An invalid
// QVariant is NULL; a bool is stored 1/0; a QDateTime or QDate is stored as
// the text 'YYYY-MM-DD HH:MM:SS' (a date alone at 00:00:00).
using SqlValues = QVariantList;
