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

// Saves the stamped records and puts the file in place as one: the file
// only when the save succeeded, the save committed only when the file is in
// place. On failure the file is left to be undone by the caller.
void SaveWithFile(CDataBase* db, const std::function<void()>& apply, ExportFile& file);

// The points of putting an export in place, at which a test stops an
// export as a kill would: its hook raises there.
enum class ExportStep {
    FileWhole, // the file whole on the disk, its records' marks not committed
};
void SetExportStepHook(std::function<void(ExportStep)> hook);

// The logged-on user's enquirers; raises an error when nobody is logged on.
std::shared_ptr<Enquirers> UserEnquirers();

// The description of the error being handled.
QString CurrentErrorDescription();
