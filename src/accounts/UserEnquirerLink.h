#pragma once

#include "database/RecordOf.h"

#include <QString>

struct UserEnquirerLinkFields {
    QString ID;
    QString EnquirerId;
    QString UserId;
};

// One row of USER_ENQUIRER_LINK: a user may deal with an enquirer. Only
// inserted (by User::Apply); rows go by the bulk deletes of their user or
// enquirer.
class UserEnquirerLink : public RecordOf<UserEnquirerLinkFields> {
public:
    QString Key() const override { return Current().ID; }

    QString ID() const { return Current().ID; }
    void SetID(const QString& value);
    QString EnquirerId() const { return Current().EnquirerId; }
    void SetEnquirerId(const QString& value);
    QString UserId() const { return Current().UserId; }
    void SetUserId(const QString& value);
    void SetIsDirty(bool value) { m_flags.IsDirty = value; }
    void SetIsNew(bool value) { m_flags.IsNew = value; }

    // The row whose id is ID.
    void Load();

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;
};
