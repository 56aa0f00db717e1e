#include "service/NevixEnquirerRequest.h"

#include "accounts/Enquirer.h"
#include "accounts/Enquirers.h"
#include "accounts/EnquiryReason.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/Validation.h"
#include "core/LoggingGlobals.h"
#include "database/CDataBase.h"
#include "database/CommsLock.h"
#include "database/ErrorPersist.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "maintenance/EnquirerRequest.h"
#include "platform/NevixError.h"
#include "records/XMLUtils.h"
#include "service/ExchangeStep.h"
#include "service/ExchangeSupport.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"

#include <memory>

namespace {

const QString Procedure = QStringLiteral("RunNevixEnquirerRequest");

[[noreturn]] void Refuse(const QString& text)
{
    throw NevixError(ErrorNumbers::ObjectErrorBase, text, Procedure);
}

QList<QString> Words(const DelimitedString& list)
{
    QList<QString> words;
    for (int32_t i = 1; i <= list.Count(); ++i)
        words.append(list.Word(i));
    return words;
}

// The enquirer's own values without its reasons, so that a reason's
// IsEnabled or IsDefault is never read as the enquirer's.
QString OwnPart(const QString& enquirer)
{
    QString own = enquirer;
    for (const QString& reason : Words(ExtractElementList(QStringLiteral("EnquiryReason"), enquirer)))
        own.remove(reason);
    return own;
}

void ValidateEnquirers(const QList<QString>& enquirers, LogLines& log)
{
    for (const QString& element : enquirers) {
        const QString own = OwnPart(element);
        const QString id = ExtractElementValue(QStringLiteral("EnquirerId"), own);
        if (id.isEmpty())
            Refuse(QStringLiteral("Enquirer downloaded has no EnquirerId"));
        log.AddToLog(EventCodes::Communication, QStringLiteral("Validating Enquirer with EnquirerId: ") + id);
        // An id is a key and an item of the users' enquirer lists: one the
        // rule refuses could reach another enquirer's rows.
        if (const QString refused = ValidateEnquirerId(id); !refused.isEmpty())
            Refuse(QStringLiteral("Enquirer downloaded has an invalid EnquirerId ") + id + QStringLiteral(": ") +
                   refused);
        if (ExtractElementValue(QStringLiteral("EnquirerName"), own).isEmpty())
            Refuse(QStringLiteral("Enquirer downloaded has no Enquirer name"));
        const QList<QString> reasons = Words(ExtractElementList(QStringLiteral("EnquiryReason"), element));
        if (reasons.isEmpty())
            Refuse(QStringLiteral("There was no Enquiry Reasons for Enquirer ") + id);
        for (const QString& reason : reasons) {
            if (ExtractElementValue(QStringLiteral("Description"), reason).isEmpty())
                Refuse(QStringLiteral("Enquiry Reason  downloaded has no Description"));
            if (ExtractElementValue(QStringLiteral("EnquiryCode"), reason).isEmpty())
                Refuse(QStringLiteral("Enquiry Reason  downloaded has no EnquiryCode"));
        }
    }
}

std::shared_ptr<EnquiryReason> ReasonFrom(const QString& element, const QString& EnquirerId)
{
    auto reason = std::make_shared<EnquiryReason>();
    reason->SetEnquirerId(EnquirerId);
    reason->SetEnquiryCode(ExtractElementValue(QStringLiteral("EnquiryCode"), element));
    reason->SetDescription(ExtractElementValue(QStringLiteral("Description"), element).left(50));
    reason->SetDateOfEventCutOff(ExtractIntegerElementValue(QStringLiteral("DateOfEventCutOff"), element, 180));
    reason->SetIsDefault(ExtractBooleanElementValue(QStringLiteral("IsDefault"), element, false));
    reason->SetIsEnabled(ExtractBooleanElementValue(QStringLiteral("IsEnabled"), element, true));
    return reason;
}

// Adds or updates each listed enquirer with exactly its enabled reasons;
// the enabled ones leave the deletion list.
void ReplaceEnquirers(const QList<QString>& enquirers, CDataBase& db, Enquirers& working, Enquirers& deletion)
{
    for (const QString& element : enquirers) {
        const QString own = OwnPart(element);
        const QString id = ExtractElementValue(QStringLiteral("EnquirerId"), own);
        Enquirers::Pointer enquirer = working.Find(id);
        if (!enquirer)
            enquirer = std::make_shared<Enquirer>();
        enquirer->SetEnquirerId(id);
        enquirer->SetIntermediaryId(ExtractElementValue(QStringLiteral("IntermediaryId"), own));
        enquirer->SetName(ExtractElementValue(QStringLiteral("EnquirerName"), own));
        enquirer->SetIsDefault(ExtractBooleanElementValue(QStringLiteral("IsDefault"), own, false));
        enquirer->SetIsEnabled(ExtractBooleanElementValue(QStringLiteral("IsEnabled"), own, true));
        if (enquirer->IsEnabled())
            deletion.Remove(id);
        enquirer->SetDataSource(&db);
        const auto reasons = enquirer->EnquiryReasons();
        for (const auto& stored : reasons->NewEnum())
            stored->SetIsDeleted(true);
        for (const QString& reasonElement : Words(ExtractElementList(QStringLiteral("EnquiryReason"), element))) {
            const auto reason = ReasonFrom(reasonElement, id);
            if (reason->IsEnabled())
                reasons->Add(reason);
        }
        enquirer->Apply();
    }
}

// Every enquirer left in the deletion list goes, in the state pass 2 left
// it in when it was listed but disabled, so its time stamp still matches.
void DeleteUnlisted(Enquirers& working, Enquirers& deletion)
{
    for (const auto& stale : std::vector<Enquirers::Pointer>(deletion.NewEnum())) {
        Enquirers::Pointer enquirer = working.Find(stale->EnquirerId());
        if (!enquirer)
            enquirer = stale;
        enquirer->SetIsDeleted(true);
        enquirer->Apply();
    }
}

void DeleteAllEnquirers(CDataBase& db, LogLines& log)
{
    Enquirers all;
    all.SetDataSource(&db);
    all.Load();
    for (const auto& enquirer : all.NewEnum())
        enquirer->SetIsDeleted(true);
    all.Apply();
    log.AddToLog(EventCodes::Error,
                 QStringLiteral("All enquirers have been deleted because non were returned from the server"));
}

bool DownloadEnquirers(LogLines& log, const QString& userName)
{
    const QString processCode = QStringLiteral("NPARAMS");
    bool outcome = false;
    CommsLock lock;
    std::exception_ptr error;
    CDataBase* db = nullptr;
    try {
        db = &GlobalDatabase();
        log.SetDataSource(db);
        log.BeginLogging(processCode, ProcessCodeDescription(processCode), userName);
        lock.SetRunLog(&log);
        lock.AquireCommsLock(userName, db);
        const NevixRequest request = CreateEnquirerRequest(log);
        const NevixResponse response = SendNevixRequest(request, false);
        if (ResponseTypeOf(response) != NevixResponseTypes::ACK) {
            LogNevixErrors(log, response);
        } else {
            const QList<QString> enquirers =
                Words(ExtractElementListUtf8(QStringLiteral("Enquirer"), response.RawAnswer()));
            if (enquirers.isEmpty()) {
                DeleteAllEnquirers(*db, log);
            } else {
                db->BeginTrans();
                ValidateEnquirers(enquirers, log);
                Enquirers working;
                working.SetDataSource(db);
                working.Load();
                Enquirers deletion;
                deletion.SetDataSource(db);
                deletion.Load();
                ReplaceEnquirers(enquirers, *db, working, deletion);
                DeleteUnlisted(working, deletion);
                db->CommitTrans();
                outcome = true;
            }
        }
    } catch (...) {
        error = std::current_exception();
    }

    ClosingSection closing(Procedure);
    closing.Run([&] {
        if (error && db)
            db->RollbackAll();
    });
    if (closing.LogError(log, error))
        outcome = false;
    if (closing.ReleaseLock(lock, log, userName))
        outcome = false;
    closing.Run([&] { log.EndLogging(); });
    if (closing.Finish())
        outcome = false;
    return outcome;
}

} // namespace

NevixRequest CreateEnquirerRequest(LogLines& log)
{
    return NewNevixRequest(NevixMessageTypes::EnquirerRequest, log);
}

bool RunNevixEnquirerRequest(LogLines& log)
{
    return DownloadEnquirers(log, CurrentUserName());
}

void InstallEnquirerRequestRunner()
{
    SetEnquirerRequestRunner(DownloadEnquirers);
}
