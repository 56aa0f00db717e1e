// The removal steps of a maintenance run, one record kind each.
#include "maintenance/DatabaseRoutines.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/GlobalDeclarations.h"
#include "core/VbFormat.h"
#include "core/WorkInProgress.h"
#include "database/CDataBase.h"
#include "database/ErrorPersist.h"
#include "database/SavepointGuard.h"
#include "maintenance/MaintenanceLog.h"
#include "platform/LocalTime.h"
#include "platform/UserInteraction.h"
#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

#include <functional>

namespace {
struct StepTexts {
    const char* wait;
    const char* failure;   // the warning's message
    const char* logPrefix; // the error line, before the description
};

constexpr StepTexts EnquiryStep{"Enquiry maintenance in progress",
                                "An error occurred while attempting to delete old enquiries.",
                                "Error removing VQ3: "};
constexpr StepTexts ResponseStep{"Response maintenance in progress",
                                 "An error occurred while attempting to delete old enquiry responses.",
                                 "Error reported removing VQ7s "};
constexpr StepTexts StatementStep{"Debit Statement maintenance in progress",
                                  "An error occurred while attempting to delete old Debit Statements.",
                                  "Error reported removing Debit Statements "};
constexpr StepTexts LogLineStep{"Response maintenance in progress",
                                "An error occurred while attempting to delete old transmission log events.",
                                "Error reported removing log lines "};

QString DayText(const QDate& day)
{
    return FormatDateTime(LocalDateTime(day, QTime(0, 0)), QStringLiteral("dd-mmm-yyyy"));
}

void Note(LogLines& log, const QString& text)
{
    log.AddToLog(MaintenanceEvent::Note, text);
}

void Counted(LogLines& log, int32_t count, const char* what)
{
    log.AddToLog(MaintenanceEvent::Count, QString::number(count) + QLatin1String(what));
}

// One step in a savepoint of its own: when it fails, its removals are
// undone, the lines it logged go (they would tell of removals that did not
// happen), and the failure is shown and logged; the run goes on.
bool RunStep(CDataBase& db, LogLines& log, const StepTexts& texts, const std::function<void()>& work)
{
    WorkInProgress wait;
    wait.Show(QLatin1String(texts.wait));
    const int32_t linesBefore = log.Count();
    ErrorPersist error;
    try {
        SavepointGuard step(db);
        work();
        step.Release();
        return true;
    } catch (...) {
        error.Load();
    }
    while (log.Count() > linesBefore)
        log.Remove(log.Count());
    TellUserWarning(QLatin1String(texts.failure),
                    QString::number(error.Number()) + QStringLiteral(" - ") + error.Description());
    log.AddToLog(EventCodes::Error, QLatin1String(texts.logPrefix) + error.Description());
    return false;
}

// Whether the incomplete enquiries found go, by the setting and, where it
// asks for a question, by the answer given before the run.
bool RemoveIncomplete(LogLines& log, const std::optional<bool>& answer)
{
    const QString action = Settings().RemoveNonResponsesAction();
    Note(log, QStringLiteral("Removal action for incomplete enquiries is: ") + action);
    const QString upper = action.toUpper();
    if (upper == QLatin1String("YES"))
        return true;
    if (upper == QLatin1String("NO"))
        return false;
    if (!answer) {
        Note(log, QStringLiteral("User not asked in ") + ProgramRunningModeDesc() +
                      QStringLiteral(" mode - incomplete Enquiries kept"));
        return false;
    }
    Note(log, QStringLiteral("User elected to remove: ") + (*answer ? QStringLiteral("YES") : QStringLiteral("NO")));
    return *answer;
}

bool AsksQuestion(const QString& action)
{
    const QString upper = action.toUpper();
    return upper != QLatin1String("YES") && upper != QLatin1String("NO");
}
} // namespace

