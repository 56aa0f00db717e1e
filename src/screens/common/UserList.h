#pragma once

#include <functional>
#include <memory>

class EnquirerSetupForm;
class Enquirers;
class QWidget;
class User;
class Users;

// Opens the user editor modally over the owner for a new or loaded user,
// offering the enquirers; the editor stores the user (BeenApplied) on OK.
using UserEditor = std::function<void(QWidget* owner, const std::shared_ptr<Enquirers>& enquirers,
                                      const std::shared_ptr<User>& user)>;

// The user of the selected line, read again from the database; none when
// no line is selected. Each line keeps its user's id, so any name is found.
std::shared_ptr<User> GetSelectedUser(const Users& users, EnquirerSetupForm& form);
// Reloads the users and lists them: "name (description)", with
// " - Disabled" for a disabled user.
void LoadUserList(Users& users, EnquirerSetupForm& form);
// The three user buttons. Errors are shown as warnings; the list is
// rebuilt only when something was stored.
void AddUserFromList(const std::shared_ptr<Enquirers>& enquirers, Users& users,
                     EnquirerSetupForm& form, const UserEditor& editUser);
void EditSelectedUser(const std::shared_ptr<Enquirers>& enquirers, Users& users,
                      EnquirerSetupForm& form, const UserEditor& editUser);
// Refuses the logged-on user's own account, the system administrator and
// an enabled administrator; asks before deleting anyone else.
void DeleteSelectedUser(Users& users, EnquirerSetupForm& form);
