#pragma once

// The password every connection to the database file is given.
#include "database/DatabasePassword.h"

class CDataBase;
class TextLogFile;

// Which part of the database's start-up stopped it.
enum class DatabaseStartFailure {
    None,
    Missing,        // the file named by the setting Database is not there
    Unusable,       // it cannot be opened, read or written, or is of a newer schema
    NotInitialised, // the upgrade or the day's start-up work failed
};

// Start-up's work on the database. Makes the program-wide connection
// (GlobalDatabase) anew and points it at the file of the setting Database.
// On an installation that owns its database (not a client) it then repairs
// the file when the setting ForceRepair asks, brings an older schema to the
// current one (its lines go to upgradeLog, which is opened for them), and
// does the day's maintenance and compaction.
//
// Raises when start-up cannot go on, after telling the user: the file is
// missing, cannot be written (its folder neither: the journal lies beside
// it), is damaged or not a database, is of a newer schema than this
// program's (left untouched), or the upgrade failed (rolled back, so it is
// tried again at the next start). failure, when given, then tells which.
void InitialiseDatabaseAndDoAnyChanges(TextLogFile& upgradeLog, DatabaseStartFailure* failure = nullptr);

// The day's start-up work: at the first start of the day, when the system
// parameters ask for it, maintenance under the built-in unattended user and
// compaction; compaction also when compactNow. A compaction that fails is
// logged as a warning and leaves LastAutoCompactDate as it was, so that a
// later start tries again.
void DoStartUpMaintenance(CDataBase& db, bool compactNow, TextLogFile& upgradeLog);
