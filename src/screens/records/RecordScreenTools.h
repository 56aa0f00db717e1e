#pragma once

#include "screens/records/EnquirerChooser.h"
#include "screens/records/ExportChoices.h"
#include "screens/records/frmEditBlackListVrm.h"

#include <functional>
#include <memory>

class ImportProgress;
class ImportQuestions;

// What the record screens take from outside beyond their records: the
// dialogs they open, their progress windows and the screen's height. Each
// has a default; tests script them.
struct RecordScreenTools {
    // Asks which enquirer an import or export is for.
    std::shared_ptr<EnquirerChooser> ChooseEnquirer = std::make_shared<DialogEnquirerChooser>();
    BlacklistEntryEditor EditBlacklistEntry = ::EditBlacklistEntry;
    // The progress windows of an export and of an import; none: no progress
    // is shown.
    ExportProgressMaker MakeExportProgress;
    std::function<std::unique_ptr<ImportProgress>(QWidget* owner)> MakeImportProgress;
    // Who answers an import's questions; none: frmMessage.
    std::function<std::unique_ptr<ImportQuestions>(QWidget* owner)> MakeImportQuestions;
    // The screen's height in pixels; 0: the height of the window's screen.
    int ScreenHeight = 0;
};
