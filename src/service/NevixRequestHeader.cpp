#include "service/NevixRequestHeader.h"

#include "platform/NevixError.h"
#include "records/XMLUtils.h"

namespace {
QString Element(const QString& name, const QString& value)
{
    return QLatin1Char('<') + name + QLatin1Char('>') + value + QStringLiteral("</") + name +
           QLatin1Char('>');
}
} // namespace

QString NevixRequestHeader::ToXMLString() const
{
    if (!m_f.MessageTimeStamp || !m_f.MessageTimeStamp->isValid())
        throw NevixError(ErrorNumbers::InvalidArgument,
                         QStringLiteral("The request header has no time stamp"),
                         QStringLiteral("NevixRequestHeader.ToXMLString"));
    // Already UTC: the fields are written as they stand.
    const QDateTime& stamp = *m_f.MessageTimeStamp;
    QString xml = QStringLiteral("<RequestHeader>");
    xml += Element(QStringLiteral("MessageTimeStamp"),
                   stamp.date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('T') +
                       stamp.time().toString(QStringLiteral("HH:mm:ss")) + QLatin1Char('Z'));
    xml += Element(QStringLiteral("MessageType"), m_f.MessageType);
    xml += Element(QStringLiteral("MessageVersion"), m_f.MessageVersion);
    xml += Element(QStringLiteral("UserName"), EscapeXMLString(m_f.UserName));
    xml += Element(QStringLiteral("Password"), EscapeXMLString(m_f.Password));
    if (!m_f.SoftwareClient.isEmpty())
        xml += Element(QStringLiteral("SoftwareClient"), EscapeXMLString(m_f.SoftwareClient));
    if (m_f.IsTest)
        xml += QStringLiteral("<TestFlag>true</TestFlag>");
    if (m_f.ControlReference > 0)
        xml += Element(QStringLiteral("ControlReference"), QString::number(m_f.ControlReference));
    xml += QStringLiteral("</RequestHeader>");
    return xml;
}
