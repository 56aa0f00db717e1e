#pragma once

#include "core/VCipher.h"
#include "database/RecordOf.h"

#include <QString>

struct NevixParameterFields {
    QString ID;
    QString UserName;
    QString Password; // plain here, enciphered in the row
};

// The account this installation uses with the remote service: the one row
// of NEVIX_PARAMETERS, inserted by the first save when the table is empty.
class NevixParameters : public RecordOf<NevixParameterFields> {
public:
    NevixParameters() { Reset(); }

    QString Key() const override { return Current().ID; }

    // Every value is taken exactly as given, letter case and blanks kept.
    QString ID() const { return Current().ID; }
    void SetID(const QString& value) { SetText(&NevixParameterFields::ID, value, Qt::CaseSensitive); }
    QString UserName() const { return Current().UserName; }
    void SetUserName(const QString& value)
    {
        SetText(&NevixParameterFields::UserName, value, Qt::CaseSensitive);
    }
    QString Password() const { return Current().Password; }
    void SetPassword(const QString& value)
    {
        SetText(&NevixParameterFields::Password, value, Qt::CaseSensitive);
    }

    void Load();
    // A password the cipher cannot take fails before anything is written,
    // the key counter included.
    void Apply() override;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    // The key survives a reset.
    void SetDefaults() override;
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

private:
    VCipher m_cipher;
    QString m_enciphered; // the password as the write in progress stores it
};
