#include "service/RequestVehicleResponsesFromNevixServer.h"

#include "core/ApplicationSettings.h"
#include "core/DelimitedString.h"
#include "core/LoggingGlobals.h"
#include "core/NumericText.h"
#include "core/Utils.h"
#include "database/CDataBase.h"
#include "database/ErrorPersist.h"
#include "database/GlobalDatabase.h"
#include "database/InTransaction.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "platform/NevixError.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7.h"
#include "records/VQ7Responses.h"
#include "records/XMLUtils.h"
#include "service/ExchangeStep.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"

#include <cmath>
#include <limits>

namespace {

const QString ReportedErrors = QStringLiteral("NEVIX Service reported errors - please see log of details");

// The leading number of the text, rounded half to even; too large a
// number is an overflow, as the column could not hold it.
template <typename Int>
Int LeadingWholeNumber(const QString& text)
{
    const double value = std::nearbyint(Val(text));
    if (value < double(std::numeric_limits<Int>::min()) || value > double(std::numeric_limits<Int>::max()))
        throw NevixError::Overflow(QStringLiteral("GetVQ7sFromNevix"));
    return Int(value);
}

QString KeeperTitleCode(const QString& title)
{
    if (title.contains(QLatin1String("miss"), Qt::CaseInsensitive))
        return QStringLiteral("3");
    if (title.contains(QLatin1String("mrs"), Qt::CaseInsensitive))
        return QStringLiteral("2");
    if (title.contains(QLatin1String("mr"), Qt::CaseInsensitive))
        return QStringLiteral("1");
    return QStringLiteral("0");
}

// A delivery whose receipt failed: logged under its reference, with the
// fatal text; nothing of it stays stored and it is not acknowledged.
void LogFailedDelivery(const std::exception_ptr& error, const QString& reference, LogLines& log,
                       TransmissionResults& results)
{
    CDataBase& db = GlobalDatabase();
    if (db.IsInTransaction())
        db.RollbackAll();
    ErrorPersist failure;
    failure.Load(error);
    const QString text = QStringLiteral("Control reference ") + reference +
                         QStringLiteral(" not received: ") + failure.Description();
    log.AddToLog(EventCodes::Error, text);
    results.SetFatalVQ7ErrorMessage(text);
}

// One VQ7Response element of an answer as a new response.
std::shared_ptr<VQ7> ReadResponse(const QString& element, const NevixResponseHeader& header, bool trimAsterisks,
                                  LogLines& log)
{
    const QString vq3 = ExtractElement(QStringLiteral("VQ3"), element);
    const QString vq7 = ExtractElement(QStringLiteral("VQ7"), element);
    const QString name = ExtractElement(QStringLiteral("KeeperName"), vq7);
    const QString address = ExtractElement(QStringLiteral("KeeperAddress"), vq7);
    const QString vehicle = ExtractElement(QStringLiteral("VehicleDetails"), vq7);
    const auto text = [](const char* tag, const QString& source) {
        return ExtractElementValue(QString::fromLatin1(tag), source);
    };
    const auto keeperText = [trimAsterisks](const char* tag, const QString& source) {
        return ExtractElementValue(QString::fromLatin1(tag), source, QString(), true, trimAsterisks);
    };
    const auto date = [](const char* tag, const QString& source) {
        return ExtractDateElementValue(QString::fromLatin1(tag), source);
    };

    auto response = std::make_shared<VQ7>();
    const int32_t enquiryControlReference =
        LeadingWholeNumber<int32_t>(text("ControlReference", element));
    response->SetDateOfResponse(date("DateOfResponse", element));
    response->SetDVLAERRCode(QString());
    response->SetHardcopyCode(ExtractBooleanElementValue(QStringLiteral("HardCopyIndicator"), element, false)
                                  ? QStringLiteral("1")
                                  : QString());
    response->SetTitle(keeperText("Title", name));
    response->SetKeeperName1(keeperText("Surname", name));
    response->SetKeeperName2(keeperText("Forename", name));
    response->SetCompanyName(keeperText("CompanyName", name));
    response->SetOtherName(keeperText("Other", name));
    if (response->CompanyName().isEmpty() && response->OtherName().isEmpty()) {
        response->SetKeeperNameCode(QStringLiteral("3"));
        response->SetKeeperTitleCode(KeeperTitleCode(response->Title()));
    } else {
        response->SetKeeperNameCode(QStringLiteral("5"));
        response->SetKeeperTitleCode(QStringLiteral("5"));
    }
    response->SetKeeperAddress1(keeperText("AddressLine1", address));
    response->SetKeeperAddress2(keeperText("AddressLine2", address));
    response->SetKeeperAddress3(keeperText("AddressLine3", address));
    response->SetKeeperAddress4(keeperText("AddressLine4", address));
    response->SetKeeperPostTown(keeperText("City", address));
    response->SetKeeperPostCode(keeperText("PostCode", address));
    response->SetMake(text("Make", vehicle));
    response->SetModel(text("Model", vehicle));
    response->SetVIN(text("VIN", vehicle));
    response->SetColour(text("Colour", vehicle));
    response->SetTaxClass(text("TaxClass", vehicle));
    response->SetSeatingCapacity(text("SeatingCapacity", vehicle));
    response->SetRegistrationNumber(text("RegistrationNumber", vehicle));
    response->SetTaxStatus(text("TaxStatus", vehicle));
    response->SetFleetNumber(text("FleetNumber", vehicle));
    response->SetSecondaryColour(text("SecondaryColour", vehicle));
    response->SetBodyType(text("BodyType", vehicle));
    response->SetEngine(text("Engine", vehicle));
    response->SetEngineCapacity(response->Engine());
    response->SetDateOfLicenseExpiry(date("DateOfLicenceExpiry", vehicle));
    response->SetDateFirstRegistered(date("DateOfFirstRegistration", vehicle));
    response->SetDateOfRecovery(date("DateOfRecovery", vehicle));
    response->SetDateOfTheft(date("DateOfTheft", vehicle));
    response->SetDateofExport(date("DateOfExport", vehicle));
    response->SetDateofScrap(date("DateOfScrapping", vehicle));
    response->SetDateLastKeeperChange(date("DateOfChangeOfKeeper", vehicle));
    response->SetNumberOfKeepers(LeadingWholeNumber<int16_t>(text("NumberOfPreviousKeepers", vehicle)));
    response->SetControlReference(header.ControlReference());
    response->SetDateOfEvent(date("DateOfEvent", vq3));
    response->SetEnquiryReference(text("EnquiryReference", vq3));
    const QString vrm = text("VRM", vq3);
    response->SetVRM(vrm.isEmpty() ? text("VIN", vq3) : vrm);
    response->SetWhenPrepared(response->DateOfResponse());
    response->SetWhenReceived(AppContext::Current().clock().Now());
    response->SetVQ3Controlreference(enquiryControlReference);
    response->SetIsTest(header.IsTest());

    const DelimitedString errors = ExtractElementList(QStringLiteral("ErrorMessage"), element);
    const bool hardCopy = response->HardcopyCode() == QLatin1String("1");
    if (errors.Count() > 0 || hardCopy) {
        for (int32_t i = 1; i <= errors.Count(); ++i)
            response->AddError(text("ErrorCode", errors.Word(i)), text("ErrorDescription", errors.Word(i)));
        if (hardCopy)
            response->AddError(QStringLiteral("NS601"),
                               QStringLiteral("No keeper details can be generated but a paper response will be printed and sent"));
        log.AddToLog(EventCodes::Communication,
                     QStringLiteral("Response for ") + response->VRM() + QStringLiteral(" has NEVIX VQ7 response errors"));
        response->SetDVLAERRCode(QStringLiteral("X"));
    }
    return response;
}

} // namespace

