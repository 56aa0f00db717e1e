#pragma once

#include <QString>

#include <exception>
#include <functional>

class CDataBase;
class Enquirers;
class ExportFile;
class ExportProgress;
class LogLines;
class TransmissionResults;

// Steps shared by the response and the debit-statement exports.

// Where a writer appends its fatal texts.
using AppendFatal = void (TransmissionResults::*)(const QString&);

// The closing section of a file writer, reached on success, cancel and
// error alike. After a cancel or an error the file is undone (a failure to
// undo it is logged with the path and made fatal) and the error is saved,
// logged and made fatal. A failure of this section itself is shown to the
// user as critical. True when the export stands.
bool FinishExport(ExportFile& file, ExportProgress* progress, LogLines& log,
                  TransmissionResults& results, AppendFatal appendFatal, bool cancelled,
                  const std::exception_ptr& error, const QString& procedure);

// Saves the stamped records and puts the file in place as one: the whole
// file is on the disk before the save, the save is committed together with
// the file's pending entry, and the file takes its name after the commit.
// On a failure before the commit the file is left to be undone by the
// caller. Within an outer transaction the file takes its name when the
// caller commits that through CommitExport.
void SaveWithFile(CDataBase* db, const std::function<void()>& apply, ExportFile& file);

// Commits one level of an export's transaction; when that was the
// outermost, the file saved in it (if any) takes its name and its entry
// goes. A failure to name the file is raised: its records stay marked and
// the next export names it.
void CommitExport(CDataBase& db, ExportFile* file);

// Names in the log the file the records went to, where that is not the
// path the export was logged with: its name was taken meanwhile.
void LogNamedFile(const ExportFile& file, LogLines& log);

// The points of putting an export in place, at which a test stops an
// export as a kill would: its hook raises there.
enum class ExportStep {
    FileWhole,      // the file whole on the disk, its records' marks not committed
    MarksCommitted, // the marks committed, the file not yet under its name
    FileNamed,      // the file under its name, its pending entry not yet gone
    // Placing records appended to a chosen file:
    ChosenFileRead,      // the chosen file read and its new content written beside it
    ChosenFileReplacing, // the chosen file found as it was read: the new content is renamed over it next
    ChosenFileBusy, // another export holds the chosen file's lock: this one waits for it
};
void SetExportStepHook(std::function<void(ExportStep)> hook);
void ReachExportStep(ExportStep step);

// The logged-on user's enquirers; raises an error when nobody is logged on.
std::shared_ptr<Enquirers> UserEnquirers();

// The description of the error being handled.
QString CurrentErrorDescription();
