#pragma once

class CDataBase;
class ExportFile;
class LogLines;

// Export files whose records are marked exported while the file may still
// lie under its pending name. The marks are committed together with the
// file's entry; then the file takes its name and the entry goes. An entry
// that a run killed in between leaves behind is finished by the next
// export, which so never exports those records again: each record is in
// one export file.

// The file's entry, in the transaction that marks its records.
void AddPendingExport(CDataBase& db, const ExportFile& file);
void RemovePendingExport(CDataBase& db, const ExportFile& file);

// Gives every file left under its pending name its name. Where such a file
// is gone it took its name already; but a file left by another computer
// may lie where this one cannot see it, and its entry is left to that
// computer. A file that cannot be named is logged and keeps its entry.
void NamePendingExports(CDataBase& db, LogLines& log);