NevixRequest CreateVQ7Request(LogLines& log)
{
    return NewNevixRequest(NevixMessageTypes::VQ7Request, log);
}

bool GetAvailableControlReferences(LogLines& log, TransmissionResults& results, DelimitedString& List)
{
    log.AddToLog(EventCodes::Communication, QStringLiteral("Getting Available Control References to request"));
    const NevixResponse response = SendNevixRequest(NewNevixRequest(NevixMessageTypes::VQ7AvailableRequest, log), false);
    if (ResponseTypeOf(response) == NevixResponseTypes::ACK) {
        List = ExtractElementListUtf8(QStringLiteral("ControlReference"), response.RawAnswer());
        log.AddToLog(EventCodes::Communication, QString::number(List.Count()) + QStringLiteral(" Ctrl references returned"));
        return true;
    }
    log.AddToLog(EventCodes::Error, QStringLiteral("NEVIX_MSG_VQ7_AVAILABLE returned errors or warnings"));
    LogNevixErrors(log, response);
    results.SetFatalVQ7ErrorMessage(ReportedErrors);
    return false;
}

bool GetVQ7sFromNevix(const QString& ControlReference, VQ7Responses& Responses, LogLines& log,
                      TransmissionResults& results, bool RemoveAsterisks)
{
    NevixRequest request = CreateVQ7Request(log);
    if (!ControlReference.isEmpty()) {
        request.AddNewBodyLine(QStringLiteral("<ControlReference>") + ControlReference +
                               QStringLiteral("</ControlReference>"));
        log.AddToLog(EventCodes::Communication, QStringLiteral("Requesting VQ7s for VQ3 control reference ") +
                                                    ControlReference + QStringLiteral(" from NEVIX service"));
    } else {
        log.AddToLog(EventCodes::Communication,
                     QStringLiteral("Requesting VQ7s for any control reference from the NEVIX service"));
    }
    const NevixResponse response = SendNevixRequest(request, false);
    const QString type = ResponseTypeOf(response);
    if (type != NevixResponseTypes::ACK && type != NevixResponseTypes::WARN) {
        LogNevixErrors(log, response);
        results.SetFatalVQ7ErrorMessage(ReportedErrors);
        return false;
    }
    const NevixResponseHeader& header = *response.GetHeader();
    // Each response is made text in turn, never the whole delivery at once.
    const ElementList elements = ListElements(QStringLiteral("VQ7Response"), response.RawAnswer());
    log.AddToLog(EventCodes::Communication, QStringLiteral("Processing ") +
                                                CountText(QStringLiteral("response"), elements.Count()) +
                                                QStringLiteral(" returned with control reference ") +
                                                QString::number(header.ControlReference()));
    Responses.Clear();
    for (int32_t i = 1; i <= elements.Count(); ++i)
        Responses.Add(ReadResponse(elements.Word(i), header, RemoveAsterisks, log));
    log.AddToLog(EventCodes::Communication, QStringLiteral("Finished processing returned responses"));
    return true;
}

