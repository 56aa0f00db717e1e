#pragma once

#include "transfer/VQ3FileImport.h"

#include <QString>

class ImportProgress;
class LogLines;
class TransmissionResults;

// The enquiry files in the import folders of the current user's enquirers,
// imported at the start of a transmission run when the running mode asks
// for it (Automatic, or Interactive with AutomateImport). An imported file
// is deleted (Automatic) or moved into the folder's "Archive" subfolder.
void RunEnquiryFileImport(LogLines& log, TransmissionResults& results, ImportProgress* progress = nullptr,
                          const ImportSeams& seams = {});

// Every enquiry file of one folder for one enquirer; results receives the
// folder's totals. A file that is locked or whose import failed stays.
void ImportVQ3FilesFromFolder(const QString& folder, const QString& enquirerId, LogLines& log,
                              TransmissionResults& results, ImportProgress* progress = nullptr,
                              const ImportSeams& seams = {});
