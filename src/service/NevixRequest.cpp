#include "service/NevixRequest.h"

#include "core/ApplicationSettings.h"
#include "platform/NevixError.h"

namespace {
const QString RootElement = QStringLiteral("jux:NSRequest");
const QString ProcessInstruction =
    QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>");
} // namespace

QString NevixRequest::ToXMLString() const
{
    if (!m_header)
        throw NevixError(ErrorNumbers::InvalidArgument, QStringLiteral("The request has no header"),
                         QStringLiteral("NevixRequest.ToXMLString"));
    QString xml;
    if (!Settings().DontWriteXML1ProcessInstruction())
        xml += ProcessInstruction;
    xml += QLatin1Char('<') + RootElement + QStringLiteral(" xmlns:jux=\"") + NevixNamespaceUri +
           QStringLiteral("\">");
    xml += m_header->ToXMLString();
    if (Count() > 0) {
        if (!m_bodyElement.isEmpty())
            xml += QLatin1Char('<') + m_bodyElement + QLatin1Char('>');
        for (const NevixBodyLine& line : NewEnum())
            xml += line.BodyXMLLine();
        if (!m_bodyElement.isEmpty())
            xml += QStringLiteral("</") + m_bodyElement + QLatin1Char('>');
    }
    xml += QStringLiteral("</") + RootElement + QLatin1Char('>');
    return xml;
}

QString ControlReferenceBodyLine(int32_t ControlReference)
{
    return QStringLiteral("<ControlReference>") + QString::number(ControlReference) +
           QStringLiteral("</ControlReference>");
}
