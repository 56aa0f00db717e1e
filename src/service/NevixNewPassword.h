#pragma once

#include <QString>

#include <cstdint>

class LogLines;
class NevixRequest;

// What became of a password change.
namespace NewPasswordOutcomes {
// Refused, or failed before the service acknowledged it.
constexpr int16_t NotChanged = 0;
// Acknowledged and stored.
constexpr int16_t Changed = 1;
// Acknowledged, but something failed afterwards: the service may already
// expect the new password.
constexpr int16_t ChangedWithErrors = 2;
} // namespace NewPasswordOutcomes

// Agrees a new service password with the service, then stores it; a log
// run of its own under the communications lock. The two values are sent
// as given: the service judges them.
int16_t RunNevixNewPassword(LogLines& log, const QString& NewPassword, const QString& ConfirmedPassword);
// Its header still carries the current password.
NevixRequest CreateChangePasswordRequest(LogLines& log);
