#include "service/NevixCommsTest.h"

#include "core/LoggingGlobals.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "service/BuildNevixRequestHeader.h"
#include "service/ExchangeStep.h"
#include "service/ExchangeSupport.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"

NevixRequest CreateCommsTestRequest(LogLines& log)
{
    NevixRequestHeader header = BuildNevixRequestHeaderV1(NevixMessageTypes::CommsTest);
    header.SetIsTest(false);
    NevixRequest request;
    request.AddHeader(header);
    request.SetLogger(&log);
    return request;
}

bool DoNevixCommsTest(LogLines& log)
{
    const NevixRequest request = CreateCommsTestRequest(log);
    // The test always shows every connection step.
    const NevixResponse response = SendNevixRequest(request, true);
    const QString type = ResponseTypeOf(response);
    if (type == NevixResponseTypes::ACK)
        return true;
    const bool reached = type == NevixResponseTypes::WARN;
    LogNevixErrors(log, response, reached ? EventCodes::Warning : EventCodes::Error);
    return reached;
}

bool RunNevixCommsTest(LogLines& log)
{
    const QString processCode = QStringLiteral("NCOMST");
    bool result = false;
    std::exception_ptr error;
    try {
        log.SetDataSource(&GlobalDatabase());
        log.BeginLogging(processCode, ProcessCodeDescription(processCode), CurrentUserName());
        result = DoNevixCommsTest(log);
    } catch (...) {
        error = std::current_exception();
    }
    ClosingSection closing(QStringLiteral("RunNevixCommsTest"));
    if (closing.LogError(log, error))
        result = false;
    closing.Run([&] { log.EndLogging(); });
    closing.Finish();
    return result;
}
