#pragma once

#include "database/RecordOf.h"

#include <QString>

struct BlackListedVRMFields {
    QString VRM;
    QString Reason;
    QString BlacklistedBy;
    NullableDate BlacklistedOn;
    QString StoredVRM; // the mark its row is stored under; a new entry's own mark
};

// A mark for which no enquiry may be sent: one row of VRM_BLACKLIST, keyed
// by the mark itself. The blacklist has no test flag: live and test runs
// share it. The update and the delete find the row by the mark it is
// stored under, so a stored entry given another mark keeps its row.
class BlackListedVRM : public RecordOf<BlackListedVRMFields> {
public:
    QString Key() const override { return Current().StoredVRM; }

    QString BlacklistedBy() const { return Current().BlacklistedBy; }
    void SetBlacklistedBy(const QString& value);
    NullableDate BlacklistedOn() const { return Current().BlacklistedOn; }
    void SetBlacklistedOn(const NullableDate& value);
    QString VRM() const { return Current().VRM; }
    // Stored trimmed, in capitals and without blanks.
    void SetVRM(const QString& value);
    QString Reason() const { return Current().Reason; }
    void SetReason(const QString& value);

    // The mark as given (a "*" in it matches any characters); no row leaves
    // a new, empty entry.
    void Load(const QString& VRM);
    // A concurrency failure carries the source "BlackListedVRM".
    void Apply() override;

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().VRM = MutableFields().StoredVRM = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;

private:
    // The stored row takes the entry's new mark with its other columns.
    void ApplyNewMark();
};
