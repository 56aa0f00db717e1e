#pragma once

#include "screens/records/EnquirerChooser.h"
#include "screens/records/ExportChoices.h"
#include "screens/records/frmEditBlackListVrm.h"

#include <memory>

// What the record screens call on beyond their records: the dialogs they
// open and the progress window of their exports. Tests script them.
struct RecordScreenTools {
    std::shared_ptr<EnquirerChooser> ChooseEnquirer = std::make_shared<DialogEnquirerChooser>();
    BlacklistEntryEditor EditBlacklistEntry = ::EditBlacklistEntry;
    ExportProgressMaker MakeProgress;
};
