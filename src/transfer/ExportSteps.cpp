#include "transfer/ExportSteps.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/AskTellUser.h"
#include "database/CDataBase.h"
#include "database/ErrorPersist.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "platform/NevixError.h"
#include "transfer/ExportFile.h"
#include "transfer/ExportProgress.h"
#include "transfer/PendingExports.h"

namespace {
std::function<void(ExportStep)>& StepHook()
{
    static std::function<void(ExportStep)> hook;
    return hook;
}
} // namespace

void ReachExportStep(ExportStep step)
{
    if (StepHook())
        StepHook()(step);
}

void SetExportStepHook(std::function<void(ExportStep)> hook)
{
    StepHook() = std::move(hook);
}

bool FinishExport(ExportFile& file, ExportProgress* progress, LogLines& log,
                  TransmissionResults& results, AppendFatal appendFatal, bool cancelled,
                  const std::exception_ptr& error, const QString& procedure)
{
    bool stands = !error && !cancelled;
    try {
        if (error)
            SavedError().Load(error);
        if (!stands) {
            if (cancelled)
                results.SetUserCancelled(true);
            const QString failure = file.Undo();
            if (!failure.isEmpty()) {
                (results.*appendFatal)(failure);
                log.AddToLog(EventCodes::Error, failure + u'(' + file.Path() + u')');
            }
        }
        if (error) {
            log.AddToLog(EventCodes::Error, SavedError().Description());
            (results.*appendFatal)(SavedError().Description());
        }
        if (progress)
            progress->Finish();
    } catch (...) {
        const QString description = CurrentErrorDescription();
        const QString text = QStringLiteral("Error reported in error handler of ") + procedure +
                             QStringLiteral(".  Data is probably unreliable");
        TellUserCritical(text + u'.', description);
        (results.*appendFatal)(text + QStringLiteral(": ") + description);
        stands = false;
    }
    return stands;
}

void SaveWithFile(CDataBase* db, const std::function<void()>& apply, ExportFile& file)
{
    if (!db) {
        file.Commit();
        file.Keep();
        file.Name();
        return;
    }
    db->BeginTrans();
    try {
        apply();
        file.Commit();
        if (file.IsCommitted())
            AddPendingExport(*db, file);
        ReachExportStep(ExportStep::FileWhole);
    } catch (...) {
        try {
            db->Rollback();
        } catch (...) {
        }
        throw;
    }
    CommitExport(*db, &file);
}

void CommitExport(CDataBase& db, ExportFile* file)
{
    db.CommitTrans();
    if (db.IsInTransaction() || !file || !file->IsCommitted() || file->IsKept())
        return;
    file->Keep();
    ReachExportStep(ExportStep::MarksCommitted);
    file->Name();
    ReachExportStep(ExportStep::FileNamed);
    RemovePendingExport(db, *file);
}

void LogNamedFile(const ExportFile& file, LogLines& log)
{
    if (file.NamedPath().isEmpty() || file.NamedPath() == file.Path())
        return;
    log.AddToLog(EventCodes::Information, QStringLiteral("The name ") + file.Path() +
                                              QStringLiteral(" was taken meanwhile, so the export file is ") +
                                              file.NamedPath());
}

std::shared_ptr<Enquirers> UserEnquirers()
{
    const std::shared_ptr<User> user = GetCurrentUser();
    if (!user)
        throw NevixError(ErrorNumbers::InvalidArgument, QStringLiteral("No user is logged on"));
    return user->Enquirers();
}

QString CurrentErrorDescription()
{
    ErrorPersist error;
    error.Load(std::current_exception());
    return error.Description();
}
