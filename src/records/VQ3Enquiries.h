#pragma once

#include "platform/Nullable.h"

#include <QDate>
#include <QString>

#include <cstdint>

class CDataBase;
struct ModeRows;

// The home of every query over table VQ3_Enquiries, kept to the rows of
// one mode (live or test). So far it holds the counts and purges that
// start-up and data maintenance need; the member list arrives with the
// enquiry record.
class VQ3Enquiries {
public:
    void SetDataSource(CDataBase* objDataSource, bool blnTestFlag);

    // Enquiries sent within the whole days from PeriodStart to PeriodEnd.
    int32_t EnquiriesSentInPeriod(const NullableDate& PeriodStart, const NullableDate& PeriodEnd) const;

    // Enquiries sent before the start of the day: complete ones have had
    // their response, incomplete ones not yet. Never-sent enquiries are
    // neither. A removal takes the enquiries' message errors with them and
    // returns how many enquiries went.
    int32_t CountCompleteEnquiries(const QDate& SentDateEarlierThan) const;
    int32_t RemoveCompleteEnquiries(const QDate& SentDateEarlierThan);
    int32_t CountIncompleteEnquiries(const QDate& SentDateOlderThan) const;
    int32_t RemoveIncompleteEnquiries(const QDate& SentDateOlderThan);

private:
    ModeRows SentBefore(const QDate& day, bool complete, const QString& source) const;
    int32_t RemoveWithErrors(const ModeRows& enquiries, const QString& source);

    CDataBase* m_db = nullptr;
    bool m_testFlag = false;
};