bool AcknowledgeVQ7s(int32_t ControlReference, LogLines& log, TransmissionResults& results)
{
    return AcknowledgeDelivery(NevixMessageTypes::VQ7Complete, ControlReference,
                               QStringLiteral("Sending acknowledgment for VQ7s on control reference "),
                               QStringLiteral("Acknowledgment for VQ7s on control reference "), log, results,
                               &TransmissionResults::SetFatalVQ7ErrorMessage);
}

bool ProcessVQ7ControlReference(LogLines& log, TransmissionResults& results, const QString& ControlReference)
{
    // The delivery is asked for, and acknowledged, by this number.
    bool numeric = false;
    const int32_t requested = ControlReference.trimmed().toInt(&numeric);
    if (!numeric || requested < 0)
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("Not a control reference: ") + ControlReference,
                         QStringLiteral("ProcessVQ7ControlReference"));
    CDataBase& db = GlobalDatabase();
    SysParameters parameters;
    parameters.SetDataSource(&db);
    parameters.Load();
    const bool testMode = Settings().RunInTestMode();
    VQ3Enquiries matched;
    matched.SetDataSource(&db, testMode);
    VQ7Responses responses;
    responses.SetDataSource(&db, testMode);

    bool outcome = GetVQ7sFromNevix(QString::number(requested), responses, log, results,
                                    parameters.TrimAsterisk());
    if (responses.Count() == 0 || !outcome)
        return outcome;

    const int32_t answered = responses.Item(1)->ControlReference();
    if (answered != requested)
        log.AddToLog(EventCodes::Warning, QStringLiteral("Responses requested for control reference ") +
                                              QString::number(requested) +
                                              QStringLiteral(" came back under control reference ") +
                                              QString::number(answered));
    // The duplicate test, the match and the save in one transaction: one
    // lock for the whole delivery, and no duplicate can come in between.
    InTransaction(db, [&] {
        // Walks a copy: duplicates leave the list.
        const std::vector<VQ7Responses::Pointer> received = responses.NewEnum();
        for (const auto& response : received) {
            const QString reference = response->EnquiryReference();
            if (!reference.isEmpty() &&
                responses.CountofDuplicateResponses(reference, response->VRM(), response->DateOfEvent(),
                                                    response->DateOfResponse()) != 0) {
                log.AddToLog(EventCodes::Communication,
                             QStringLiteral("VQ7 for ") + response->VRM() + u',' + reference +
                                 QStringLiteral(" is already in the system and was not received from the NEVIX service"));
                responses.Remove(response->ID());
                continue;
            }
            auto enquiry = std::make_shared<VQ3>(VQ3::ForLoading{});
            enquiry->SetDataSource(&db);
            enquiry->LoadByMatchedVQ7(*response, false);
            if (enquiry->IsNew()) {
                log.AddToLog(EventCodes::Warning, QStringLiteral("Could not find a matched VQ3 for ") +
                                                      response->VRM() + u',' + reference + u',' +
                                                      QString::number(response->VQ3Controlreference()));
                continue;
            }
            if (!matched.Exists(enquiry->ID())) {
                enquiry->SetResponseReceived(1);
                matched.Add(enquiry);
            }
            // A second response to one enquiry carries its enquirer too.
            const VQ3& answeredEnquiry = *matched.Item(enquiry->ID());
            if (answeredEnquiry.AutoImport())
                response->SetForAutoExport(true);
            response->SetEnquirerId(answeredEnquiry.EnquirerId());
            response->SetEnquirerName(answeredEnquiry.EnquirerName());
            response->SetEnquiryCode(answeredEnquiry.EnquiryCode());
            response->SetEnquiryCodeDesc(answeredEnquiry.EnquiryCodeDesc());
        }

        responses.Apply();
        matched.Apply();
    });

    results.SetVQ7sReceived(responses.Count());
    const QString reference = QString::number(requested);
    log.AddToLog(EventCodes::Communication, QString::number(responses.Count()) +
                                                QStringLiteral(" Responses received under control reference ") +
                                                reference + QStringLiteral(" and committed to system"));
    outcome = AcknowledgeVQ7s(requested, log, results);
    if (outcome)
        log.AddToLog(EventCodes::Communication,
                     QStringLiteral("Control reference ") + reference + QStringLiteral(" acknowledged with NEVIX service"));
    else
        log.AddToLog(EventCodes::Error, QStringLiteral("Control reference ") + reference +
                                            QStringLiteral(" FAILED to be acknowledged with NEVIX service"));
    return outcome;
}

