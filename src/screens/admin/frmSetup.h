#pragma once

#include "screens/common/EnquirerSetupForm.h"
#include "screens/common/UserList.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class CDataBase;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTimer;
class SetupWizard;

// Where the set-up wizard leads once it has unloaded itself.
struct SetupRoads {
    // Set-up complete: the main menu, shown modeless.
    std::function<void()> OpenMainMenu;
    // Set-up stopped: no window is left and the program ends.
    std::function<void()> EndProgram;
};

// "NEVIX - SETUP": the window an installation shows until its set-up is
// complete. Five steps share one place; the step logic is SetupWizard's.
class frmSetup : public QDialog, public EnquirerSetupForm {
    Q_OBJECT
public:
    // editUser opens the user editor of the users step; none: the
    // program's own (frmEditUser).
    frmSetup(CDataBase& database, UserEditor editUser, SetupRoads roads, QWidget* parent = nullptr);
    ~frmSetup() override;

    void InitialiseForm();
    bool IsLoaded() const { return m_loaded; }
    SetupWizard& Wizard() const { return *m_wizard; }

    QWidget* FormWindow() const override { return const_cast<frmSetup*>(this); }
    QComboBox* cboEnquirer() const override { return m_cboEnquirer; }
    QLabel* lblEnquirerName() const override { return m_lblEnquirerName; }
    QCheckBox* chkIsDefaultEnquirer() const override { return m_chkIsDefaultEnquirer; }
    QLabel* lblEnquirerId() const override { return m_lblEnquirerId; }
    QLabel* lblIntermediaryId() const override { return m_lblIntermediaryId; }
    QLineEdit* txtEnqFolder(int index) const override { return m_txtEnqFolder.at(size_t(index)); }
    QWidget* frmEnqFolders() const override;
    QComboBox* cboReasonForEnquiry() const override { return m_cboReasonForEnquiry; }
    QLabel* lblDefaultReason() const override { return m_lblDefaultReason; }
    QListWidget* lstUsers() const override { return m_lstUsers; }

    QWidget* fraStepFrame(int index) const { return m_fraStepFrame.at(size_t(index)); }
    QLabel* lblProgress(int index) const { return m_lblProgress.at(size_t(index)); }
    QLineEdit* txtIEUserID() const { return m_txtIEUserID; }
    QLineEdit* txtIEPassword() const { return m_txtIEPassword; }
    QCheckBox* chkShowPassword() const { return m_chkShowPassword; }
    QLabel* lblNeviUsernameRules() const { return m_lblNeviUsernameRules; }
    QLabel* lblPasswordRule() const { return m_lblPasswordRule; }
    QLabel* lblCapsLockOn() const { return m_lblCapsLockOn; }
    QLabel* imgCapLockOn() const { return m_imgCapLockOn; }
    QListWidget* lstCommsProgress() const { return m_lstCommsProgress; }
    QPushButton* cmdShowLog() const { return m_cmdShowLog; }
    QPushButton* cmdBrowse(int index) const { return m_cmdBrowse.at(size_t(index)); }
    QPushButton* cmdAddUser() const { return m_cmdAddUser; }
    QPushButton* cmdEditUser() const { return m_cmdEditUser; }
    QPushButton* cmdRemoveUser() const { return m_cmdRemoveUser; }
    QLabel* lblAddUsersNewInstall() const { return m_lblAddUsersNewInstall; }
    QLineEdit* txtPartyName() const { return m_txtPartyName; }
    QRadioButton* optInstalMode(int index) const { return m_optInstalMode.at(size_t(index)); }
    QPushButton* cmdBack() const { return m_cmdBack; }
    QPushButton* cmdNextFinsh() const { return m_cmdNextFinsh; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* cmdHelp() const { return m_cmdHelp; }
    QTimer* tmrForCapsLocck() const { return m_tmrForCapsLocck; }

public slots:
    void cmdNextFinsh_Click();
    void cmdBack_Click();
    void cmdCancel_Click();

signals:
    void Unloaded();

protected:
    // The close box and Esc ask as Cancel does; refused while the
    // exchanges run.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* IntroductionStep();
    QWidget* ServiceStep();
    QWidget* EnquirersStep();
    QWidget* UsersStep();
    QWidget* FinishStep();
    void ConnectControls();
    // Unloads the window, which unloads the hidden transport window and a
    // loaded main menu.
    void Unload();

    SetupRoads m_roads;
    bool m_loaded = true;

    std::array<QWidget*, 5> m_fraStepFrame{};
    std::array<QLabel*, 5> m_lblProgress{};
    QLineEdit* m_txtIEUserID = nullptr;
    QLineEdit* m_txtIEPassword = nullptr;
    QCheckBox* m_chkShowPassword = nullptr;
    QLabel* m_lblNeviUsernameRules = nullptr;
    QLabel* m_lblPasswordRule = nullptr;
    QLabel* m_lblCapsLockOn = nullptr;
    QLabel* m_imgCapLockOn = nullptr;
    QListWidget* m_lstCommsProgress = nullptr;
    QPushButton* m_cmdShowLog = nullptr;
    QComboBox* m_cboEnquirer = nullptr;
    QLabel* m_lblEnquirerName = nullptr;
    QCheckBox* m_chkIsDefaultEnquirer = nullptr;
    QLabel* m_lblEnquirerId = nullptr;
    QLabel* m_lblIntermediaryId = nullptr;
    QComboBox* m_cboReasonForEnquiry = nullptr;
    QLabel* m_lblDefaultReason = nullptr;
    QGroupBox* m_frmEnqFolders = nullptr;
    std::array<QLineEdit*, 2> m_txtEnqFolder{};
    std::array<QPushButton*, 2> m_cmdBrowse{};
    QListWidget* m_lstUsers = nullptr;
    QPushButton* m_cmdAddUser = nullptr;
    QPushButton* m_cmdEditUser = nullptr;
    QPushButton* m_cmdRemoveUser = nullptr;
    QLabel* m_lblAddUsersNewInstall = nullptr;
    QLineEdit* m_txtPartyName = nullptr;
    std::array<QRadioButton*, 2> m_optInstalMode{};
    QPushButton* m_cmdBack = nullptr;
    QPushButton* m_cmdNextFinsh = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QTimer* m_tmrForCapsLocck = nullptr;

    std::unique_ptr<SetupWizard> m_wizard;
};
