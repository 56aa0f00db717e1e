#pragma once

#include "records/VQ3Enquiries.h"
#include "records/VRMBlackList.h"
#include "screens/common/InitialisableForm.h"
#include "screens/records/RecordScreenTools.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class Enquirers;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class RecordGrid;
class User;
struct EnquiryButtonStates;

// "NEVIX - VEHICLE ENQUIRIES": the enquiries of the user's enquirers in a
// grid that loads, filters and sorts from the database; the selected one
// in detail, added, edited, deleted or saved after its checks; import of
// an enquiry file, printing and help.
class frmVQ3 : public QDialog, public InitialisableForm {
    Q_OBJECT
public:
    explicit frmVQ3(RecordScreenTools tools = {}, QWidget* parent = nullptr);
    ~frmVQ3() override;

    // Raises a NevixError when no user is logged on or the list cannot be
    // set up.
    void InitialiseForm() override;

    // The list and its grid.
    void FillUpGrid(const QString& VRM, const QString& SortOrder);
    void SetGridHeader(const QString& SortOrder);
    void ClearGrid(const QString& SortOrder);
    void SelectCurrentRow();
    void ShowSelected();
    std::shared_ptr<VQ3> GetSelectedVQ3();
    void ShowVQ3Details(int32_t Mode, const std::shared_ptr<VQ3>& Enquiry);
    void FillReasonCombo(int EnquirerIndex, const std::shared_ptr<VQ3>& Enquiry);
    // Row counts from 1, the heading row being row 0.
    void SelectGridRow(int Row);
    void SortByVRM();
    void SortByDateOfEvent();

    // Editing.
    void SetButtons(int32_t Mode);
    // The date of event's text when it is no date, else none.
    std::optional<QString> ReadFormIntoVQ3(VQ3& Enquiry);
    int32_t ValidateEnquiry(VQ3& Enquiry, const std::optional<QString>& DateOfEventText);
    void CancelChanges();
    void CancelEditAndShow();
    void NormaliseDateOfEvent();
    void ReportConcurrencyConflict(const QString& Verb);

    int32_t Mode() const { return m_mode; }
    std::shared_ptr<VQ3> CurrentEnquiry() const { return m_current; }
    const VQ3Enquiries& List() const { return m_list; }
    bool HasPicture() const;

    QLabel* imgBanner() const { return m_imgBanner; }
    QGroupBox* fraSearch() const { return m_fraSearch; }
    QLineEdit* txtVRMSearch() const { return m_txtVRMSearch; }
    QLineEdit* txtDaysSinceEnterd() const { return m_txtDaysSinceEnterd; }
    QComboBox* cboLoadWhat() const { return m_cboLoadWhat; }
    QComboBox* cboMaxToLoad() const { return m_cboMaxToLoad; }
    QPushButton* cmdSearch() const { return m_cmdSearch; }
    QPushButton* cmdClearSearch() const { return m_cmdClearSearch; }
    QGroupBox* fraLoaded() const { return m_fraLoaded; }
    RecordGrid* grdVQ3() const { return m_grdVQ3; }
    QLabel* lblEnquirerFilters() const { return m_lblEnquirerFilters; }
    QPushButton* cmdShowEnquirers() const { return m_cmdShowEnquirers; }
    QGroupBox* frqVQ3() const { return m_frqVQ3; }
    QLineEdit* txtVRM() const { return m_txtVRM; }
    QLineEdit* txtDateOfEvent() const { return m_txtDateOfEvent; }
    QLineEdit* txtReference() const { return m_txtReference; }
    QLineEdit* txtWhenEntered() const { return m_txtWhenEntered; }
    QLineEdit* txtWhenSent() const { return m_txtWhenSent; }
    QLineEdit* txtUser() const { return m_txtUser; }
    QLineEdit* txtEnquirerName() const { return m_txtEnquirerName; }
    QLineEdit* txtReasonDesc() const { return m_txtReasonDesc; }
    QComboBox* cboEnquirer() const { return m_cboEnquirer; }
    QComboBox* cboReasonForEnquiry() const { return m_cboReasonForEnquiry; }
    QLabel* lblVRM() const { return m_lblVRM; }
    QLabel* lblDateOfEvent() const { return m_lblDateOfEvent; }
    QLabel* lblReference() const { return m_lblReference; }
    QLabel* lblWhenEntered() const { return m_lblWhenEntered; }
    QCheckBox* chkMatched() const { return m_chkMatched; }
    QCheckBox* chkSkipVRMValidation() const { return m_chkSkipVRMValidation; }
    QLabel* lblBlackList() const { return m_lblBlackList; }
    QListWidget* lstErrors() const { return m_lstErrors; }
    QPushButton* cmdClearErrors() const { return m_cmdClearErrors; }
    QPushButton* cmdAdd() const { return m_cmdAdd; }
    QPushButton* cmdEdit() const { return m_cmdEdit; }
    QPushButton* cmdDelete() const { return m_cmdDelete; }
    QPushButton* cmdSave() const { return m_cmdSave; }
    QPushButton* cmdImport() const { return m_cmdImport; }
    QPushButton* cmdPrint() const { return m_cmdPrint; }
    QPushButton* cmdReturn() const { return m_cmdReturn; }
    QPushButton* cmdHelp() const { return m_cmdHelp; }

public slots:
    void cmdSearch_Click();
    void cmdClearSearch_Click();
    void cmdShowEnquirers_Click();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdClearErrors_Click();
    void cmdImport_Click();
    void cmdPrint_Click();
    void cmdReturn_Click();
    void cmdHelp_Click();
    void grdVQ3_HeadingClick(int column);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape is the close box.
    void reject() override;

private:
    void BuildLayout();
    void ConnectControls();
    void PlaceCompactLayout();
    void ApplyButtonStates(const EnquiryButtonStates& states);
    void FocusField(const QString& field);
    void GridRowChanged(int row);
    void cboEnquirer_Click();
    // The current row's key, and its listed enquiry read again from the
    // database: none when the key is not listed, or when another
    // installation deleted its row (gone), which then leaves the list.
    struct SelectedRead {
        QString key;
        std::shared_ptr<VQ3> enquiry;
        bool gone = false;
    };
    SelectedRead ReadSelected();
    // The listed enquiry under that key leaves the list and the grid; no
    // row is left current.
    void DropListed(const QString& key);
    void WarnNotFound(const QString& key);
    // Browse mode with no enquiry.
    void ShowNothing();
    void ReportDeletedElsewhere(const QString& Verb);
    // The user's enquirers; an empty list when the user has none.
    const Enquirers& UserEnquirers() const;
    int UserEnquirerIndex(const QString& enquirerId) const;

