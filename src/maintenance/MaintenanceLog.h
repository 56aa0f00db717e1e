#pragma once

#include "database/LogLines.h"

#include <cstdint>

// The event codes of a maintenance run's lines.
namespace MaintenanceEvent {
// What the run is doing.
constexpr int32_t Note = EventCodes::Communication;
// How many records went.
constexpr int32_t Count = EventCodes::Information;
} // namespace MaintenanceEvent
