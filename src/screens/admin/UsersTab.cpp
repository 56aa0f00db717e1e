#include "screens/admin/UsersTab.h"

#include "platform/NevixError.h"
#include "core/AskTellUser.h"
#include "screens/admin/ParametersData.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton* Button(const char* caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}
} // namespace

UsersTab::UsersTab(ParametersData& data, EnquirerSetupForm& form, UserEditor editor, QWidget* parent)
    : QGroupBox(QStringLiteral("Users"), parent), m_data(data), m_form(form), m_editor(std::move(editor)),
      m_lstUsers(new QListWidget(this)), m_cmdAddUser(Button("Add User", "cmdAddUser", this)),
      m_cmdRemoveUser(Button("Delete User", "cmdRemoveUser", this)),
      m_cmdEditUser(Button("Edit User", "cmdEditUser", this))
{
    setObjectName(QStringLiteral("fraParams4"));
    m_lstUsers->setObjectName(QStringLiteral("lstUsers"));

    auto* groups = new QLabel(QStringLiteral("Users can belong to one of three user groups: Administrator, Manager "
                                             "and Normal. Access to program functions is restricted based on user "
                                             "group."),
                              this);
    groups->setWordWrap(true);
    auto* effect = new QLabel(QStringLiteral("These changes come into effect immediately"), this);
    effect->setWordWrap(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdAddUser);
    buttons->addWidget(m_cmdEditUser);
    buttons->addWidget(m_cmdRemoveUser);
    buttons->addStretch();
    buttons->addWidget(effect);
    auto* columns = new QHBoxLayout;
    columns->addWidget(m_lstUsers, 1);
    columns->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groups);
    layout->addLayout(columns, 1);

    connect(m_cmdAddUser, &QPushButton::clicked, this, &UsersTab::cmdAddUser_Click);
    connect(m_cmdEditUser, &QPushButton::clicked, this, &UsersTab::cmdEditUser_Click);
    connect(m_cmdRemoveUser, &QPushButton::clicked, this, &UsersTab::cmdRemoveUser_Click);
    connect(m_lstUsers, &QListWidget::itemDoubleClicked, this, &UsersTab::cmdEditUser_Click);
}

void UsersTab::Refill()
{
    LoadUserList(m_data.users, m_form);
}

void UsersTab::cmdAddUser_Click()
{
    AddUserFromList(m_data.enquirers, m_data.users, m_form, m_editor);
}

void UsersTab::cmdEditUser_Click()
{
    EditSelectedUser(m_data.enquirers, m_data.users, m_form, m_editor);
}

void UsersTab::cmdRemoveUser_Click()
{
    DeleteSelectedUser(m_data.users, m_form);
}
