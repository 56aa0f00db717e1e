#pragma once

#include "database/RecordOf.h"

#include <QString>

#include <memory>

class User;
class Users;

// The group names and role codes the program knows.
namespace GroupNames {
inline const QString SystemUsers = QStringLiteral("System Users");
inline const QString Administrators = QStringLiteral("Administrators");
inline const QString Managers = QStringLiteral("Managers");
inline const QString NormalUsers = QStringLiteral("Normal Users");
} // namespace GroupNames

namespace RoleCodes {
inline const QString SYSADMIN = QStringLiteral("SYSADMIN");
inline const QString ADMIN = QStringLiteral("ADMIN");
inline const QString MGR = QStringLiteral("MGR");
inline const QString CLER = QStringLiteral("CLER");
} // namespace RoleCodes

struct UserGroupFields {
    QString ID;
    QString Name;
    QString Description;
    QString Roles; // comma-separated role codes
};

// A group of users and the roles it gives them: one row of USER_GROUPS.
// Groups come with the database; the program writes only memberships.
class UserGroup : public RecordOf<UserGroupFields> {
public:
    UserGroup();
    ~UserGroup() override;

    QString Key() const override { return Current().ID; }

    QString ID() const { return Current().ID; }
    void SetID(const QString& value);
    QString Name() const { return Current().Name; }
    void SetName(const QString& value);
    QString Description() const { return Current().Description; }
    void SetDescription(const QString& value);
    QString Roles() const { return Current().Roles; }
    void SetRoles(const QString& value);

    // Memberships, written at once within the caller's transaction; the
    // cached members of the group and groups of the user are not refreshed.
    void AddUser(const User& oUser);
    void RemoveUser(const User& oUser);

    // The members by user name, loaded on first use; EnabledOnly counts only
    // at that first load.
    std::shared_ptr<::Users> Users(bool EnabledOnly = false);

    // By name, without regard to case; none: a fresh group.
    void LoadByName(const QString& UserGroupName);
    void Load();

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    // A fresh GUID as the key; no cached members.
    void SetDefaults() override;
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

private:
    std::shared_ptr<::Users> m_users;
};
