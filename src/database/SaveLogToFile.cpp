#include "database/SaveLogToFile.h"

#include "core/AskTellUser.h"
#include "core/DiskFunctions.h"
#include "core/Utils.h"
#include "core/VbFormat.h"
#include "platform/AppContext.h"

#include <QSaveFile>

void SaveLogToFile(const std::vector<std::shared_ptr<LogLine>>& lines)
{
    const QString path = RemoveTrailingBackslash(AppRelativePath(QStringLiteral("+"))) +
                         QStringLiteral("/Log-") +
                         FormatDateTime(AppContext::Current().clock().Now(),
                                        QStringLiteral("yyyymmddhhnnss")) +
                         QStringLiteral(".log");
    // Written beside the target and renamed over it: a failed save leaves
    // an earlier file of that name whole.
    QSaveFile file(path);
    bool saved = file.open(QIODevice::WriteOnly);
    for (const auto& line : lines) {
        if (!saved)
            break;
        saved = file.write((line->ToString(QStringLiteral("\t")) + QStringLiteral("\r\n")).toUtf8()) >= 0;
    }
    if (!saved || !file.commit()) {
        TellUserWarning(QStringLiteral("Error saving log file"), file.errorString());
        return;
    }
    TellUser(QStringLiteral("Log saved to: "), path, MsgBox::Information);
}
