#pragma once

#include "screens/common/UserList.h"

#include <QGroupBox>

class EnquirerSetupForm;
class QListWidget;
class QPushButton;
struct ParametersData;

// The parameters screen's "Users" frame: the local users, each added,
// changed or deleted at once through the shared user routines.
class UsersTab : public QGroupBox {
    Q_OBJECT
public:
    UsersTab(ParametersData& data, EnquirerSetupForm& form, UserEditor editor, QWidget* parent = nullptr);

    // Reloads the users and lists them.
    void Refill();

    QListWidget* lstUsers() const { return m_lstUsers; }
    QPushButton* cmdAddUser() const { return m_cmdAddUser; }
    QPushButton* cmdRemoveUser() const { return m_cmdRemoveUser; }
    QPushButton* cmdEditUser() const { return m_cmdEditUser; }

public slots:
    void cmdAddUser_Click();
    void cmdEditUser_Click();
    void cmdRemoveUser_Click();

private:
    ParametersData& m_data;
    EnquirerSetupForm& m_form;
    UserEditor m_editor;
    QListWidget* m_lstUsers;
    QPushButton* m_cmdAddUser;
    QPushButton* m_cmdRemoveUser;
    QPushButton* m_cmdEditUser;
};
