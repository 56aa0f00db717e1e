#pragma once

#include "database/RecordOf.h"
#include "platform/NevixError.h"

#include <QString>

#include <memory>

class Enquirers;
class UserGroups;
class VCipher;

namespace ErrorNumbers {
// A user name already held by another user (names are unique without
// regard to letter case).
constexpr int32_t UserNameInUse = ObjectErrorBase + 130;
} // namespace ErrorNumbers

struct UserFields {
    QString UserId;
    QString UserName;
    QString Password; // in plain; stored enciphered
    QString Description;
    bool Enabled = true;
    bool CanChangePassword = true;
};

// A local user: one row of USERS, with the roles of its groups and the
// enquirers it may deal with. Writes its enquirer links, and on deletion
// its memberships, in the transaction of its own row.
class User : public RecordOf<UserFields> {
public:
    User();
    ~User() override;

    QString Key() const override { return Current().UserId; }

    // The enquirers this user may deal with, loaded on first use.
    std::shared_ptr<::Enquirers> Enquirers();
    void aReloadEnquirers();
    // The user's groups by name, loaded on first use in a transaction of
    // their own; nullptr drops them so that the next use loads again.
    std::shared_ptr<::UserGroups> UserGroups();
    void SetUserGroups(std::shared_ptr<::UserGroups> value);
    // A different set of enquirer ids (or none: nullptr) makes the next
    // Apply rewrite every enquirer link of the user; the same set in any
    // order changes nothing.
    void ReplaceEnquirers(std::shared_ptr<::Enquirers> oEnquirers);

    // The role texts of the user's groups joined by ",", built once per load.
    QString Roles();
    bool IsAdminUser();
    bool IsSysAdminUser();

    QString UserId() const { return Current().UserId; }
    void SetUserId(const QString& value);
    // A new key from the key maker.
    void CreatePersistableId();
    QString UserName() const { return Current().UserName; }
    // Stored without leading and trailing blanks.
    void SetUserName(const QString& value);
    QString Password() const { return Current().Password; }
    // Stored without leading and trailing blanks.
    void SetPassword(const QString& value);
    QString Description() const { return Current().Description; }
    void SetDescription(const QString& value);
    bool Enabled() const { return Current().Enabled; }
    void SetEnabled(bool value);
    bool CanChangePassword() const { return Current().CanChangePassword; }
    void SetCanChangePassword(bool value);

    // The logon lookup: the user of that name (without regard to case)
    // when the password matches exactly; otherwise IsNew is true. Whether
    // the user is enabled is the caller's test.
    void LoadByUserNameAndPassword(const QString& UserName, const QString& Password);
    void Load();
    void LoadByUserName(const QString& UserName);
    void LoadRoles();

    void LoadByRecordSet(const RecordSet& objRs) override;
    // Refuses a name another user holds (ErrorNumbers::UserNameInUse).
    void Apply() override;

    std::unique_ptr<RecordState> SaveState() const override;
    void RestoreState(const RecordState& state) override;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().UserId = key; }
    // Also forgets the role text and both cached collections.
    void SetDefaults() override;
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

private:
    const VCipher& Cipher() const;
    void CheckNameIsFree(CDataBase& db) const;
    void WriteEnquirerLinks(CDataBase& db);

    QString m_roles;
    std::shared_ptr<::UserGroups> m_groups;
    std::shared_ptr<::Enquirers> m_enquirers;
    bool m_enquirerLinksChanged = false;
    mutable std::unique_ptr<VCipher> m_cipher;
};
