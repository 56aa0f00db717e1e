#include "service/NevixSeedControlRefs.h"

#include "core/ApplicationSettings.h"
#include "core/LoggingGlobals.h"
#include "database/ErrorPersist.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "records/DebitStatements.h"
#include "records/VQ7Responses.h"
#include "service/ExchangeStep.h"
#include "service/ExchangeSupport.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"

NevixRequest CreateSeedControlRefRequest(const QString& MessageType, int32_t ControlReference, LogLines& log)
{
    NevixRequest request = NewNevixRequest(MessageType, log);
    request.AddNewBodyLine(ControlReferenceBodyLine(ControlReference));
    return request;
}

bool SendSeedControlRef(LogLines& log, const QString& MessageType, int32_t ControlReference)
{
    const NevixRequest request = CreateSeedControlRefRequest(MessageType, ControlReference, log);
    const NevixResponse response = SendNevixRequest(request, false);
    if (ResponseTypeOf(response) == NevixResponseTypes::ACK)
        return true;
    LogNevixErrors(log, response);
    return false;
}

bool RunNevixSeedControlRefs(LogLines& log)
{
    bool result = false;
    try {
        log.AddToLog(EventCodes::Communication, ProcessCodeDescription(QStringLiteral("SCTL")));
        CDataBase* db = &GlobalDatabase();
        const bool testMode = Settings().RunInTestMode();
        DebitStatements statements;
        statements.SetDataSource(db, testMode);
        VQ7Responses responses;
        responses.SetDataSource(db, testMode);
        const int32_t responseMax = responses.GetMaxControlReference();
        const int32_t statementMax = statements.GetMaxControlReference();

        if (!SendSeedControlRef(log, NevixMessageTypes::SeedVQ7CtrlRef, responseMax))
            return false;
        log.AddToLog(EventCodes::Communication,
                     QStringLiteral("VQ7 Ctrl seeded with: ") + QString::number(responseMax));
        if (!SendSeedControlRef(log, NevixMessageTypes::SeedDebCtrlRef, statementMax))
            return false;
        log.AddToLog(EventCodes::Communication,
                     QStringLiteral("Debit Ctrl seeded with: ") + QString::number(statementMax));
        result = true;
    } catch (...) {
        result = false;
        try {
            SavedError().Load(std::current_exception());
            log.AddToLog(EventCodes::Error, SavedError().Description());
        } catch (...) {
        }
    }
    return result;
}
