#include "service/SendNevixRequest.h"

#include "core/ApplicationSettings.h"
#include "service/NevixErrorMessages.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/frmHTTPComms.h"

namespace {
// The wait for an answer lets timers and window events run: an exchange
// started from one of them must not disturb the one under way.
bool exchangeUnderWay = false;
} // namespace

bool IsExchangeUnderWay()
{
    return exchangeUnderWay;
}

NevixResponse SendNevixRequest(const NevixRequest& request, bool verbose)
{
    NevixResponse response;
    if (exchangeUnderWay) {
        response.SetRequest(request);
        response.AddError(NevixErrorCodes::ConnectionFailed,
                          QStringLiteral("Connection to NEVIX service failed (") + NestedExchangeRefused +
                              u')');
        return response;
    }
    exchangeUnderWay = true;
    struct ExchangeEnds {
        ~ExchangeEnds() { exchangeUnderWay = false; }
    } exchangeEnds;

    frmHTTPComms& comms = HTTPCommsForm();
    comms.SetVerboseLogging(verbose || Settings().VerboseConnectionLogging());
    comms.RunNevixConnection(request, response);
    const NevixResponseHeader* header = response.GetHeader();
    Settings().SetNevixResponseIsTestMode(header && header->IsTest());
    return response;
}
