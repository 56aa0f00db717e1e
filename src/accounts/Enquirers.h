#pragma once

#include "accounts/Enquirer.h"
#include "database/RecordCollection.h"

#include <QString>
#include <QStringList>

// Enquirers keyed by EnquirerId (without regard to case).
class Enquirers : public RecordCollection<Enquirer> {
public:
    // The first member whose id equals the given one exactly; none: nullptr.
    Pointer Find(const QString& EnquirerId) const;
    // The enquirer to preselect (see DefaultMember); none: nullptr.
    Pointer DefaultEnquirer() const;
    // "AB123,CD456"; "" when empty.
    QString GetEnquirerIdsAsString() const;
    // The ids in collection order, each whole: what the record queries are
    // given, as an id may hold a ",".
    QStringList GetEnquirerIds() const;

    // All enquirers, by name.
    void Load();
    // The enquirers whose ids are listed, separated by ",", by name.
    void LoadByIds(const QString& Ids);
    // The enquirers linked to one user, by name.
    void LoadByUserId(const QString& UserId);
};
