#include "service/ExchangeStep.h"

#include "service/ExchangeSupport.h"

#include "core/AskTellUser.h"
#include "database/CDataBase.h"
#include "database/ErrorPersist.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "service/BuildNevixRequestHeader.h"
#include "service/NevixErrorMessages.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"

QString ResponseTypeOf(const NevixResponse& response)
{
    return response.GetHeader() ? response.GetHeader()->ResponseType() : QString();
}

NevixRequest NewNevixRequest(const QString& MessageType, LogLines& log)
{
    NevixRequest request;
    request.AddHeader(BuildNevixRequestHeader(MessageType, NevixMessageVersionFor(MessageType)));
    request.SetLogger(&log);
    return request;
}

bool AcknowledgeDelivery(const QString& MessageType, int32_t ControlReference, const QString& Sending,
                         const QString& Sent, LogLines& log, TransmissionResults& results,
                         FatalTextSetter appendFatal)
{
    NevixRequest request = NewNevixRequest(MessageType, log);
    request.AddNewBodyLine(ControlReferenceBodyLine(ControlReference));
    const QString reference = QString::number(ControlReference);
    log.AddToLog(EventCodes::Communication, Sending + reference);
    const NevixResponse response = SendNevixRequest(request, false);
    if (ResponseTypeOf(response) == NevixResponseTypes::ACK) {
        log.AddToLog(EventCodes::Communication, Sent + reference + QStringLiteral(" sent successfully"));
        return true;
    }
    LogNevixErrors(log, response);
    (results.*appendFatal)(QStringLiteral("NEVIX Service reported errors - please see log of details"));
    return false;
}

void LogNevixErrors(LogLines& log, const NevixResponse& response)
{
    LogNevixErrors(log, response, EventCodes::Error);
}

void CloseExchangeStep(const std::exception_ptr& error, const QString& procedure, LogLines& log,
                       TransmissionResults& results, FatalTextSetter appendFatal, CDataBase* db)
{
    try {
        SavedError().Load(error);
        if (db && db->IsInTransaction())
            db->RollbackAll();
        if (SavedError().Number() != 0) {
            log.AddToLog(EventCodes::Error, SavedError().Description());
            (results.*appendFatal)(SavedError().Description());
        }
    } catch (...) {
        ErrorPersist inner;
        inner.Load(std::current_exception());
        const QString text = QStringLiteral("Error reported in error handler of ") + procedure +
                             QStringLiteral(".  Data is probably unreliable");
        try {
            TellUserCritical(text + u'.', inner.Description());
            (results.*appendFatal)(text + QStringLiteral(": ") + inner.Description());
        } catch (...) {
        }
    }
}
