#pragma once

#include <memory>

class User;

// The logged-on user, program-wide; none before a logon.
std::shared_ptr<User> GetCurrentUser();
void SetCurrentUser(std::shared_ptr<User> user);
