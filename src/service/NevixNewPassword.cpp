#include "service/NevixNewPassword.h"

#include "core/LoggingGlobals.h"
#include "database/CommsLock.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/NevixParameters.h"
#include "records/XMLUtils.h"
#include "service/ExchangeStep.h"
#include "service/ExchangeSupport.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"

NevixRequest CreateChangePasswordRequest(LogLines& log)
{
    return NewNevixRequest(NevixMessageTypes::ChangePassword, log);
}

int16_t RunNevixNewPassword(LogLines& log, const QString& NewPassword, const QString& ConfirmedPassword)
{
    const QString processCode = QStringLiteral("CHGPWD");
    const QString userName = CurrentUserName();
    int16_t outcome = NewPasswordOutcomes::NotChanged;
    CommsLock lock;
    std::exception_ptr error;
    try {
        CDataBase& db = GlobalDatabase();
        log.SetDataSource(&db);
        log.BeginLogging(processCode, ProcessCodeDescription(processCode), userName);
        NevixParameters account;
        account.SetDataSource(&db);
        account.Load();
        lock.SetRunLog(&log);
        lock.AquireCommsLock(userName, &db);

        NevixRequest request = CreateChangePasswordRequest(log);
        request.AddNewBodyLine(QStringLiteral("<ChangePassword><NewPassword>") + EscapeXMLString(NewPassword) +
                               QStringLiteral("</NewPassword><ConfirmedPassword>") +
                               EscapeXMLString(ConfirmedPassword) +
                               QStringLiteral("</ConfirmedPassword></ChangePassword>"));
        const NevixResponse response = SendNevixRequest(request, false);
        if (ResponseTypeOf(response) != NevixResponseTypes::ACK) {
            LogNevixErrors(log, response);
        } else {
            outcome = NewPasswordOutcomes::Changed;
            account.SetPassword(NewPassword);
            account.Apply();
        }
    } catch (...) {
        error = std::current_exception();
    }

    ClosingSection closing(QStringLiteral("RunNevixNewPassword"));
    bool spoilt = closing.LogError(log, error);
    spoilt = closing.ReleaseLock(lock, log, userName) || spoilt;
    closing.Run([&] { log.EndLogging(); });
    spoilt = closing.Finish() || spoilt;
    if (spoilt && outcome == NewPasswordOutcomes::Changed)
        outcome = NewPasswordOutcomes::ChangedWithErrors;
    return outcome;
}
