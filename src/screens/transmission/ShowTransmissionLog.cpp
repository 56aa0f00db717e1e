#include "screens/transmission/ShowTransmissionLog.h"

#include "core/AskTellUser.h"
#include "database/LogLines.h"
#include "platform/NevixError.h"
#include "screens/transmission/frmTransmissionStatus.h"

void ShowTransmissionLog(QWidget* owner, std::shared_ptr<LogLines> log)
{
    try {
        frmTransmissionStatus window(owner);
        if (log)
            window.SetLog(std::move(log));
        window.InitialiseForm();
        window.exec();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to view the log because:"), e.Description());
    }
}
