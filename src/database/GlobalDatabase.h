#pragma once

class CDataBase;

// The program-wide database connection that every record and collection of
// the running program is given. Start-up makes it anew and configures it
// (InitialiseDatabaseAndDoAnyChanges); a use before that creates an
// unconfigured one.
CDataBase& GlobalDatabase();
// Replaces the connection by a new, unconfigured one (the old one is
// closed, any transaction of it rolled back) and returns it.
CDataBase& NewGlobalDatabase();
// Closes and drops the connection; the next use creates a new one. A
// connection still waiting for a busy file is dropped at a later release.
void ReleaseGlobalDatabase();
