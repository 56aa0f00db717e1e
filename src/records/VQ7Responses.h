#pragma once

#include "platform/Nullable.h"

#include <QDate>

#include <cstdint>

class CDataBase;

// The home of every query over table VQ7_Responses, kept to the rows of
// one mode (live or test). So far it holds the count and purge that
// start-up and data maintenance need; the member list arrives with the
// response record.
class VQ7Responses {
public:
    void SetDataSource(CDataBase* objDataSource, bool blnTestFlag);

    // Responses dated (Date_Of_Response) within the whole days from
    // PeriodStart to PeriodEnd.
    int32_t ResponsesReceivedInPeriod(const NullableDate& PeriodStart, const NullableDate& PeriodEnd) const;

    // Responses received before the start of the day: removed (their
    // message errors stay), or with bCountOnly only counted.
    int32_t RemoveResponses(const QDate& ReceivedDateOlderThan, bool bCountOnly = false);

private:
    CDataBase* m_db = nullptr;
    bool m_testFlag = false;
};
