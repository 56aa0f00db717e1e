#pragma once

// The password every connection to the database file is given.
#include "database/DatabasePassword.h"

class CDataBase;
class TextLogFile;

// Start-up's work on the database. Makes the program-wide connection
// (GlobalDatabase) anew and points it at the file of the setting Database.
// On an installation that owns its database (not a client) it then repairs
// the file when the setting ForceRepair asks, brings an older schema to the
// current one (its lines go to upgradeLog, which is opened for them), and
// does the day's maintenance and compaction.
//
// Raises when start-up cannot go on, after telling the user: the file is
// missing, damaged, of a newer schema than this program's (left untouched),
// or the upgrade failed (rolled back, so it is tried again at the next
// start).
void InitialiseDatabaseAndDoAnyChanges(TextLogFile& upgradeLog);

// The day's start-up work: at the first start of the day, when the system
// parameters ask for it, maintenance under the built-in unattended user and
// compaction; compaction also when compactNow. A compaction that fails is
// logged as a warning and leaves LastAutoCompactDate as it was, so that a
// later start tries again.
void DoStartUpMaintenance(CDataBase& db, bool compactNow, TextLogFile& upgradeLog);
