#include "screens/records/Reported.h"

#include "core/AskTellUser.h"
#include "transfer/ExportSteps.h"

bool Reported(const QString& message, const std::function<void()>& action, uint32_t style)
{
    try {
        action();
        return true;
    } catch (...) {
        TellUser(message, CurrentErrorDescription(), style);
        return false;
    }
}
