#include "service/SendVehicleEnquiriesToNevixServer.h"

#include "accounts/Enquirers.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/LoggingGlobals.h"
#include "core/Utils.h"
#include "database/CDataBase.h"
#include "database/GlobalDatabase.h"
#include "database/InTransaction.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "records/VQ3Enquiries.h"
#include "records/XMLUtils.h"
#include "service/ExchangeStep.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"

namespace {

const QString ReportedErrors = QStringLiteral("NEVIX Service reported errors - please see log of details");
const QString UnmatchedReference = QStringLiteral("Unable to match Enquiry Reference from NEVIX Service");
const QString WarnWithoutDetails = QStringLiteral("WARN answer without warning details");

void MarkUnsent(VQ3& enquiry)
{
    enquiry.SetWhenSent(std::nullopt);
    enquiry.SetWhenPrepared(std::nullopt);
}

// The enquiries a "WARN" answer names become unsent again and carry the
// service's errors. False when the answer names none.
bool HandleWarnings(VQ3Enquiries& batch, const NevixResponse& response, LogLines& log,
                    TransmissionResults& results, int32_t ControlReference)
{
    const DelimitedString warned = ExtractElementListUtf8(QStringLiteral("VQ7Response"), response.RawAnswer());
    const int32_t n = warned.Count();
    log.AddToLog(EventCodes::Communication, QString::number(n) +
                                                QStringLiteral(" VQ3 Enquiries with Control Reference ") +
                                                QString::number(ControlReference) + QStringLiteral(" had warnings"));
    if (n == 0) {
        // Nothing says which enquiries were refused: none counts as sent.
        log.AddToLog(EventCodes::Error, WarnWithoutDetails);
        results.SetFatalVQ3ErrorMessage(WarnWithoutDetails);
        return false;
    }
    results.SetVQ3Warnings(n);
    results.SetVQ3sSent(batch.Count() - n);
    for (int32_t i = 1; i <= n; ++i) {
        const QString element = warned.Word(i);
        if (ExtractElementValue(QStringLiteral("VQ3"), element).isEmpty())
            continue;
        const QString reference = ExtractElementValue(QStringLiteral("EnquiryReference"), element);
        const auto enquiry = batch.FindByEnquiryRef(reference);
        if (!enquiry) {
            TellUserWarning(UnmatchedReference, reference);
            log.AddToLog(EventCodes::Error, UnmatchedReference + QStringLiteral(": ") + reference);
            results.SetFatalVQ3ErrorMessage(UnmatchedReference + QStringLiteral(": ") + reference);
            continue;
        }
        MarkUnsent(*enquiry);
        const DelimitedString errors = ExtractElementList(QStringLiteral("ErrorMessage"), element);
        for (int32_t e = 1; e <= errors.Count(); ++e) {
            const QString description = ExtractElementValue(QStringLiteral("ErrorDescription"), errors.Word(e));
            enquiry->AddError(ExtractElementValue(QStringLiteral("ErrorCode"), errors.Word(e)), description);
            log.AddToLog(EventCodes::Communication,
                         QStringLiteral("VRM ") + enquiry->VRMVIN() + u',' + description);
        }
    }
    return true;
}

} // namespace

NevixRequest CreateVQ3Request(int32_t ControlReference, LogLines& log)
{
    NevixRequest request = NewNevixRequest(NevixMessageTypes::VQ3Enquiry, log);
    request.GetHeader()->SetControlReference(ControlReference);
    return request;
}

bool SendVQ3BatchWithControlReference(VQ3Enquiries& batch, LogLines& log, TransmissionResults& results,
                                      int32_t ControlReference)
{
    NevixRequest request = CreateVQ3Request(ControlReference, log);
    const QDateTime now = AppContext::Current().clock().Now();
    for (const auto& enquiry : batch) {
        request.AddNewBodyLine(enquiry->GetNevixMessageXmlString());
        enquiry->SetControlReference(ControlReference);
        enquiry->SetWhenSent(now);
    }
    const QString reference = QString::number(ControlReference);
    log.AddToLog(EventCodes::Communication, QStringLiteral("Sending ") + QString::number(batch.Count()) +
                                                QStringLiteral(" Enquiries with Control Reference ") + reference);
    // No transaction stays open while the service is waited for.
    const NevixResponse response = SendNevixRequest(request, false);
    const QString type = ResponseTypeOf(response);
    bool accepted = false;
    if (type == NevixResponseTypes::ACK) {
        log.AddToLog(EventCodes::Communication, QStringLiteral("All VQ3 Enquiries with Control Reference ") +
                                                    reference + QStringLiteral(" accepted by NEVIX service"));
        results.SetVQ3sSent(batch.Count());
        accepted = true;
    } else if (type == NevixResponseTypes::WARN) {
        accepted = HandleWarnings(batch, response, log, results, ControlReference);
    } else {
        LogNevixErrors(log, response);
        log.AddToLog(EventCodes::Error, QStringLiteral(" All VQ3 Enquiries in Control Reference ") + reference +
                                            QStringLiteral(" were rejected"));
        results.SetFatalVQ3ErrorMessage(ReportedErrors);
    }
    if (!accepted) {
        for (const auto& enquiry : batch)
            MarkUnsent(*enquiry);
    }
    // The outcome in one short transaction of its own. Should it fail, the
    // enquiries keep their reference unsent and go again under it.
    batch.Apply();
    return accepted;
}

