#pragma once

#include "platform/Nullable.h"

#include <QVariant>

// A date column's value: the day alone (its time of day is not stored), or
// Null when there is no valid date.
inline QVariant DayOrNull(const NullableDate& value)
{
    return value && value->isValid() ? QVariant(value->date()) : QVariant();
}
