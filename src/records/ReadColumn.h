#pragma once

#include "database/RecordSet.h"

#include <QLatin1String>

// A column of the current row into a field when it is not Null; a Null
// column leaves the field as it was.
template <typename T, typename Read>
void ReadColumn(const RecordSet& rs, const char* column, T& into, Read read)
{
    if (const auto value = (rs.*read)(QLatin1String(column)))
        into = T(*value);
}

inline void ReadText(const RecordSet& rs, const char* column, QString& into)
{
    ReadColumn(rs, column, into, &RecordSet::Text);
}
