#include "service/NevixErrorMessages.h"

#include "core/DelimitedString.h"
#include "records/XMLUtils.h"

void NevixErrorMessages::AddFromElementList(const DelimitedString& ElementList)
{
    for (int32_t i = 1; i <= ElementList.Count(); ++i) {
        const QString element = ElementList.Word(i);
        Add(NevixErrorMessage(ExtractElementValue(QStringLiteral("ErrorCode"), element),
                              ExtractElementValue(QStringLiteral("ErrorDescription"), element)));
    }
}
