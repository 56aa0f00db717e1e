#include "maintenance/DatabaseRoutines.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/GlobalDeclarations.h"
#include "core/LoggingGlobals.h"
#include "core/NumericText.h"
#include "core/WorkInProgress.h"
#include "database/CDataBase.h"
#include "database/ErrorPersist.h"
#include "database/LogLines.h"
#include "database/SqliteError.h"
#include "database/SysParameters.h"
#include "maintenance/MaintenanceLog.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const QString CutOffSource = QStringLiteral("CalculateCutOffDate");

// A whole number of periods, rounded as the original's integer conversion
// rounds (halves to even).
int16_t TermCount(const QVariant& term)
{
    double value = 0;
    bool ok = true;
    if (term.typeId() == QMetaType::QString) {
        ok = IsNumericText(term.toString());
        value = ok ? Val(term.toString()) : 0;
    } else if (!term.isNull()) {
        value = term.toDouble(&ok);
    }
    if (!ok)
        throw NevixError(ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch"), CutOffSource);
    value = std::nearbyint(value);
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw NevixError::Overflow(CutOffSource);
    return int16_t(value);
}

QDate CutOffFrom(const QDate& today, const QString& unit, int16_t count)
{
    // No term, or one below a period, keeps a period: a cut-off of today or
    // later would remove everything.
    const int periods = std::max<int>(count, 1);
    const QString kind = unit.toUpper();
    if (kind == QLatin1String("DAY"))
        return today.addDays(-periods);
    if (kind == QLatin1String("WEEK"))
        return today.addDays(-7 * periods);
    return today.addMonths(-periods);
}

template <typename Work>
int32_t CountOrWarn(const QString& failureMessage, Work&& work)
{
    try {
        return work();
    } catch (...) {
        ErrorPersist error;
        error.Load();
        TellUserWarning(failureMessage, error.Description());
        return 0;
    }
}

} // namespace

void GetMaintenanceTermAndPeriod(CDataBase& db, const QString& Kind, QString& Period, int16_t& Term)
{
    SysParameters parameters;
    parameters.SetDataSource(&db);
    parameters.Load();
    if (Kind == QLatin1String("VQ3")) {
        Period = parameters.VQ3MaintenancePeriod();
        Term = parameters.VQ3MaintenanceTerm();
    } else if (Kind == QLatin1String("VQ7")) {
        Period = parameters.VQ7MaintenancePeriod();
        Term = parameters.VQ7MaintenanceTerm();
    } else if (Kind == QLatin1String("DEB")) {
        Period = parameters.DEBMaintenancePeriod();
        Term = parameters.DEBMaintenanceTerm();
    } else if (Kind == QLatin1String("LOG")) {
        Period = parameters.TransLogMaintenancePeriod();
        Term = parameters.TransLogMaintenanceTerm();
    }
}

QDate CalculateCutOffDate(CDataBase& db, const QVariant& Period, const QVariant& Term, const QVariant& Kind)
{
    QString unit;
    int16_t count = 0;
    if (Period.isValid() || Term.isValid() || !Kind.isValid()) {
        unit = Period.isValid() ? Period.toString() : QString();
        count = Term.isValid() ? TermCount(Term) : 0;
    } else {
        GetMaintenanceTermAndPeriod(db, Kind.toString(), unit, count);
    }
    return CutOffFrom(AppContext::Current().clock().Today(), unit, count);
}

QDate CutOffDateFor(CDataBase& db, const RetentionTerm& retention, const QString& Kind)
{
    if (retention.Given())
        return CalculateCutOffDate(db, retention.Period, retention.Term, QVariant());
    return CalculateCutOffDate(db, QVariant(), QVariant(), Kind);
}

int32_t CountOldResponses(CDataBase& db)
{
    return CountOrWarn(QStringLiteral("Unable to get VQ7 Maintenance counts"), [&db] {
        const QDate cutOff = CutOffDateFor(db, {}, QStringLiteral("VQ7"));
        VQ7Responses responses;
        responses.SetDataSource(&db, Settings().RunInTestMode());
        return responses.RemoveResponses(cutOff, true);
    });
}

int32_t CountOldEnquiries(CDataBase& db)
{
    return CountOrWarn(QStringLiteral("Unable to get VQ3 Maintenance counts"), [&db] {
        const QDate cutOff = CutOffDateFor(db, {}, QStringLiteral("VQ3"));
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&db, Settings().RunInTestMode());
        return enquiries.CountCompleteEnquiries(cutOff) + enquiries.CountIncompleteEnquiries(cutOff);
    });
}

bool TableMaintenance(CDataBase& db, const MaintenanceTerms& terms, std::shared_ptr<LogLines>& Logger,
                      bool SkipCompact, const QString& UserName)
{
    // Asked before the run's write transaction opens, so that no other
    // installation waits on the file while the question is on the screen.
    const std::optional<bool> removeIncomplete = AskToRemoveIncompleteEnquiries(db, terms.VQ3);
    const QString description = ProcessCodeDescription(ProcessCodes::TBLMAINT);
    std::shared_ptr<LogLines> log = Logger;
    WorkInProgress wait;
    bool allWorked = true;
    bool committed = false;
    try {
        db.BeginTrans();
        wait.Show(QStringLiteral("Data maintenance in progress"));
        if (log) {
            log->AddToLog(MaintenanceEvent::Note, description);
        } else {
            log = std::make_shared<LogLines>();
            log->SetDataSource(&db);
            log->BeginLogging(ProcessCodes::TBLMAINT, description, UserName);
        }
        log->AddToLog(MaintenanceEvent::Note,
                      QStringLiteral("Maintenance running in ") + ProgramRunningModeDesc() + QStringLiteral(" mode"));
        // Every step runs, whatever the one before it did.
        allWorked = RemoveOldEnquiries(db, *log, terms.VQ3, removeIncomplete) && allWorked;
        log->Apply();
        allWorked = RemoveOldResponses(db, *log, terms.VQ7) && allWorked;
        log->Apply();
        allWorked = RemoveOldDebitStatements(db, *log, terms.DEB) && allWorked;
        log->Apply();
        allWorked = RemoveOldLogLines(db, *log, terms.LOG) && allWorked;
        db.CommitTrans();
        committed = true;
        if (!SkipCompact) {
            log->AddToLog(MaintenanceEvent::Note, QStringLiteral("Compacting the database"));
            db.Compact();
            db.Connect();
            log->AddToLog(MaintenanceEvent::Note, QStringLiteral("Compacting done"));
        }
        log->EndLogging();
    } catch (...) {
        ErrorPersist error;
        error.Load();
        db.RollbackAll();
        const QString failed = QStringLiteral("Table maintenance failed because:");
        TellUser(failed, error.Description(), MsgBox::Information);
        // After the commit the removals stand: their lines are kept too.
        if (committed && log) {
            try {
                log->AddToLog(EventCodes::Error, failed + error.Description());
                log->EndLogging();
            } catch (const std::exception&) {
            }
        }
        allWorked = false;
    }
    if (!Logger)
        Logger = log;
    return allWorked;
}
