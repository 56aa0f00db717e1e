#pragma once

#include "transfer/VQ3FileImport.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

class EnquirerChooser;
class ImportProgress;
class LogLines;
class QWidget;
class TransmissionResults;

// What the enquiry screen's import takes from outside: who chooses the
// enquirer when the database holds several, the window that owns the
// dialogs, the progress window and who answers the import's questions
// (none: no progress shown, the message boxes ask).
struct EnquiryImportSeams {
    EnquirerChooser* chooser = nullptr;
    QWidget* owner = nullptr;
    ImportProgress* progress = nullptr;
    ImportSeams import;
};

// One enquiry file chosen by the user from an enquirer's import folder,
// imported in a "VQ3IMP" run of its own and its outcome told. Returns how
// many enquiries were imported.
int32_t ImportEnquiryFile(const EnquiryImportSeams& seams);

// The file dialog, shown again until a file of the enquirer's folder is
// chosen or the user cancels, then the import of that file. Unless the
// database holds one enquirer only, a marker file in the folder tells its
// files from those of other folders while the dialog is open.
void ImportFromEnquirerFolder(const QString& Folder, const QString& EnquirerId, LogLines& Log,
                              TransmissionResults& Results, bool OneEnquirer, ImportProgress* progress = nullptr,
                              const ImportSeams& importSeams = {});

// "240315103000.$$$": the marker's name for a moment.
QString MarkerFileName(const QDateTime& now);
// The file dialog's filter for the import file type: its own files, the
// two other layouts', then every file.
QString ImportFileFilter(const QString& extension);
// The message that ends an import.
void TellImportOutcome(const TransmissionResults& results);
