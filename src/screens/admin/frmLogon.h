#pragma once

#include "screens/admin/LogonRoads.h"

#include <QDialog>

class CDataBase;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Decides who uses the program and in which running mode, and opens the
// first working window: the set-up wizard while set-up is not complete,
// the unattended console in auto-execute mode, else the main menu after a
// good logon.
class frmLogon : public QDialog {
    Q_OBJECT
public:
    frmLogon(CDataBase& database, LogonRoads roads, QWidget* parent = nullptr);

    void InitialiseForm();
    // False once the window has unloaded itself.
    bool IsLoaded() const { return m_loaded; }

    QLineEdit* txtPartyCode() const { return m_txtPartyCode; }
    QLineEdit* txtPassword() const { return m_txtPassword; }
    QCheckBox* chkShowPassword() const { return m_chkShowPassword; }
    QLabel* lblShowPassword() const { return m_lblShowPassword; }
    QLabel* lblVersion() const { return m_lblVersion; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

signals:
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TryLogon(const QString& userName, const QString& password);
    void Initialise();
    void AfterGoodLogon();
    bool PasswordChangedIfNeeded();
    void Unload();
    void ToggleShowPassword();

    CDataBase& m_db;
    LogonRoads m_roads;
    int m_attempts = 0;
    bool m_loaded = true;

    QLineEdit* m_txtPartyCode;
    QLineEdit* m_txtPassword;
    QCheckBox* m_chkShowPassword;
    QLabel* m_lblShowPassword;
    QLabel* m_lblVersion;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdCancel;
};
