#pragma once

#include "database/RecordOf.h"

#include <QString>

class User;
class UserGroup;

struct UserGroupLinkFields {
    QString ID;
    QString UGroupId;
    QString UserId;
};

// A user's membership of a group: one row of USER_GROUP_LINK.
class UserGroupLink : public RecordOf<UserGroupLinkFields> {
public:
    UserGroupLink();

    QString Key() const override { return Current().ID; }

    QString ID() const { return Current().ID; }
    void SetID(const QString& value);
    QString UGroupId() const { return Current().UGroupId; }
    void SetUGroupId(const QString& value);
    QString UserId() const { return Current().UserId; }
    void SetUserId(const QString& value);

    // The membership of that user in that group; none: a fresh link.
    void LoadByGroupAndUser(const UserGroup& oGroup, const User& oUser);
    void Load();

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    // A fresh GUID as the key.
    void SetDefaults() override;
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;
};
