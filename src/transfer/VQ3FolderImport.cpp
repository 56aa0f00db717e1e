#include "transfer/VQ3FolderImport.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/DiskFunctions.h"
#include "core/Utils.h"
#include "database/ErrorPersist.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "platform/NevixError.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>

namespace {

QString ImportFilePattern()
{
    return QStringLiteral("VQ3*.") + Settings().ImportFileType();
}

// "" when the imported file went into the archive folder, else the reason
// (already logged as fatal).
QString ArchiveFile(const QString& folder, const QString& name, LogLines& log)
{
    const QString archiveFolder = folder + QStringLiteral("Archive");
    if (const QString failure = CheckFolderAccess(archiveFolder, true); !failure.isEmpty()) {
        log.AddToLog(EventCodes::Fatal, QStringLiteral("Could access archive folder (") + archiveFolder +
                                            QStringLiteral(") because:") + failure);
        return failure;
    }
    // An earlier file of the same name is kept: this one takes the next
    // free numbered name. A rename never replaces an existing file.
    const QString first = AddTrailingBackslash(archiveFolder) + name;
    QFile file(folder + name);
    QString archived = first;
    for (int number = 1; QFileInfo::exists(archived) || !file.rename(archived); ++number) {
        if (!QFileInfo::exists(archived)) {
            const QString failure = file.errorString();
            log.AddToLog(EventCodes::Fatal, QStringLiteral("Could not move file to archive (") + archived +
                                                QStringLiteral(") because:") + failure);
            return failure;
        }
        archived = NumberedFileName(first, number);
    }
    return {};
}

} // namespace

void ImportVQ3FilesFromFolder(const QString& folderIn, const QString& enquirerId, LogLines& log,
                              TransmissionResults& results, ImportProgress* progress, const ImportSeams& seams)
{
    const QString folder = AddTrailingBackslash(folderIn);
    const QString pattern = ImportFilePattern();
    const QStringList names = QDir(ToForwardSlashes(folder)).entryList({pattern}, QDir::Files, QDir::Unsorted);
    log.AddToLog(EventCodes::Information, QString::number(names.size()) + QStringLiteral(" import files using ") +
                                              folder + pattern);

    const int16_t mode = Settings().ProgramRunningMode();
    const auto lockSettle = std::chrono::milliseconds(std::clamp(seams.settleMilliseconds, 0, 100));
    for (const QString& name : names) {
        if (!results.FatalVQ3ImportErrorMessage().isEmpty() || results.UserCancelled())
            break;
        const QString path = folder + name;
        if (!FileCanBeOpened(path, lockSettle)) {
            log.AddToLog(EventCodes::Communication, NotAccessibleText(path));
            continue;
        }
        TransmissionResults fileResults;
        // A file still being written stays where it is, logged as locked.
        if (!ImportVQ3FromFile(path, progress, log, mode == RunningMode::Interactive, fileResults, enquirerId,
                               seams))
            continue;
        if (fileResults.FatalVQ3ImportErrorMessage().isEmpty() && !fileResults.UserCancelled()) {
            if (mode == RunningMode::Automatic) {
                if (const QString failure = DeleteFileChecked(path); !failure.isEmpty()) {
                    const QString text =
                        QStringLiteral("Could not delete ") + path + QStringLiteral(" because:") + failure;
                    log.AddToLog(EventCodes::Fatal, text);
                    fileResults.SetFatalVQ3ImportErrorMessage(text);
                }
            } else if (const QString failure = ArchiveFile(folder, name, log); !failure.isEmpty()) {
                fileResults.SetFatalVQ3ImportErrorMessage(failure);
            }
        }
        results.CopyVQ3Results(fileResults);
    }
}

void RunEnquiryFileImport(LogLines& log, TransmissionResults& results, ImportProgress* progress,
                          const ImportSeams& seams)
{
    const int16_t mode = Settings().ProgramRunningMode();
    if (mode != RunningMode::Automatic && !(mode == RunningMode::Interactive && Settings().AutomateImport()))
        return;
    try {
        const std::shared_ptr<User> user = GetCurrentUser();
        if (!user)
            throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No user is logged on"),
                             QStringLiteral("RunEnquiryFileImport"));
        const std::shared_ptr<Enquirers> enquirers = user->Enquirers();
        for (const Enquirers::Pointer& enquirer : *enquirers) {
            TransmissionResults enquirerResults;
            if (!enquirer->ImportFolder().trimmed().isEmpty()) {
                ImportVQ3FilesFromFolder(AddTrailingBackslash(AppRelativePath(enquirer->ImportFolder())),
                                         enquirer->EnquirerId(), log, enquirerResults, progress, seams);
            } else {
                log.AddToLog(EventCodes::Warning,
                             enquirer->Name() +
                                 QStringLiteral(" not imported because there is no import folder specified."));
                enquirerResults.SetVQ3ImportWarnings(1);
            }
            results.CopyVQ3Results(enquirerResults);
            if (results.HaveFatalErrors())
                break;
        }
    } catch (...) {
        ErrorPersist failure;
        failure.Load(std::current_exception());
        TellUserWarning(QStringLiteral("Unable to run equiry file import because:"), failure.Description());
        results.SetFatalVQ3ImportErrorMessage(failure.Description());
    }
}