    RecordScreenTools m_tools;
    VQ3Enquiries m_list;
    VRMBlackList m_blacklist;
    std::shared_ptr<VQ3> m_current;
    std::shared_ptr<User> m_user;
    std::shared_ptr<Enquirers> m_noEnquirers;
    int32_t m_mode = 0;
    bool m_vrmSortFlag = false;
    bool m_dateSortFlag = false;
    bool m_activated = false;
    // Set while the program moves the grid's current row itself.
    bool m_movingGrid = false;

    QLabel* m_imgBanner;
    QGroupBox* m_fraSearch;
    QLineEdit* m_txtVRMSearch;
    QLineEdit* m_txtDaysSinceEnterd;
    QComboBox* m_cboLoadWhat;
    QLabel* m_lblWhatToLoad;
    QComboBox* m_cboMaxToLoad;
    QLabel* m_lblMaxToLoad;
    QPushButton* m_cmdSearch;
    QPushButton* m_cmdClearSearch;
    QGroupBox* m_fraLoaded;
    RecordGrid* m_grdVQ3;
    QLabel* m_lblEnquirerFilters;
    QPushButton* m_cmdShowEnquirers;
    QGroupBox* m_frqVQ3;
    QLineEdit* m_txtVRM;
    QLineEdit* m_txtDateOfEvent;
    QLineEdit* m_txtReference;
    QLineEdit* m_txtWhenEntered;
    QLineEdit* m_txtWhenSent;
    QLineEdit* m_txtUser;
    QLineEdit* m_txtEnquirerName;
    QLineEdit* m_txtReasonDesc;
    QComboBox* m_cboEnquirer;
    QComboBox* m_cboReasonForEnquiry;
    QLabel* m_lblVRM;
    QLabel* m_lblDateOfEvent;
    QLabel* m_lblReference;
    QLabel* m_lblWhenEntered;
    QLabel* m_lblWhenSent;
    QLabel* m_lblStatus;
    QCheckBox* m_chkMatched;
    QCheckBox* m_chkSkipVRMValidation;
    QLabel* m_lblBlackList;
    QGroupBox* m_fraErrors;
    QListWidget* m_lstErrors;
    QPushButton* m_cmdClearErrors;
    QPushButton* m_cmdAdd;
    QPushButton* m_cmdEdit;
    QPushButton* m_cmdDelete;
    QPushButton* m_cmdSave;
    QPushButton* m_cmdImport;
    QPushButton* m_cmdPrint;
    QPushButton* m_cmdReturn;
    QPushButton* m_cmdHelp;
};
