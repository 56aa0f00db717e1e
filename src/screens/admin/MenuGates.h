#pragma once

#include <QString>

#include <cstdint>

// Which of the main menu's gated buttons a user may press.
struct MenuGates {
    bool Admin = false;  // Admin Functions
    bool Debit = false;  // Debit Statements
    bool Send = false;   // Send & Receive

    bool operator==(const MenuGates&) const = default;
};

namespace MenuRoles {
inline const QString Admin = QStringLiteral("SYSADMIN,ADMIN");
inline const QString Debit = QStringLiteral("SYSADMIN,ADMIN,MGR");
} // namespace MenuRoles

// From the user's roles (comma-separated: any one listed passes, none
// passes nothing) and the install mode: a client installation never sends.
MenuGates MenuGatesFor(const QString& roles, int32_t installMode);
