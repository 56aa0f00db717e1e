#pragma once

#include "transfer/ExportFile.h"

#include <QString>
#include <QStringList>

class CDataBase;
class ExportProgress;
class LogLines;
class SysParameters;
class TransmissionResults;
class VQ7Responses;

// The export of keeper responses not yet exported. A response is stamped
// exported (JuxExportedDate, the day) only together with its whole file,
// which takes its name once the stamps are saved; a failed or cancelled
// export leaves the path as it was and marks nothing.

// A step of the transmission run: per enquirer of the logged-on user with an
// export folder, a new "VQ7" file there. Runs only in the automatic mode
// (responses not for the automatic export) or, with AutomateImport, in the
// interactive mode (those for the automatic export). Lines go into the
// caller's run; a failure outside the writer stops the step.
void ExportVQ7s(CDataBase& db, LogLines& log, TransmissionResults& results);

// The responses screen's export into a chosen file (appended to when it
// exists) of the given enquirers' responses (empty: all).
// Starts a "VQ7AEX" run on the log, which the caller ends.
void ExportVQ7sToFile(CDataBase& db, const QString& path, LogLines& log,
                      TransmissionResults& results, const QStringList& EnquirerIds,
                      ExportProgress* progress);

// Writes the loaded responses to the file (a new one, or a chosen one to
// append to; its hidden files carry `mark`, the DatabaseMark of the
// responses' database), then stamps and saves them. True when all is done (also for
// no response, which creates no file); false on cancel or error, which are
// logged and counted in the results.
bool ExportVQ7sToJUXFileInt(VQ7Responses& responses, const QString& path, ExportFile::Kind kind,
                            const QString& mark, ExportProgress* progress, LogLines& log,
                            TransmissionResults& results, const SysParameters& parameters);
