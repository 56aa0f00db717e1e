#include "records/CommonRoutines.h"

#include "core/ApplicationSettings.h"
#include "database/GlobalDatabase.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

int32_t CountEnquiriesSentInPeriod(const NullableDate& PeriodStart, const NullableDate& PeriodEnd)
{
    if (!PeriodStart || !PeriodEnd)
        return 0;
    VQ3Enquiries enquiries;
    enquiries.SetDataSource(&GlobalDatabase(), Settings().RunInTestMode());
    return enquiries.EnquiriesSentInPeriod(PeriodStart, PeriodEnd);
}

int32_t CountResponsesReceivedInPeriod(const NullableDate& PeriodStart, const NullableDate& PeriodEnd)
{
    if (!PeriodStart || !PeriodEnd)
        return 0;
    VQ7Responses responses;
    responses.SetDataSource(&GlobalDatabase(), Settings().RunInTestMode());
    return responses.ResponsesReceivedInPeriod(PeriodStart, PeriodEnd);
}
