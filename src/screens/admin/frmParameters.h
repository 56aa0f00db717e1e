#pragma once

#include "screens/admin/BlacklistTab.h"
#include "screens/common/EnquirerSetupForm.h"
#include "screens/common/InitialisableForm.h"
#include "screens/common/UserList.h"

#include <QWidget>

#include <memory>

class BlacklistTab;
class CDataBase;
class ClientTab;
class EnquirersTab;
class MaintenanceTab;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class ServiceTab;
class UsersTab;
struct ParametersData;

// The administrators' window ("Admin Functions"): six tabs of system
// parameters. The blacklist, the users and the actions act at once; the
// other entries are written together by Ok, after every tab's check. The
// main menu takes the administration lock before it opens the window; the
// window gives it back when it closes.
class frmParameters : public QWidget, public InitialisableForm, public EnquirerSetupForm {
    Q_OBJECT
public:
    // The tabs, by index.
    enum Tab { MaintenanceTabIndex, ServiceTabIndex, EnquirersTabIndex, BlacklistTabIndex, UsersTabIndex, ClientTabIndex };

    frmParameters(CDataBase& database, UserEditor userEditor, BlacklistEntryEditor blacklistEditor,
                  QWidget* parent = nullptr);
    ~frmParameters() override;

    void InitialiseForm() override;
    void PopulateDataMaintenance();

    // EnquirerSetupForm: the controls of the enquirers and users tabs.
    QWidget* FormWindow() const override { return const_cast<frmParameters*>(this); }
    QComboBox* cboEnquirer() const override;
    QLabel* lblEnquirerName() const override;
    QCheckBox* chkIsDefaultEnquirer() const override;
    QLabel* lblEnquirerId() const override;
    QLabel* lblIntermediaryId() const override;
    QLineEdit* txtEnqFolder(int index) const override;
    QWidget* frmEnqFolders() const override;
    QComboBox* cboReasonForEnquiry() const override;
    QLabel* lblDefaultReason() const override;
    QListWidget* lstUsers() const override;

    QTabWidget* sstParameters() const { return m_sstParameters; }
    QWidget* fraParams(int index) const;
    MaintenanceTab* Maintenance() const { return m_maintenance; }
    ServiceTab* Service() const { return m_service; }
    EnquirersTab* EnquirerTab() const { return m_enquirers; }
    BlacklistTab* Blacklist() const { return m_blacklist; }
    UsersTab* UserTab() const { return m_users; }
    ClientTab* Client() const { return m_client; }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* cmdHelp() const { return m_cmdHelp; }
    QLabel* imgStrap() const { return m_imgStrap; }
    QTimer* tmrForCaps() const { return m_tmrForCaps; }
    // The topic the Help button (and F1) shows.
    int32_t HelpContextId() const { return m_helpContextId; }
    bool IsLoaded() const { return !m_unloaded; }

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void tmrForCaps_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void sstParameters_Click(int previousTab);
    bool SaveParameters();
    bool ValidateTab(int tab);
    bool CanClose() const { return true; }
    // Gives the administration lock back; warn: tell the user when it is
    // still held.
    void Form_Unload(bool warn);

    std::unique_ptr<ParametersData> m_data;
    int m_currentTab = 0;
    int32_t m_helpContextId;
    bool m_unloaded = false;

    QTabWidget* m_sstParameters;
    MaintenanceTab* m_maintenance;
    ServiceTab* m_service;
    EnquirersTab* m_enquirers;
    BlacklistTab* m_blacklist;
    UsersTab* m_users;
    ClientTab* m_client;
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
    QPushButton* m_cmdHelp;
    QLabel* m_imgStrap;
    QTimer* m_tmrForCaps;
};
