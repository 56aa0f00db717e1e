#include "accounts/CurrentUser.h"

#include "accounts/User.h"

namespace {
std::shared_ptr<User>& Slot()
{
    static std::shared_ptr<User> current;
    return current;
}
} // namespace

std::shared_ptr<User> GetCurrentUser()
{
    return Slot();
}

void SetCurrentUser(std::shared_ptr<User> user)
{
    Slot() = std::move(user);
}
