#include "database/SaveLogToFile.h"

#include "core/AskTellUser.h"
#include "core/AtomicFile.h"
#include "core/DiskFunctions.h"
#include "core/Utils.h"
#include "core/VbFormat.h"
#include "platform/AppContext.h"

void SaveLogToFile(const std::vector<std::shared_ptr<LogLine>>& lines)
{
    const QString path = RemoveTrailingBackslash(AppRelativePath(QStringLiteral("+"))) +
                         QStringLiteral("/Log-") +
                         FormatDateTime(AppContext::Current().clock().Now(),
                                        QStringLiteral("yyyymmddhhnnss")) +
                         QStringLiteral(".log");
    // Written beside the target and renamed over it: a failed save leaves
    // an earlier file of that name whole.
    AtomicFile file(path);
    bool saved = file.Open();
    for (const auto& line : lines) {
        if (!saved)
            break;
        saved = file.WriteAll((line->ToString(QStringLiteral("\t")) + QStringLiteral("\r\n")).toUtf8());
    }
    if (!saved || !file.Commit()) {
        TellUserWarning(QStringLiteral("Error saving log file"), path + QStringLiteral(": ") + file.errorString());
        return;
    }
    TellUser(QStringLiteral("Log saved to: "), path, MsgBox::Information);
}
