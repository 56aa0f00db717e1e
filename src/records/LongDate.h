#pragma once

#include "core/VbFormat.h"
#include "platform/Nullable.h"

#include <QString>

// The long date of the listings, in one fixed form whatever the machine's
// settings ("15 March 2024", with the time "15 March 2024 10:30"); empty
// for no date.
inline QString LongDate(const NullableDate& value, bool withTime = false)
{
    if (!value || !value->isValid())
        return {};
    return FormatDateTime(*value, withTime ? QStringLiteral("dd mmmm yyyy hh:nn")
                                           : QStringLiteral("dd mmmm yyyy"));
}
