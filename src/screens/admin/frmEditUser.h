#pragma once

#include <QDialog>

#include <array>
#include <memory>

class CDataBase;
class Enquirers;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class User;

// Creates or changes one local user: name, password, description, whether
// it may log on, its one group and the enquirers it may deal with. The
// caller learns from the user's BeenApplied whether it was stored. The
// only enabled administrator keeps its group and stays enabled; members of
// "System Users" are shown read only.
class frmEditUser : public QDialog {
    Q_OBJECT
public:
    explicit frmEditUser(QWidget* parent = nullptr);
    ~frmEditUser() override;

    // Lists the enquirers: row i is enquirer i + 1.
    void SetEnquirers(std::shared_ptr<Enquirers> oEnquirers);
    // Fills the window from the user (an existing one read again), in one
    // transaction of the user's connection, rolled back when it fails.
    // Follows SetEnquirers.
    void SetUser(std::shared_ptr<User> oUser);

    QLineEdit* txtUserName() const { return m_txtUserName; }
    QLineEdit* txtPassword() const { return m_txtPassword; }
    QCheckBox* chkShowPassword() const { return m_chkShowPassword; }
    QLabel* lblPasswordRule() const { return m_lblPasswordRule; }
    QLineEdit* txtDescription() const { return m_txtDescription; }
    QComboBox* cboEnabled() const { return m_cboEnabled; }
    QLabel* lblEnabledUserWarning() const { return m_lblEnabledUserWarning; }
    QRadioButton* optUGroup(int index) const { return m_optUGroup.at(size_t(index)); }
    QListWidget* lstEnquirers() const { return m_lstEnquirers; }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    CDataBase& Connection() const;
    void FillFromUser();
    bool ValidateUserEntry();
    // Stops at the first failure; nothing is changed then.
    bool Invalid(const QString& message, QWidget* focus, bool warning = false);
    void Save();
    void SaveGroups();
    void SaveEnquirers();

    std::shared_ptr<Enquirers> m_enquirers;
    std::shared_ptr<User> m_user;
    bool m_onlyEnabledAdmin = false;

    QLineEdit* m_txtUserName;
    QLineEdit* m_txtPassword;
    QCheckBox* m_chkShowPassword;
    QLabel* m_lblPasswordRule;
    QLineEdit* m_txtDescription;
    QComboBox* m_cboEnabled;
    QLabel* m_lblEnabledUserWarning;
    std::array<QRadioButton*, 4> m_optUGroup{};
    QListWidget* m_lstEnquirers;
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
};

// The program's user editor: frmEditUser modal over the owner.
void EditUserInWindow(QWidget* owner, const std::shared_ptr<Enquirers>& enquirers,
                      const std::shared_ptr<User>& user);
