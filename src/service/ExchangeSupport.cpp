#include "service/ExchangeSupport.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/AskTellUser.h"
#include "database/CommsLock.h"
#include "database/ErrorPersist.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "service/NevixErrorMessages.h"
#include "service/NevixResponse.h"

QString CurrentUserName()
{
    const auto user = GetCurrentUser();
    return user ? user->UserName() : QString();
}

void LogNevixErrors(LogLines& log, const NevixResponse& response, int32_t EventCode)
{
    const NevixErrorMessages* errors = response.GetErrors();
    if (!errors)
        return;
    for (int32_t i = 1; i <= errors->Count(); ++i) {
        const NevixErrorMessage& error = errors->Item(i);
        log.AddToLog(EventCode, error.ErrorCode() + u':' + error.ErrorDescription());
    }
}

void ClosingSection::Run(const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
        if (!m_failed) {
            ErrorPersist failure;
            failure.Load(std::current_exception());
            m_description = failure.Description();
        }
        m_failed = true;
    }
}

bool ClosingSection::LogError(LogLines& log, const std::exception_ptr& error)
{
    bool had = false;
    Run([&] {
        SavedError().Load(error);
        had = bool(error);
        if (had)
            log.AddToLog(EventCodes::Error, SavedError().Description());
    });
    return had;
}

bool ClosingSection::ReleaseLock(CommsLock& lock, LogLines& log, const QString& UserName)
{
    bool stillHeld = false;
    Run([&] {
        if (!lock.IsLockedByMe())
            return;
        lock.ReleaseCommsLock(UserName, &GlobalDatabase());
        stillHeld = lock.IsLockedByMe();
        if (stillHeld)
            log.AddToLog(EventCodes::Error, QStringLiteral("Could not clear lock for communications"));
    });
    return stillHeld;
}

bool ClosingSection::Finish() const
{
    if (m_failed)
        TellUserCritical(QStringLiteral("Error reported in error handler of ") + m_procedure +
                             QStringLiteral(".  Data is probably unreliable."),
                         m_description);
    return m_failed;
}
