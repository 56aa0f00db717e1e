#pragma once

#include "database/RecordCollection.h"
#include "records/SystemMessage.h"

// The notices of the service, latest start date first, each under its ID.
class SystemMessages : public RecordCollection<SystemMessage> {
public:
    // A new message is first given the id "SS" and the count before adding
    // (the key maker's key replaces it when it is applied).
    void Add(Pointer objAddition) override;
    void Load();
};
