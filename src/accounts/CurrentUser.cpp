#include "accounts/CurrentUser.h"

#include "accounts/User.h"
#include "platform/NevixError.h"

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

std::shared_ptr<User> RequireCurrentUser()
{
    std::shared_ptr<User> user = Slot();
    if (!user)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No user is logged on"));
    return user;
}

void SetCurrentUser(std::shared_ptr<User> user)
{
    Slot() = std::move(user);
}
