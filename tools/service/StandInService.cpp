#include "StandInService.h"

#include <algorithm>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "records/XMLUtils.h"
#include "service/NevixMessageTypes.h"
#include "service/NevixRequest.h"

namespace {

QString Element(const QString& name, const QString& value)
{
    return QLatin1Char('<') + name + QLatin1Char('>') + value + QStringLiteral("</") + name + QLatin1Char('>');
}

QString TimeStamp()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}

QString Today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QString Document(const QString& responseType, const QString& type, int32_t controlReference, const QString& body)
{
    QString header = Element(QStringLiteral("ResponseType"), responseType) +
                     Element(QStringLiteral("MessageType"), EscapeXMLString(type)) +
                     Element(QStringLiteral("MessageVersion"), NevixMessageVersionFor(type));
    if (controlReference > 0)
        header += Element(QStringLiteral("ControlReference"), QString::number(controlReference));
    header += Element(QStringLiteral("MessageTimeStamp"), TimeStamp());
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                          "<ns2:NSResponse xmlns:ns2=\"") +
           NevixNamespaceUri + QStringLiteral("\">") + Element(QStringLiteral("ResponseHeader"), header) + body +
           QStringLiteral("</ns2:NSResponse>");
}

QString Error(const QString& type, const QString& code, const QString& description)
{
    return Document(NevixResponseTypes::ERR, type, 0,
                    Element(QStringLiteral("ErrorMessage"),
                            Element(QStringLiteral("ErrorCode"), code) +
                                Element(QStringLiteral("ErrorDescription"), EscapeXMLString(description))));
}

QString EnquiryReason(const char* code, const char* description)
{
    return Element(QStringLiteral("EnquiryReason"), Element(QStringLiteral("EnquiryCode"), QLatin1String(code)) +
                                                        Element(QStringLiteral("Description"),
                                                                QLatin1String(description)));
}

QString Enquirer(const char* id, const char* name, const QString& reasons)
{
    return Element(QStringLiteral("Enquirer"), Element(QStringLiteral("EnquirerId"), QLatin1String(id)) +
                                                   Element(QStringLiteral("EnquirerName"), QLatin1String(name)) +
                                                   reasons);
}

} // namespace

StandInService::StandInService(QString scriptFolder)
    : m_scriptFolder(std::move(scriptFolder))
{
}

bool StandInService::AddFault(const QString& fault)
{
    namespace T = NevixMessageTypes;
    const QString kind = fault.section(u':', 0, 0).trimmed().toLower();
    QString type = fault.section(u':', 1).trimmed();
    static const QMap<QString, QString> implied{{QStringLiteral("warn-empty"), T::VQ3Enquiry},
                                                {QStringLiteral("bad-delivery"), T::VQ7Request},
                                                {QStringLiteral("no-header-reference"), T::VQ7Request},
                                                {QStringLiteral("double-response"), T::VQ7Request},
                                                {QStringLiteral("bad-statement"), T::DEBRequest}};
    static const QStringList needType{QStringLiteral("hang"), QStringLiteral("slow"), QStringLiteral("drop"),
                                      QStringLiteral("cut")};
    if (implied.contains(kind)) {
        if (!type.isEmpty() && type != implied.value(kind))
            return false;
        type = implied.value(kind);
    } else if (!needType.contains(kind) || !IsValidNevixMessageType(type)) {
        return false;
    }
    m_faults.append({kind, type});
    return true;
}

bool StandInService::Strikes(const QString& kind, const QString& type)
{
    for (qsizetype i = 0; i < m_faults.size(); ++i) {
        if (m_faults[i].first == kind && m_faults[i].second == type) {
            m_faults.removeAt(i);
            return true;
        }
    }
    return false;
}

void StandInService::SetRequestObserver(std::function<void(const QString&)> observer)
{
    m_observer = std::move(observer);
}

