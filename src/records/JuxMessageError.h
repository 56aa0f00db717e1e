#pragma once

#include "database/RecordOf.h"

#include <QString>

struct JuxMessageErrorFields {
    QString ID;
    QString Description;
    QString JuxMsgReference;
    QString ErrorCode;
};

// One error attached to an enquiry or a response: a row of JUX_MSG_ERROR,
// linked to its owner by the owner's message reference. A new error holds
// a GUID as its ID until its first Apply gives it a key.
class JuxMessageError : public RecordOf<JuxMessageErrorFields> {
public:
    JuxMessageError();

    QString Key() const override { return Current().ID; }

    QString ID() const { return Current().ID; }
    void SetID(const QString& value);
    QString Description() const { return Current().Description; }
    void SetDescription(const QString& value);
    QString JuxMsgReference() const { return Current().JuxMsgReference; }
    void SetJuxMsgReference(const QString& value);
    QString ErrorCode() const { return Current().ErrorCode; }
    void SetErrorCode(const QString& value);

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    void SetDefaults() override;
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;
};
