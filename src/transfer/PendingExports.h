#pragma once

#include <QString>

class CDataBase;
class ExportFile;
class LogLines;

// Export files whose records are marked exported while the file may still
// lie under its pending name. The marks are committed together with the
// file's row; then the file takes its name and the row goes. A row that a
// run killed in between leaves behind is finished by the next export,
// which so never exports those records again: each record is in one
// export file. A row goes only once its file's fate is known.

// The file's row, in the transaction that marks its records.
void AddPendingExport(CDataBase& db, const ExportFile& file);
void RemovePendingExport(CDataBase& db, const ExportFile& file);

// Gives every file left under its pending name its name, or finds that it
// took one. What this computer cannot decide (a folder out of reach, or
// not the one the file was written in) keeps its row and is logged at each
// run until it is decided; a file that cannot be named is logged too.
void NamePendingExports(CDataBase& db, LogLines& log);

// Removes, with a log line each, the hidden files that exports of this
// database (whose DatabaseMark is `mark`) left in the folder when killed,
// once they are older than any export takes: regular files of this user
// whose names carry the mark and that no row names. Nothing else in the
// folder, which other installations, users and programs may share, is ever
// removed.
void TidyExportFolder(CDataBase& db, const QString& mark, const QString& folder, LogLines& log);
