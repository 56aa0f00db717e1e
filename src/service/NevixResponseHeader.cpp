#include "service/NevixResponseHeader.h"

#include "core/NumericText.h"
#include "platform/NevixError.h"
#include "records/XMLUtils.h"
#include "service/NevixErrorMessage.h"
#include "service/NevixMessageTypes.h"

#include <cmath>
#include <limits>

namespace {
[[noreturn]] void Refuse(const QString& code, const QString& text)
{
    throw NevixError(ErrorNumbers::ObjectErrorBase, code + QStringLiteral(", ") + text,
                     QStringLiteral("LoadFromXMLResponse"));
}

// The leading number of the text rounded half to even; a value beyond 32
// bits is an overflow.
int32_t RoundedLong(const QString& text)
{
    const double value = std::nearbyint(Val(text));
    if (!(value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()))
        throw NevixError::Overflow(QStringLiteral("LoadFromXMLResponse"));
    return int32_t(value);
}

QString Naming(const char* text, const QString& value)
{
    return QString::fromLatin1(text) + QStringLiteral(" (") + value + QLatin1Char(')');
}
} // namespace

void NevixResponseHeader::LoadFromXMLResponse(const QString& ResponseText)
{
    const QString header = ExtractElement(QStringLiteral("ResponseHeader"), ResponseText);
    if (header.isEmpty())
        Refuse(NevixErrorCodes::NoHeader, QStringLiteral("No header found"));
    const auto value = [&header](const char* name) {
        return ExtractElementValue(QString::fromLatin1(name), header);
    };

    m_responseType = value("ResponseType");
    using namespace NevixResponseTypes;
    if (m_responseType != WARN && m_responseType != ERR && m_responseType != ACK) {
        if (m_responseType.isEmpty())
            Refuse(NevixErrorCodes::BadHeaderValue,
                   QStringLiteral("ResponseType element not found or its value is blank"));
        Refuse(NevixErrorCodes::BadHeaderValue, Naming("Unknown response type", m_responseType));
    }

    m_messageType = value("MessageType");
    if (!IsValidNevixMessageType(m_messageType))
        Refuse(NevixErrorCodes::MessageTypeProblem, Naming("Unsupported message type", m_messageType));

    m_messageVersion = value("MessageVersion");
    // Compared as numbers, so that "2", "2.0" and "2.00" are one version.
    if (Val(m_messageVersion) != Val(NevixMessageVersionFor(m_messageType)))
        Refuse(NevixErrorCodes::VersionNotSupported, Naming("MessageVersion not supported", m_messageVersion));

    m_isTest = value("TestFlag").contains(QLatin1Char('t'), Qt::CaseInsensitive);
    m_controlReference = RoundedLong(value("ControlReference"));

    m_messageTimeStamp = ExtractDateElementValue(QStringLiteral("MessageTimeStamp"), header);
    if (!m_messageTimeStamp)
        Refuse(NevixErrorCodes::BadHeaderValue, Naming("MessageTimestamp not valid", value("MessageTimeStamp")));
}
