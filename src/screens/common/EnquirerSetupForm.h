#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

// What the parameters screen and the set-up wizard both offer to the
// shared enquirer and user routines: the controls those routines fill and
// read, under the names the screens give them.
class EnquirerSetupForm {
public:
    virtual ~EnquirerSetupForm() = default;

    // The form's own window: the owner of the dialogs the routines open.
    virtual QWidget* FormWindow() const = 0;

    virtual QComboBox* cboEnquirer() const = 0;
    virtual QLabel* lblEnquirerName() const = 0;
    virtual QCheckBox* chkIsDefaultEnquirer() const = 0;
    virtual QLabel* lblEnquirerId() const = 0;
    virtual QLabel* lblIntermediaryId() const = 0;
    // Index 0 the import folder, 1 the export folder.
    virtual QLineEdit* txtEnqFolder(int index) const = 0;
    // The frame holding the folder fields, hidden while no enquirer is shown.
    virtual QWidget* frmEnqFolders() const = 0;
    virtual QComboBox* cboReasonForEnquiry() const = 0;
    virtual QLabel* lblDefaultReason() const = 0;
    virtual QListWidget* lstUsers() const = 0;
};
