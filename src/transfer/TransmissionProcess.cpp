#include "transfer/TransmissionProcess.h"

#include "core/ApplicationSettings.h"
#include "core/PreservePointer.h"
#include "database/CommsLock.h"
#include "database/ErrorPersist.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "platform/NevixError.h"
#include "service/ExchangeSupport.h"
#include "service/RequestDebitStatementsFromNevixServer.h"
#include "service/RequestVehicleResponsesFromNevixServer.h"
#include "service/SendVehicleEnquiriesToNevixServer.h"
#include "transfer/DEBUtils.h"
#include "transfer/VQ3FolderImport.h"
#include "transfer/VQ7Utils.h"

#include <exception>

namespace {

bool runUnderWay = false;

// Interactive runs import and export responses only when asked to.
bool RunsAutomatedStep()
{
    return Settings().ProgramRunningMode() != RunningMode::Interactive || Settings().AutomateImport();
}

void RunLocked(LogLines& log, TransmissionResults& results, bool withImport, const QString& what)
{
    if (runUnderWay) {
        // Refused as a lock held elsewhere is: the run under way holds it.
        const QString text = QStringLiteral("Could not lock the communications to run ") + what;
        log.AddToLog(EventCodes::Warning, text);
        results.SetFatalVQ3ErrorMessage(text);
        return;
    }
    runUnderWay = true;
    struct RunEnds {
        ~RunEnds() { runUnderWay = false; }
    } runEnds;
    const QString userName = CurrentUserName();
    CommsLock lock;
    lock.SetRunLog(&log);
    std::exception_ptr error;
    {
        PreservePointer pointer;
        try {
            lock.AquireCommsLock(userName, &GlobalDatabase());
            pointer.SetGlobalHourGlass();
            if (withImport && RunsAutomatedStep())
                RunEnquiryFileImport(log, results);
            if (!withImport || results.FatalVQ3ImportErrorMessage().isEmpty())
                DoTransmissionAndExportInt(log, results);
        } catch (...) {
            error = std::current_exception();
        }
    }

    ClosingSection closing(withImport ? QStringLiteral("DoImportTransmissionAndExport")
                                      : QStringLiteral("DoTransmissionAndExport"));
    closing.Run([&] {
        SavedError().Load(error);
        QString text;
        int32_t event = EventCodes::Error;
        if (SavedError().Number() == ErrorNumbers::LockNotAcquired) {
            text = QStringLiteral("Could not lock the communications to run ") + what;
            event = EventCodes::Warning;
        } else if (error) {
            text = QStringLiteral("Error running ") + what + QStringLiteral(":") + SavedError().Description();
        }
        if (!text.isEmpty()) {
            log.AddToLog(event, text);
            results.SetFatalVQ3ErrorMessage(text);
        }
    });
    closing.ReleaseLock(lock, log, userName);
}

} // namespace

void DoImportTransmissionAndExport(LogLines& log, TransmissionResults& results)
{
    RunLocked(log, results, true, QStringLiteral("Import, Transmission and Export"));
}

void DoTransmissionAndExport(LogLines& log, TransmissionResults& results)
{
    RunLocked(log, results, false, QStringLiteral("Transmission and Export"));
}

void DoTransmissionAndExportInt(LogLines& log, TransmissionResults& results)
{
    if (results.HaveFatalErrors())
        return;
    log.AddToLog(EventCodes::Information, QStringLiteral("DoTransmissionAndExportInt DoTransmissionProcess1"));
    DoTransmissionProcess1(log, results);
    if (!results.HaveFatalErrors()) {
        log.AddToLog(EventCodes::Information, QStringLiteral("DoTransmissionAndExportInt exporting any VQ7"));
        if (RunsAutomatedStep())
            ExportVQ7s(GlobalDatabase(), log, results);
    }
    if (results.HaveFatalErrors())
        return;
    log.AddToLog(EventCodes::Information, QStringLiteral("DoTransmissionAndExportInt DoTransmissionProcess2"));
    DoTransmissionProcess2(log, results);
    // Statements already stored go out even when the exchange failed.
    if (Settings().ProgramRunningMode() != RunningMode::Interactive)
        ExportDebsForUserEnquirers(GlobalDatabase(), log, results);
}

void DoTransmissionProcess1(LogLines& log, TransmissionResults& results)
{
    if (!results.HaveFatalErrors())
        SendVehicleEnquiriesToNevixServer(log, results);
    if (!results.HaveFatalErrors())
        RequestVehicleResponsesFromNevixServer(log, results);
}

void DoTransmissionProcess2(LogLines& log, TransmissionResults& results)
{
    if (!results.HaveFatalErrors())
        RequestDebitStatementsFromNevixServer(log, results);
}
