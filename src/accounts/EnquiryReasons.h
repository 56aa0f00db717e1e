#pragma once

#include "accounts/EnquiryReason.h"
#include "database/RecordCollection.h"

#include <QString>

#include <memory>

// The reasons of one enquirer, keyed by ID (without regard to case).
class EnquiryReasons : public RecordCollection<EnquiryReason> {
public:
    // The reason to preselect (see DefaultMember); none: nullptr.
    Pointer DefaultReason() const;

    // Exact comparisons (letter case and blanks count); none: nullptr.
    Pointer FindByDescription(const QString& Description) const;
    Pointer FindByEnquiryCode(const QString& EnquiryCode) const;
    Pointer FindByEnquirerIdAndEnquiryCode(const QString& EnquirerId,
                                           const QString& EnquiryCode) const;

    // A new reason without an id first gets the lowest free one among the
    // members in memory (deleted ones included): its EnquirerId and a
    // number of at least three digits, "001" upwards.
    void Add(Pointer oReason) override;

    // The reasons of one enquirer, ordered by description.
    void Load(const QString& sEnquirerId);

    // The members and their states, to be put back by RestoreMembers when
    // a write that included them fails.
    std::unique_ptr<RecordState> SaveMembers() const;
    void RestoreMembers(const RecordState& state);
};