bool SendVQ3Batch(VQ3Enquiries& batch, LogLines& log, TransmissionResults& results)
{
    int32_t reference = batch.Item(1)->ControlReference();
    if (reference == 0) {
        // The new reference is stored on the enquiries before anything is
        // sent: whatever happens later, they go again under this one.
        CDataBase& db = *batch.DataSource();
        InTransaction(db, [&] {
            SysParameters parameters;
            parameters.SetDataSource(&db);
            reference = parameters.GetNextVQ3ControlReference();
            for (const auto& enquiry : batch)
                enquiry->SetControlReference(reference);
            batch.Apply();
        });
    }
    return SendVQ3BatchWithControlReference(batch, log, results, reference);
}

void SendVehicleEnquiriesToNevixServer(LogLines& log, TransmissionResults& results)
{
    CDataBase& db = GlobalDatabase();
    std::exception_ptr failure;
    try {
        db.BeginTrans();
        SysParameters parameters;
        parameters.SetDataSource(&db);
        parameters.Load();
        int32_t batchSize = parameters.BatchSize();
        db.CommitTrans();
        if (batchSize < 1)
            batchSize = 99;

        log.AddToLog(EventCodes::Communication, ProcessCodeDescription(QStringLiteral("NVQ3")));
        db.BeginTrans();
        const bool testMode = Settings().RunInTestMode();
        VQ3Enquiries pending;
        pending.SetDataSource(&db, testMode);
        VQ3Enquiries batch;
        batch.SetDataSource(&db, testMode);
        Enquirers enquirers;
        enquirers.SetDataSource(&db);
        enquirers.Load();
        pending.LoadForSending(enquirers.GetEnquirerIds());
        log.AddToLog(EventCodes::Information, QStringLiteral("Checking for Vehicle Enquiries to send to NEVIX service"));
        if (pending.Count() == 0) {
            log.AddToLog(EventCodes::Information, QStringLiteral("There are no Vehicle Enquiries to send"));
            db.CommitTrans();
            return;
        }
        const QDateTime now = AppContext::Current().clock().Now();
        for (const auto& enquiry : pending) {
            if (!enquiry->WhenPrepared()) {
                enquiry->SetWhenPrepared(now);
                enquiry->SetDataSource(&db);
            }
        }
        pending.Apply();
        log.AddToLog(EventCodes::Information,
                     CountText(QStringLiteral("Vehicle Enquiry"), pending.Count()) + QStringLiteral(" ready for sending"));
        db.CommitTrans();

        // Consecutive enquiries of one control reference, at most a batch
        // size of them; a rejected batch stops the rest.
        int32_t position = 1;
        while (position <= pending.Count()) {
            batch.Clear();
            const int32_t reference = pending.Item(position)->ControlReference();
            while (position <= pending.Count() && batch.Count() < batchSize &&
                   pending.Item(position)->ControlReference() == reference) {
                batch.Add(pending.Item(position));
                ++position;
            }
            if (!SendVQ3Batch(batch, log, results))
                break;
        }
        log.AddToLog(EventCodes::Information,
                     CountText(QStringLiteral("Vehicle Enquiry"), results.VQ3sSent()) + QStringLiteral(" sent"));
        log.AddToLog(EventCodes::Information, CountText(QStringLiteral("Vehicle Enquiry"), results.VQ3Warnings()) +
                                                  QStringLiteral(" returned from server with warnings"));
    } catch (...) {
        failure = std::current_exception();
    }
    CloseExchangeStep(failure, QStringLiteral("SendVehicleEnquiriesToNevixServer"), log, results,
                      &TransmissionResults::SetFatalVQ3ErrorMessage, &db);
}
