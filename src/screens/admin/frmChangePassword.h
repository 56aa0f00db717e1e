#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class User;

// Lets a user replace the own password. Save stays disabled until the
// existing password is right and the new one is confirmed; the new one must
// pass the password rule.
class frmChangePassword : public QDialog {
    Q_OBJECT
public:
    explicit frmChangePassword(User& user, QWidget* parent = nullptr);

    void InitialiseForm();

    QGroupBox* fraUser() const { return m_fraUser; }
    QLineEdit* txtExistingPassword() const { return m_txtExistingPassword; }
    QLineEdit* txtPassword() const { return m_txtPassword; }
    QLineEdit* txtConfirmPassword() const { return m_txtConfirmPassword; }
    QCheckBox* chkShowPassword() const { return m_chkShowPassword; }
    QLabel* lblNoMatchExistingPw() const { return m_lblNoMatchExistingPw; }
    QLabel* lblNoMatchNewPw() const { return m_lblNoMatchNewPw; }
    QLabel* lblPasswordRule() const { return m_lblPasswordRule; }
    QLabel* lblChangePWRulesMessage1() const { return m_lblChangePWRulesMessage1; }
    QLabel* lblChangePWRulesMessage2() const { return m_lblChangePWRulesMessage2; }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

public slots:
    void cmdOk_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PasswordEntriesComplete() const;
    void CheckExistingPassword();
    void CheckNewPasswords();

    User& m_user;
    QGroupBox* m_fraUser;
    QLineEdit* m_txtExistingPassword;
    QLineEdit* m_txtPassword;
    QLineEdit* m_txtConfirmPassword;
    QCheckBox* m_chkShowPassword;
    QLabel* m_lblNoMatchExistingPw;
    QLabel* m_lblNoMatchNewPw;
    QLabel* m_lblPasswordRule;
    QLabel* m_lblChangePWRulesMessage1;
    QLabel* m_lblChangePWRulesMessage2;
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
};
