#pragma once

#include <memory>

class User;

// The logged-on user, program-wide; none before a logon.
std::shared_ptr<User> GetCurrentUser();
// The same; raises a NevixError when no user is logged on.
std::shared_ptr<User> RequireCurrentUser();
void SetCurrentUser(std::shared_ptr<User> user);
