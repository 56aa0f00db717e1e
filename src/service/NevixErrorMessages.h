#pragma once

#include "service/NevixErrorMessage.h"
#include "service/OneBasedList.h"

class DelimitedString;

// The errors of one answer, in the order found.
class NevixErrorMessages : public OneBasedList<NevixErrorMessage> {
public:
    // One error per word, each word the text of one ErrorMessage element
    // read for its ErrorCode and ErrorDescription.
    void AddFromElementList(const DelimitedString& ElementList);
};
