#include "transfer/VQ7Utils.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/DiskFunctions.h"
#include "core/JuxUtils.h"
#include "core/LoggingGlobals.h"
#include "core/Utils.h"
#include "database/DatabaseMark.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "records/VQ7Responses.h"
#include "transfer/ExportFile.h"
#include "transfer/ExportProgress.h"
#include "transfer/ExportRecordWriter.h"
#include "transfer/ExportSteps.h"
#include "transfer/PendingExports.h"
#include "transfer/VQ7ExportLines.h"

#include <QFileInfo>

#include <optional>

namespace {
// Which responses the run's export takes: those for the automatic export or
// the others; none when the run exports nothing.
std::optional<bool> RunTakesAutoExport()
{
    const int16_t mode = Settings().ProgramRunningMode();
    if (Settings().AutomateImport() && mode == RunningMode::Interactive)
        return true;
    if (mode == RunningMode::Automatic)
        return false;
    return std::nullopt;
}

void ExportForEnquirer(const Enquirer& enquirer, VQ7Responses& responses, bool forAutoExport,
                       const QString& mark, int32_t& sequence, LogLines& log, TransmissionResults& interim,
                       const SysParameters& parameters)
{
    log.AddToLog(EventCodes::Communication,
                 QStringLiteral("Doing VQ7 export for enquirer ") + enquirer.Name());
    if (enquirer.ExportFolder().isEmpty()) {
        log.AddToLog(EventCodes::Warning, QStringLiteral("No Export path is available for ") +
                                              enquirer.Name() +
                                              QStringLiteral(" so no Responses were exported"));
        interim.SetVQ7ExportWarnings(1);
        return;
    }
    TidyExportFolder(*responses.DataSource(), mark, AppRelativePath(enquirer.ExportFolder()), log);
    // A name is taken before the responses are loaded, so an enquirer
    // without responses still uses a sequence number.
    const QString name = MakeExportFileName(enquirer.ExportFolder(), QStringLiteral("VQ7"), sequence);
    if (!Settings().ExplicitExportSequence())
        sequence = 0;
    if (name.isEmpty()) {
        log.AddToLog(EventCodes::Warning,
                     QStringLiteral("Export path has reached the maximum number of files so no "
                                    "export has been done in ") +
                         enquirer.ExportFolder());
        interim.SetVQ7ExportWarnings(1);
        return;
    }
    responses.LoadExportable({enquirer.EnquirerId()}, forAutoExport);
    if (responses.Count() == 0) {
        log.AddToLog(EventCodes::Information,
                     QStringLiteral("No Responses found to export for this enquirer"));
        return;
    }
    const QString path = AddTrailingBackslash(AppRelativePath(enquirer.ExportFolder())) + name;
    if (ExportVQ7sToJUXFileInt(responses, path, ExportFile::Kind::NewFile, mark, nullptr, log, interim, parameters))
        responses.Apply();
}
} // namespace

void ExportVQ7s(CDataBase& db, LogLines& log, TransmissionResults& results)
{
    try {
        const std::optional<bool> forAutoExport = RunTakesAutoExport();
        if (!forAutoExport)
            return;
        NamePendingExports(db, log);
        SysParameters parameters;
        parameters.SetDataSource(&db);
        parameters.Load();
        VQ7Responses responses;
        responses.SetDataSource(&db, Settings().RunInTestMode());
        const QString mark = DatabaseMark(db);

        int32_t sequence = 0;
        for (const auto& enquirer : *UserEnquirers()) {
            TransmissionResults interim;
            ExportForEnquirer(*enquirer, responses, *forAutoExport, mark, sequence, log, interim,
                              parameters);
            results.CopyVQ7Results(interim);
        }
    } catch (...) {
        const QString description = CurrentErrorDescription();
        log.AddToLog(EventCodes::Error, description);
        results.SetFatalVQ7ExportErrorMessage(
            QStringLiteral(" Error exporting VQ7s (ExportVQ7s) ") + description);
    }
}

void ExportVQ7sToFile(CDataBase& db, const QString& path, LogLines& log,
                      TransmissionResults& results, const QStringList& EnquirerIds,
                      ExportProgress* progress)
{
    const std::shared_ptr<User> user = GetCurrentUser();
    log.BeginLogging(ProcessCodes::VQ7AEX, ProcessCodeDescription(ProcessCodes::VQ7AEX),
                     user ? user->UserName() : QString());
    try {
        NamePendingExports(db, log);
        SysParameters parameters;
        parameters.SetDataSource(&db);
        parameters.Load();
        VQ7Responses responses;
        responses.SetDataSource(&db, Settings().RunInTestMode());
        responses.LoadExportable(EnquirerIds, false);
        const QString mark = DatabaseMark(db);
        TidyExportFolder(db, mark, QFileInfo(path).absolutePath(), log);
        if (ExportVQ7sToJUXFileInt(responses, path, ExportFile::Kind::AppendTo, mark, progress, log, results,
                                   parameters))
            responses.Apply();
    } catch (...) {
        const QString description = CurrentErrorDescription();
        log.AddToLog(EventCodes::Error, description);
        results.SetFatalVQ7ExportErrorMessage(
            QStringLiteral(" Error exporting VQ7s (ExportVQ7sToFile) ") + description);
    }
}

bool ExportVQ7sToJUXFileInt(VQ7Responses& responses, const QString& path, ExportFile::Kind kind,
                            const QString& mark, ExportProgress* progress, LogLines& log,
                            TransmissionResults& results, const SysParameters& parameters)
{
    ExportFile file(path, kind, mark);
    bool cancelled = false;
    std::exception_ptr error;
    try {
        if (progress)
            progress->Start(QStringLiteral("Response Export"), QStringLiteral("Exporting ") + path);
        log.AddToLog(EventCodes::Communication, QStringLiteral("Exporting responses to ") + path);
        const QDateTime today = LocalDateTime(AppContext::Current().clock().Today(), QTime(0, 0));
        int32_t counter = 0;
        for (const auto& response : responses) {
            ++counter;
            if (progress && progress->Step(int(int64_t(counter) * 100 / responses.Count()))) {
                log.AddToLog(EventCodes::Information, QStringLiteral("User Cancelled export"));
                cancelled = true;
                break;
            }
            if (!file.WriteRecord(BuildVQ7ExportLine(*response, parameters)))
                log.AddToLog(EventCodes::Warning,
                             UnwrittenCharactersText(QStringLiteral("the response for ") + response->VRM() +
                                                     QStringLiteral(", reference ") + response->EnquiryReference()));
            response->SetJuxExportedDate(today);
        }
        if (!cancelled) {
            SaveWithFile(responses.DataSource(), [&] { responses.Apply(); }, file);
            LogNamedFile(file, log);
            results.SetVQ7sExported(counter);
            results.SetVQ7FilesExported(1);
            log.AddToLog(EventCodes::Communication,
                         QString::number(counter) + QStringLiteral("VQ7 responses were exported"));
        }
    } catch (...) {
        error = std::current_exception();
    }
    return FinishExport(file, progress, log, results,
                        &TransmissionResults::SetFatalVQ7ExportErrorMessage, cancelled, error,
                        QStringLiteral("ExportVQ7sToJUXFileInt"));
}
