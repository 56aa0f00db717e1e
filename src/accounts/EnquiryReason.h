#pragma once

#include "database/RecordOf.h"

#include <QString>

#include <cstdint>

struct EnquiryReasonFields {
    QString ID;
    QString Description;
    QString EnquiryCode;
    QString EnquirerId;
    bool IsDefault = false;
    bool IsEnabled = true;
    int16_t DateOfEventCutOff = 180;
};

// Why an enquiry is made: one row of ENQUIRY_REASON, owned by an enquirer.
// Its id is given by EnquiryReasons::Add, never by the key maker.
class EnquiryReason : public RecordOf<EnquiryReasonFields> {
public:
    QString Key() const override { return Current().ID; }

    // The text by which screens list a reason: "01AB, Insurance claim".
    QString DescriptionWithCode() const;

    QString Description() const { return Current().Description; }
    void SetDescription(const QString& value);
    QString ID() const { return Current().ID; }
    void SetID(const QString& value);
    QString EnquiryCode() const { return Current().EnquiryCode; }
    void SetEnquiryCode(const QString& value);
    QString EnquirerId() const { return Current().EnquirerId; }
    void SetEnquirerId(const QString& value);
    int16_t DateOfEventCutOff() const { return Current().DateOfEventCutOff; }
    void SetDateOfEventCutOff(int16_t value);
    bool IsDefault() const { return Current().IsDefault; }
    void SetIsDefault(bool value);
    bool IsEnabled() const { return Current().IsEnabled; }
    void SetIsEnabled(bool value);

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;
};
