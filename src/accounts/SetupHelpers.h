#pragma once

#include <QString>

#include <memory>

class Enquirers;
class Users;

// Set-up routines shared by the parameters screen and the set-up wizard
// that need no window.

// Makes the collection's default enquirer, and each enquirer's default
// reason, the only ones flagged (in memory; storing them is the caller's
// task), then gives every enquirer to the system groups' users.
void EnsureDefaultEnquirerAndReason(const std::shared_ptr<Enquirers>& enquirers);
// The enabled "System Users" and all "Administrators" get the whole list
// as their enquirers; each changed user is stored.
void AssignEnquirersToSystemGroups(const std::shared_ptr<Enquirers>& enquirers);

// True when a default enquirer and default reasons are flagged and every
// folder can be written to (missing folders are created); otherwise the
// problems are shown together as one warning.
bool ValidateEnquirerSetup(const Enquirers& enquirers);
// Adds a line (CR LF separated) to messages when the folder is blank or
// cannot be written to.
void CheckEnquirerFolder(const QString& folder, const QString& enquirerName, const QString& kind,
                         QString& messages);
// True when some administrator may deal with as many enquirers as there
// are; otherwise warns.
bool CheckAdminUserHasAllEnquirers(const Users& users, const Enquirers& enquirers);
