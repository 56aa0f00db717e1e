#pragma once

#include "service/NevixBodyLine.h"
#include "service/OneBasedList.h"

#include <QString>

// The ordered body lines of a request or an answer.
class NevixBodyLines : public OneBasedList<NevixBodyLine> {
public:
    void AddNewBodyLine(const QString& text) { Add(NevixBodyLine(text)); }
    // True when any line was given a text.
    bool IsDirty() const;
};
