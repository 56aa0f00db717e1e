#pragma once

// What a start that ends without the program having run tells its caller:
// the program's exit code, one per kind (the README lists them). 0 is a
// normal end, 1 an unattended run that ended with a fatal error.
enum class StartRefusal : int {
    None = 0,
    AlreadyRunning = 3,          // another copy runs on the program folder
    LockFileUnusable = 4,        // the lock file cannot be made or opened
    SettingsFileMissing = 5,     // Nevix.INI cannot be loaded
    DatabaseMissing = 6,         // the database named by the settings is not there
    DatabaseUnusable = 7,        // it cannot be opened, read or written, or is newer
    DatabaseNotInitialised = 8,  // its upgrade or the start-up work failed
    StartCancelled = 9,          // no install mode was chosen
    UnattendedNotPossible = 10,  // /autostart or /immediate where no unattended run can be
};
