#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>

class CDataBase;
class LogLines;

// Data maintenance: removal of the records older than a retention term per
// record kind, recorded in the transmission log under "TBLMAINT".
//
// A value left invalid (QVariant()) is one the caller does not give.

// The retention of one record kind as a caller gives it: a period ("Day",
// "Week", anything else months) and a count of periods. Without a term the
// system parameters' pair is used, whatever the period.
struct RetentionTerm {
    QVariant Period;
    QVariant Term;

    bool Given() const { return Term.isValid(); }
};

struct MaintenanceTerms {
    RetentionTerm VQ3;
    RetentionTerm VQ7;
    RetentionTerm DEB;
    RetentionTerm LOG;
};

// One run over the four record kinds in one transaction, each removal step
// in a savepoint of its own: a step that fails is undone, reported and
// logged, and the steps that worked are committed. Logger: the caller's
// run to log into, or none (a run of its own is logged under UserName and
// handed back through Logger). True when every step worked.
bool TableMaintenance(CDataBase& db, const MaintenanceTerms& terms, std::shared_ptr<LogLines>& Logger,
                      bool SkipCompact, const QString& UserName);

// What the main menu warns of: records that maintenance would remove
// under the system parameters' terms (0 after a warning when the count
// fails).
int32_t CountOldResponses(CDataBase& db);
int32_t CountOldEnquiries(CDataBase& db);

// The removal steps. Each logs into the run, reports its own failure and
// returns false. removeIncomplete: the answer to the question about
// enquiries that had no response, when it was asked before the run;
// without it the question is asked only outside any transaction.
bool RemoveOldEnquiries(CDataBase& db, LogLines& log, const RetentionTerm& retention,
                        std::optional<bool> removeIncomplete = std::nullopt);
bool RemoveOldResponses(CDataBase& db, LogLines& log, const RetentionTerm& retention);
bool RemoveOldDebitStatements(CDataBase& db, LogLines& log, const RetentionTerm& retention);
bool RemoveOldLogLines(CDataBase& db, LogLines& log, const RetentionTerm& retention);

// Asks whether the enquiries without a response that are past their term
// should go, when the setting RemoveNonResponses asks for a question, the
// program runs attended and there are some. No value when nobody was asked.
std::optional<bool> AskToRemoveIncompleteEnquiries(CDataBase& db, const RetentionTerm& retention);

// The system parameters' term and period of a record kind ("VQ3", "VQ7",
// "DEB", "LOG"); any other kind leaves both as they are.
void GetMaintenanceTermAndPeriod(CDataBase& db, const QString& Kind, QString& Period, int16_t& Term);

// The cut-off of a record kind ("VQ3", "VQ7", "DEB", "LOG"): from the
// caller's term when given, else from the system parameters.
QDate CutOffDateFor(CDataBase& db, const RetentionTerm& retention, const QString& Kind);

// Today less Term periods (0 or less counts as 1); months keep the day of
// the month, clipped to the end of a shorter month. With neither Period nor
// Term but a Kind, the kind's pair from the system parameters. A Term that
// is no number raises a type mismatch.
QDate CalculateCutOffDate(CDataBase& db, const QVariant& Period, const QVariant& Term,
                          const QVariant& Kind);
