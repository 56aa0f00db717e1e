#pragma once

#include <QString>

class CDataBase;

// The ORDER BY of a screen's load: the table's own column names (or their
// record property spellings, without the underscores), each optionally
// followed by ASC or DESC, separated by ","; anything else (a subquery, a
// second statement) raises "invalid sort order" rather than reaching the SQL.
// Returns the order in the columns' own names.
QString CheckedSortOrder(CDataBase& db, const QString& table, const QString& sortOrder,
                         const QString& source);
