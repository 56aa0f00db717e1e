#include "screens/common/UserList.h"

#include <QListWidget>

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/Users.h"
#include "core/AskTellUser.h"
#include "platform/UserInteraction.h"
#include "screens/common/EnquirerSetupForm.h"

namespace {
void Inform(const QString& message)
{
    TellUser(message, QString(), MsgBox::Information);
}

// Opens the editor for the user and rebuilds the list when it was stored.
void EditUser(const std::shared_ptr<Enquirers>& enquirers, const std::shared_ptr<User>& user,
              Users& users, EnquirerSetupForm& form, const UserEditor& editUser, bool isNew)
{
    try {
        editUser(form.FormWindow(), enquirers, user);
        if (!user->BeenApplied())
            return;
        if (isNew)
            users.Add(user);
        LoadUserList(users, form);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to edit the user:"), e.Description());
    }
}

bool IsLoggedOnUser(const User& user)
{
    const auto current = GetCurrentUser();
    return current && current->UserId() == user.UserId();
}
} // namespace

std::shared_ptr<User> GetSelectedUser(const Users& users, EnquirerSetupForm& form)
{
    const QListWidgetItem* line = form.lstUsers()->currentItem();
    if (!line)
        return nullptr;
    const QString userId = line->data(Qt::UserRole).toString();
    if (userId.isEmpty() || !users.Exists(userId))
        return nullptr;
    auto user = users.Item(userId);
    user->Load();
    return user;
}

void LoadUserList(Users& users, EnquirerSetupForm& form)
{
    QListWidget* list = form.lstUsers();
    list->clear();
    users.Load();
    for (const auto& user : users) {
        QString text = user->UserName() + QStringLiteral(" (") + user->Description() + u')';
        if (!user->Enabled())
            text += QStringLiteral(" - Disabled");
        auto* line = new QListWidgetItem(text, list);
        line->setData(Qt::UserRole, user->UserId());
    }
}

void AddUserFromList(const std::shared_ptr<Enquirers>& enquirers, Users& users,
                     EnquirerSetupForm& form, const UserEditor& editUser)
{
    if (!enquirers || enquirers->Count() == 0) {
        TellUserWarning(QStringLiteral("You cannot add users until you have Enquirers."), QString());
        return;
    }
    auto user = std::make_shared<User>();
    user->SetDataSource(users.DataSource());
    EditUser(enquirers, user, users, form, editUser, true);
}

void EditSelectedUser(const std::shared_ptr<Enquirers>& enquirers, Users& users,
                      EnquirerSetupForm& form, const UserEditor& editUser)
{
    std::shared_ptr<User> user;
    try {
        user = GetSelectedUser(users, form);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to edit the user:"), e.Description());
        return;
    }
    if (user)
        EditUser(enquirers, user, users, form, editUser, false);
}

void DeleteSelectedUser(Users& users, EnquirerSetupForm& form)
{
    try {
        const auto user = GetSelectedUser(users, form);
        if (!user)
            return;
        if (IsLoggedOnUser(*user)) {
            Inform(QStringLiteral("You cannot delete your own user account."));
        } else if (user->IsSysAdminUser()) {
            Inform(QStringLiteral("You cannot delete the System Administrator"));
        } else if (user->IsAdminUser() && user->Enabled()) {
            Inform(QStringLiteral("You must disable an Admin user before the user can be deleted."));
        } else if (AskUser(QStringLiteral("Delete user '") + user->UserName() + QStringLiteral("' ?"),
                           QString(), MsgBox::YesNo, MsgBox::AnswerNo) == MsgBox::AnswerYes) {
            user->SetIsDeleted(true);
            try {
                users.Apply();
            } catch (...) {
                // Not deleted: a later save of the list must not delete it.
                user->CancelEdit();
                throw;
            }
            LoadUserList(users, form);
        }
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to delete the user:"), e.Description());
    }
}