std::optional<bool> AskToRemoveIncompleteEnquiries(CDataBase& db, const RetentionTerm& retention)
{
    // Unattended, nobody could answer: the enquiries stay, and the run says so.
    if (!AsksQuestion(Settings().RemoveNonResponsesAction()) ||
        Settings().ProgramRunningMode() == RunningMode::Automatic)
        return std::nullopt;
    QDate cutOff;
    int32_t found = 0;
    try {
        cutOff = CutOffDateFor(db, retention, QStringLiteral("VQ3"));
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&db, Settings().RunInTestMode());
        found = enquiries.CountIncompleteEnquiries(cutOff);
    } catch (const std::exception&) {
        return std::nullopt; // the step meets the same error and reports it
    }
    if (found == 0)
        return std::nullopt;
    return AskUser(QString::number(found) +
                       QStringLiteral(" enquiries with no DVLA response and an entry date prior to ") +
                       DayText(cutOff),
                   QStringLiteral("have been found. Do you want to remove these?"), MsgBox::YesNo,
                   MsgBox::AnswerNo) == MsgBox::AnswerYes;
}

bool RemoveOldEnquiries(CDataBase& db, LogLines& log, const RetentionTerm& retention,
                        std::optional<bool> removeIncomplete)
{
    if (!removeIncomplete && !db.IsInTransaction())
        removeIncomplete = AskToRemoveIncompleteEnquiries(db, retention);
    return RunStep(db, log, EnquiryStep, [&] {
        const QDate cutOff = CutOffDateFor(db, retention, QStringLiteral("VQ3"));
        Note(log, QStringLiteral("Removing Enquiry (VQ3) records older than ") + DayText(cutOff));
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&db, Settings().RunInTestMode());
        const int32_t complete = enquiries.RemoveCompleteEnquiries(cutOff);
        Counted(log, complete, " complete Enquiries removed");
        const int32_t found = enquiries.CountIncompleteEnquiries(cutOff);
        Note(log, QString::number(found) + QStringLiteral(" incomplete Enquiries found"));
        int32_t incomplete = 0;
        if (found > 0 && RemoveIncomplete(log, removeIncomplete)) {
            incomplete = enquiries.RemoveIncompleteEnquiries(cutOff);
            Counted(log, incomplete, " incomplete Enquiries removed");
        }
        Counted(log, complete + incomplete, " Enquiries removed");
    });
}

bool RemoveOldResponses(CDataBase& db, LogLines& log, const RetentionTerm& retention)
{
    return RunStep(db, log, ResponseStep, [&] {
        const QDate cutOff = CutOffDateFor(db, retention, QStringLiteral("VQ7"));
        Note(log, QStringLiteral("Removing Responses (VQ7) records older than ") + DayText(cutOff));
        VQ7Responses responses;
        responses.SetDataSource(&db, Settings().RunInTestMode());
        Counted(log, responses.RemoveResponses(cutOff, false), " Responses (VQ7) removed");
    });
}

bool RemoveOldDebitStatements(CDataBase& db, LogLines& log, const RetentionTerm& retention)
{
    return RunStep(db, log, StatementStep, [&] {
        DebitStatements statements;
        statements.SetDataSource(&db, Settings().RunInTestMode());
        const QDate cutOff = CutOffDateFor(db, retention, QStringLiteral("DEB"));
        Note(log, QStringLiteral("Removing Debit statement records older than ") + DayText(cutOff));
        Counted(log, statements.RemoveStatements(cutOff), " Debit statements removed");
    });
}

bool RemoveOldLogLines(CDataBase& db, LogLines& log, const RetentionTerm& retention)
{
    // Log lines are the same in test mode and live.
    return RunStep(db, log, LogLineStep, [&] {
        const QDate cutOff = CutOffDateFor(db, retention, QStringLiteral("LOG"));
        LogLines old;
        old.SetDataSource(&db);
        Note(log, QStringLiteral("Removing Log lines older than ") + DayText(cutOff));
        Counted(log, old.RemoveLogLines(LocalDateTime(cutOff, QTime(0, 0))), " Log lines removed");
    });
}
