#pragma once

#include "platform/Nullable.h"

#include <cstdint>

// Enquiries sent and responses received between two days (whole days), in
// the program-wide database and the run's test mode; 0 when a day is missing.
int32_t CountEnquiriesSentInPeriod(const NullableDate& PeriodStart, const NullableDate& PeriodEnd);
int32_t CountResponsesReceivedInPeriod(const NullableDate& PeriodStart, const NullableDate& PeriodEnd);
