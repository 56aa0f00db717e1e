#pragma once

#include "screens/records/EnquirerChooser.h"

#include <QString>

#include <functional>
#include <memory>

class Enquirer;
class Enquirers;
class ExportProgress;
class QWidget;

// The progress window an export from a screen reports to; none shows no
// progress.
using ExportProgressMaker = std::function<std::unique_ptr<ExportProgress>(QWidget* owner)>;

// The enquirer an export from a screen is for: the user's only one, else
// the one chosen (nullptr when the user chose none).
std::shared_ptr<Enquirer> ChooseExportEnquirer(const Enquirers& userEnquirers, EnquirerChooser& chooser,
                                               QWidget* owner);

// The file a screen's export writes to, as the user chose it in the save
// dialog: the proposed name in the export folder, and the screen's own
// question before an existing file is replaced (deleted here on Yes).
struct ExportFileChoice {
    QString File;      // empty: nothing to export into
    bool Cancelled = false; // No to the over-write question
    QString Failure;   // the old file could not be deleted

    // ownerCaption: the window the dialog belongs to; folder: where the
    // proposed file lies (resolved already); filter: "Name|pattern|...".
    static ExportFileChoice Ask(const QString& ownerCaption, const QString& title, const QString& folder,
                                const QString& fileName, const QString& filter);
};

// "Export files (*.EXT)|*.EXT" for the export file type, followed by the
// two other layouts' entries (CSV, TAB or EXP).
QString ResponseExportFilter(const QString& exportFileType);
