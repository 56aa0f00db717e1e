#include "service/SendNevixRequest.h"

#include "core/ApplicationSettings.h"
#include "service/NevixResponse.h"
#include "service/frmHTTPComms.h"

NevixResponse SendNevixRequest(const NevixRequest& request, bool verbose)
{
    frmHTTPComms& comms = HTTPCommsForm();
    comms.SetVerboseLogging(verbose || Settings().VerboseConnectionLogging());
    NevixResponse response;
    comms.RunNevixConnection(request, response);
    const NevixResponseHeader* header = response.GetHeader();
    Settings().SetNevixResponseIsTestMode(header && header->IsTest());
    return response;
}
