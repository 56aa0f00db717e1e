#include "service/NevixMessageTypes.h"

bool IsValidNevixMessageType(const QString& MessageType)
{
    using namespace NevixMessageTypes;
    for (const QString* known :
         {&VQ3Enquiry, &VQ7AvailableRequest, &VQ7Request, &VQ7Complete, &DEBRequest, &DEBComplete,
          &EnquirerRequest, &ChangePassword, &SeedVQ7CtrlRef, &SeedDebCtrlRef, &CommsTest, &SMRequest,
          &SMComplete}) {
        if (MessageType == *known)
            return true;
    }
    return false;
}

QString NevixMessageVersionFor(const QString& MessageType)
{
    return MessageType == NevixMessageTypes::VQ7Request ? QStringLiteral("2.0") : QStringLiteral("1.0");
}