std::optional<SimpleHttpServer::Answer> StandInService::Handle(const SimpleHttpServer::Request& request)
{
    const QString body = QString::fromUtf8(request.body);
    const QString type = ExtractElementValue(QStringLiteral("MessageType"), body);
    if (m_observer)
        m_observer(type);
    m_received[type] += 1;
    if (Strikes(QStringLiteral("hang"), type))
        return std::nullopt;
    // The header carries the control reference of an enquiry batch; the
    // other messages carry it as their body.
    const int32_t controlReference = ExtractElementValue(QStringLiteral("ControlReference"), body).trimmed().toInt();

    // A type that is no file name (an unknown one with slashes, say) is never scripted.
    const bool scriptable = !m_scriptFolder.isEmpty() && IsValidNevixMessageType(type);
    if (scriptable && QFileInfo::exists(m_scriptFolder + QLatin1Char('/') + type + QStringLiteral(".hang")))
        return std::nullopt;
    QFile script(m_scriptFolder + QLatin1Char('/') + type + QStringLiteral(".xml"));
    if (scriptable && script.open(QIODevice::ReadOnly))
        return SimpleHttpServer::Answer{200, Scripted(QString::fromUtf8(script.readAll()), type, controlReference)
                                                 .toUtf8()};
    QString answer;
    if (type == NevixMessageTypes::VQ3Enquiry && Strikes(QStringLiteral("warn-empty"), type))
        answer = Document(NevixResponseTypes::WARN, type, controlReference, QString());
    else if (type == NevixMessageTypes::VQ3Enquiry)
        answer = Remember(type, controlReference, body);
    else if (type == NevixMessageTypes::VQ7Request)
        answer = Responses(type, controlReference);
    else if (type == NevixMessageTypes::DEBRequest)
        answer = Statements(type);
    else
        answer = DefaultAnswer(type, controlReference);
    SimpleHttpServer::Answer reply{200, answer.toUtf8()};
    if (Strikes(QStringLiteral("slow"), type))
        reply.delayMilliseconds = m_delaySeconds * 1000;
    if (Strikes(QStringLiteral("drop"), type))
        reply.dropAfterBytes = 0;
    else if (Strikes(QStringLiteral("cut"), type))
        reply.dropAfterBytes = 120 + reply.body.size() / 2; // past the headers
    return reply;
}

QString StandInService::DefaultAnswer(const QString& type, int32_t controlReference)
{
    namespace T = NevixMessageTypes;
    if (!IsValidNevixMessageType(type))
        return Error(type, QStringLiteral("NS013"), QStringLiteral("Unsupported message type (") + type +
                                                        QLatin1Char(')'));
    QString body;
    if (type == T::EnquirerRequest) {
        body = Element(QStringLiteral("Enquirers"),
                       Enquirer("AB123", "Stand-in Parking",
                                EnquiryReason("01PK", "Parking enquiry") + EnquiryReason("02PK", "Private parking")) +
                           Enquirer("CD456", "Stand-in Tolls",
                                    EnquiryReason("03TL", "Tolls") + EnquiryReason("04TL", "Toll arrears")));
    } else if (type == T::VQ7AvailableRequest) {
        QString references;
        for (auto it = m_waiting.cbegin(); it != m_waiting.cend(); ++it)
            references += Element(QStringLiteral("ControlReference"), QString::number(it.key()));
        body = Element(QStringLiteral("ControlReferences"), references);
    } else if (type == T::VQ7Complete) {
        if (m_waiting.contains(controlReference))
            m_acknowledged.insert(controlReference, m_waiting.take(controlReference).size());
    } else if (type == T::DEBComplete) {
        if (controlReference == m_debitReference && !m_acknowledged.isEmpty()) {
            m_acknowledged.clear();
            ++m_debitReference;
        }
    }
    return Document(NevixResponseTypes::ACK, type, 0, body);
}

QString StandInService::Remember(const QString& type, int32_t controlReference, const QString& request)
{
    if (controlReference <= 0)
        return Error(type, QStringLiteral("NS201"), QStringLiteral("Control reference missing"));
    // A batch sent again under its reference is the same batch.
    QList<Enquiry>& enquiries = m_waiting[controlReference];
    enquiries.clear();
    const DelimitedString elements = ExtractElementList(QStringLiteral("VQ3"), request);
    for (int32_t i = 1; i <= elements.Count(); ++i) {
        const QString element = elements.Word(i);
        Enquiry enquiry;
        enquiry.vehicle = ExtractElementValue(QStringLiteral("VRM"), element);
        enquiry.vehicleElement = QStringLiteral("VRM");
        if (enquiry.vehicle.isEmpty()) {
            enquiry.vehicle = ExtractElementValue(QStringLiteral("VIN"), element);
            enquiry.vehicleElement = QStringLiteral("VIN");
        }
        enquiry.reference = ExtractElementValue(QStringLiteral("EnquiryReference"), element);
        enquiry.dateOfEvent = ExtractElementValue(QStringLiteral("DateOfEvent"), element);
        enquiries.append(enquiry);
    }
    if (enquiries.isEmpty())
        m_waiting.remove(controlReference);
    return Document(NevixResponseTypes::ACK, type, controlReference, QString());
}

