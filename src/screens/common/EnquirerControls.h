#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class Enquirer;
class EnquirerSetupForm;
class Enquirers;
class EnquiryReason;
class EnquiryReasons;

// Fills the enquirer controls: the combo with every name and the first
// selected when there are two or more, else the single name in the label;
// then the details of the enquirer selected.
void LoadEnquirerCombo(const Enquirers& enquirers, EnquirerSetupForm& form);
// The details of the enquirer at a position from 1; 0 blanks them and
// hides the folder frame.
void ShowEnquirerDetails(int16_t position, const Enquirers& enquirers, EnquirerSetupForm& form);
// Lists two or more reasons in the combo, the one with the default's code
// selected (else the first, unless asked to keep none selected); a single
// reason goes to the label instead. No default: a blank one.
void FillReasonCombo(const EnquiryReasons& reasons, bool keepUnselected,
                     const std::shared_ptr<EnquiryReason>& defaultReason, EnquirerSetupForm& form);
// The folder browser for the import (0) or export (1) folder, starting at
// the current one; "" when cancelled or for any other index.
QString BrowseEnquirerFolder(int16_t index, const QString& currentFolder, EnquirerSetupForm& form);

// The enquirer the controls are for: the only one, else the one selected
// in the combo; none while none is.
std::shared_ptr<Enquirer> ShownEnquirer(const Enquirers& enquirers, const EnquirerSetupForm& form);
// The enquirer's import (0) or export (1) folder becomes `folder`; no
// enquirer, nothing.
void SetEnquirerFolder(Enquirer* enquirer, int index, const QString& folder);
// The folder browser for the import (0) or export (1) box; the folder
// chosen goes into the box and becomes the enquirer's.
void BrowseIntoFolderBox(int index, EnquirerSetupForm& form, Enquirer* enquirer);
// The enquirer selected in the combo becomes the only default when
// ticked, and no enquirer is the default when not.
void SetSelectedEnquirerDefault(bool ticked, const Enquirers& enquirers, const EnquirerSetupForm& form);