void RequestVehicleResponsesFromNevixServer(LogLines& log, TransmissionResults& results)
{
    // The responses' dates repeat: each is made a local time once.
    const LocalTimeMemo dates;
    std::exception_ptr failure;
    try {
        log.AddToLog(EventCodes::Communication, ProcessCodeDescription(QStringLiteral("NVQ7")));
        log.AddToLog(EventCodes::Information, QStringLiteral("Requesting Vehicle Responses"));
        DelimitedString references;
        if (GetAvailableControlReferences(log, results, references)) {
            // One delivery that fails is left unacknowledged for a later run;
            // the others are still received.
            for (int32_t i = 1; i <= references.Count(); ++i) {
                const QString reference = ExtractElementValue(QStringLiteral("ControlReference"), references.Word(i));
                if (reference.isEmpty())
                    continue;
                try {
                    ProcessVQ7ControlReference(log, results, reference);
                } catch (...) {
                    LogFailedDelivery(std::current_exception(), reference, log, results);
                }
            }
        }
        log.AddToLog(EventCodes::Information,
                     CountText(QStringLiteral("Vehicle Response"), results.VQ7sReceived()) + QStringLiteral(" received"));
        if (results.VQ7Warnings() > 0)
            log.AddToLog(EventCodes::Information, CountText(QStringLiteral("Vehicle Response"), results.VQ7Warnings()) +
                                                      QStringLiteral(" received with warnings"));
    } catch (...) {
        failure = std::current_exception();
    }
    CloseExchangeStep(failure, QStringLiteral("RequestVehicleResponsesFromNevixServer"), log, results,
                      &TransmissionResults::SetFatalVQ7ErrorMessage, &GlobalDatabase());
}
