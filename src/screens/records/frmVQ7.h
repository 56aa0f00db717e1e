#pragma once

#include "records/VRMBlackList.h"
#include "screens/records/RecordScreen.h"
#include "screens/records/ResponseDetails.h"

#include <QHash>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class ResponseListModel;
class VQ7;
class VQ7Responses;

// The keeper responses: a searchable list on the left, the selected
// response in full on the right, its comment editable; it is blacklisted,
// made anonymous, printed and exported from here. The selected response is
// always read afresh from the database.
class frmVQ7 : public RecordScreen {
    Q_OBJECT
public:
    explicit frmVQ7(QWidget* parent = nullptr, RecordScreenTools tools = {});
    ~frmVQ7() override;

    // Reports its own failure and keeps what was set up.
    void InitialiseForm() override;

    void FillUpGrid(const QString& VRM, const QString& SortOrder);
    void ClearGrid();
    void ShowSelected();
    std::shared_ptr<VQ7> GetSelectedVQ7();
    void ShowVQ7Details(const VQ7* response);
    void SetKeeperLayout(ResponseDetails::KeeperLayout layout);
    void SortByVRM(bool Ascending);

    void SaveComments();
    void ApplyAndRefresh(VQ7& response);
    void PrintResponses();
    void ExportResponses();

    // The responses shown (every one of the list once it was printed).
    VQ7Responses& Responses() { return *m_responses; }
    ResponseListModel& ListModel() { return *m_model; }
    QTableView* grdVQ7() const { return m_grid; }
    // The next heading click sorts A to Z.
    bool VrmSortAscending() const { return m_sortAscending; }

public slots:
    void cmdSearch_Click();
    void cmdClearSearch_Click();
    void chkShowErrs_Click();
    void cmdShowEnquirers_Click();
    void cmdAddToBlacklist_Click();
    void cmdAnonymise_Click();
    void grdVQ7_HeadingClick(int column);

protected:
    void ShowCurrentRecord() override { ShowSelected(); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    QGroupBox* BuildSearchFrame();
    QGroupBox* BuildEnquiryFrame();
    QGroupBox* BuildVehicleFrame();
    QGroupBox* BuildKeeperFrame();
    // A bold (read-only) detail box with its label, tagged when tag is set.
    QLineEdit* AddDetailBox(QGroupBox* frame, const char* boxName, const char* labelName, const char* caption,
                            const char* tag = nullptr);
    bool HasExportable() const;
    void SetSearchDefault(bool searchIsDefault);
    void SetFrameCaption();
    void FitListColumn();

    std::unique_ptr<VQ7Responses> m_responses;
    VRMBlackList m_blacklist;
    ResponseListModel* m_model;
    bool m_sortAscending = true;
    bool m_unloaded = false;

    QHash<QString, QLineEdit*> m_boxes; // the single-line detail boxes by name
    QList<QWidget*> m_legacy;           // boxes and labels tagged LEGACY
    QGroupBox* m_fraSearch = nullptr;
    QGroupBox* m_fraLoaded = nullptr;
    QLineEdit* m_txtVRMSearch = nullptr;
    QLineEdit* m_txtLastDays = nullptr;
    QCheckBox* m_chkShowErrs = nullptr;
    QComboBox* m_cboMaxToLoad = nullptr;
    QPushButton* m_cmdSearch = nullptr;
    QPushButton* m_cmdClearSearch = nullptr;
    QLabel* m_lblEnquirerFilters = nullptr;
    QPushButton* m_cmdShowEnquirers = nullptr;
    QLabel* m_lblBlackList = nullptr;
    QPlainTextEdit* m_txtTaxStatus = nullptr;
    QPlainTextEdit* m_txtTaxCategory = nullptr;
    QLabel* m_lblKeeperTitle = nullptr;
    QList<QWidget*> m_personalKeeper; // surname and forename with their labels
    QListWidget* m_lstErrors = nullptr;
    QPlainTextEdit* m_txtComments = nullptr;
    QPushButton* m_cmdAddToBlacklist = nullptr;
    QPushButton* m_cmdAnonymise = nullptr;
};
