#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ParametersData;

// The parameters screen's "NEVIX Service" frame: the service account's
// name, the change of its password on the service, the caps-lock warning
// and the communications lock. Everything here acts at once.
class ServiceTab : public QGroupBox {
    Q_OBJECT
public:
    explicit ServiceTab(ParametersData& data, QWidget* parent = nullptr);

    // The account's name, empty password boxes, the rule and the lock.
    void Fill();
    void ShowCommsLockState();
    // Shows or hides the caps-lock warning when it does not show the state.
    void ShowCapsLock(bool on);

    QLabel* lblNevixUsername() const { return m_lblNevixUsername; }
    QLineEdit* txtNevixNewPassword() const { return m_txtNevixNewPassword; }
    QLineEdit* txtConfirmNevixPassword() const { return m_txtConfirmNevixPassword; }
    QCheckBox* chkShowPassword() const { return m_chkShowPassword; }
    QPushButton* cmdChangePasswordOnServer() const { return m_cmdChangePasswordOnServer; }
    QLabel* lblPasswordRule() const { return m_lblPasswordRule; }
    QLabel* lblCapsLockOn() const { return m_lblCapsLockOn; }
    QLabel* imgCapLockOn() const { return m_imgCapLockOn; }
    QLabel* lblCommsLockInfo() const { return m_lblCommsLockInfo; }
    QPushButton* cmdUnlockComms() const { return m_cmdUnlockComms; }

public slots:
    void cmdChangePasswordOnServer_Click();
    void cmdUnlockComms_Click();

private:
    void ChangePassword();
    void ReloadAccount();

    ParametersData& m_data;
    QLabel* m_lblNevixUsername;
    QLineEdit* m_txtNevixNewPassword;
    QLineEdit* m_txtConfirmNevixPassword;
    QCheckBox* m_chkShowPassword;
    QPushButton* m_cmdChangePasswordOnServer;
    QLabel* m_lblPasswordRule;
    QLabel* m_lblCapsLockOn;
    QLabel* m_imgCapLockOn;
    QLabel* m_lblCommsLockInfo;
    QPushButton* m_cmdUnlockComms;
};