QString StandInService::Responses(const QString& type, int32_t controlReference)
{
    // Without a control reference the service picks the first one waiting.
    if (controlReference <= 0 && !m_waiting.isEmpty())
        controlReference = m_waiting.firstKey();
    QString body;
    const bool badDelivery = Strikes(QStringLiteral("bad-delivery"), type);
    const bool doubled = Strikes(QStringLiteral("double-response"), type);
    QString first;
    for (const Enquiry& enquiry : m_waiting.value(controlReference)) {
        const QString vq3 = Element(enquiry.vehicleElement, EscapeXMLString(enquiry.vehicle)) +
                            Element(QStringLiteral("DateOfEvent"), EscapeXMLString(enquiry.dateOfEvent)) +
                            Element(QStringLiteral("EnquiryReference"), EscapeXMLString(enquiry.reference));
        const QString keeper =
            Element(QStringLiteral("KeeperName"), Element(QStringLiteral("Title"), QStringLiteral("MR")) +
                                                      Element(QStringLiteral("Surname"), QStringLiteral("KEEPER")) +
                                                      Element(QStringLiteral("Forename"), QStringLiteral("JOHN"))) +
            Element(QStringLiteral("KeeperAddress"),
                    Element(QStringLiteral("AddressLine1"), QStringLiteral("1 STAND-IN STREET")) +
                        Element(QStringLiteral("City"), QStringLiteral("TESTTOWN")) +
                        Element(QStringLiteral("PostCode"), QStringLiteral("TT1 1TT"))) +
            Element(QStringLiteral("VehicleDetails"),
                    Element(QStringLiteral("Make"), QStringLiteral("MAKE")) +
                        Element(QStringLiteral("Model"), QStringLiteral("MODEL")) +
                        // More keepers than the client can count: the delivery cannot be read.
                        (badDelivery && first.isEmpty()
                             ? Element(QStringLiteral("NumberOfPreviousKeepers"), QStringLiteral("99999"))
                             : QString()));
        const QString response = Element(QStringLiteral("VQ7Response"),
                                         Element(QStringLiteral("ControlReference"), QString::number(controlReference)) +
                                             Element(QStringLiteral("DateOfResponse"), Today()) +
                                             Element(QStringLiteral("VQ3"), vq3) + Element(QStringLiteral("VQ7"), keeper));
        if (first.isEmpty())
            first = response;
        body += response;
    }
    if (doubled)
        body += first;
    const bool withoutReference = Strikes(QStringLiteral("no-header-reference"), type);
    return Document(NevixResponseTypes::ACK, type, withoutReference ? 0 : std::max(controlReference, 0), body);
}

QString StandInService::Statements(const QString& type)
{
    if (m_acknowledged.isEmpty())
        return Document(NevixResponseTypes::ACK, type, 0, QString());
    QString body;
    for (auto it = m_acknowledged.cbegin(); it != m_acknowledged.cend(); ++it) {
        const QString total = QString::number(double(it.value()) * 2.5, 'f', 2);
        body += Element(QStringLiteral("Deb"),
                        Element(QStringLiteral("StatementReference"),
                                QStringLiteral("AB123/%1").arg(it.key(), 4, 10, QLatin1Char('0'))) +
                            Element(QStringLiteral("IssueDate"), Today()) +
                            Element(QStringLiteral("TransactionDate"), Today()) +
                            Element(QStringLiteral("NumberOfCharges"), QString::number(it.value())) +
                            Element(QStringLiteral("RateOfCharge"), QStringLiteral("2.50")) +
                            Element(QStringLiteral("TotalAmountOfCharge"), total) +
                            Element(QStringLiteral("TotalAmountOfDebit"), total));
    }
    if (Strikes(QStringLiteral("bad-statement"), type))
        body += Element(QStringLiteral("Deb"), Element(QStringLiteral("StatementReference"), QStringLiteral("AB123/BAD")) +
                                                   Element(QStringLiteral("TransactionDate"), Today()) +
                                                   Element(QStringLiteral("NumberOfCharges"), QStringLiteral("1")) +
                                                   Element(QStringLiteral("RateOfCharge"), QStringLiteral("abc")) +
                                                   Element(QStringLiteral("TotalAmountOfCharge"), QStringLiteral("2.50")) +
                                                   Element(QStringLiteral("TotalAmountOfDebit"), QStringLiteral("2.50")));
    return Document(NevixResponseTypes::ACK, type, m_debitReference, Element(QStringLiteral("Debs"), body));
}

QString StandInService::Scripted(const QString& text, const QString& type, int32_t controlReference) const
{
    QString answer = text;
    return answer.replace(QStringLiteral("$TYPE"), type)
        .replace(QStringLiteral("$VERSION"), NevixMessageVersionFor(type))
        .replace(QStringLiteral("$CONTROLREFERENCE"), QString::number(controlReference))
        .replace(QStringLiteral("$TIMESTAMP"), TimeStamp());
}
