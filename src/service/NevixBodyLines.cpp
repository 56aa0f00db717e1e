#include "service/NevixBodyLines.h"

#include <algorithm>

bool NevixBodyLines::IsDirty() const
{
    return std::any_of(begin(), end(), [](const NevixBodyLine& line) { return line.IsDirty(); });
}
