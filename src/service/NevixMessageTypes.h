#pragma once

#include <QString>

// The message types the service knows, spelled as the documents carry them.
namespace NevixMessageTypes {
inline const QString VQ3Enquiry = QStringLiteral("VQ3Enquiry");
inline const QString VQ7AvailableRequest = QStringLiteral("VQ7AvailableRequest");
inline const QString VQ7Request = QStringLiteral("VQ7Request");
inline const QString VQ7Complete = QStringLiteral("VQ7Complete");
inline const QString DEBRequest = QStringLiteral("DEBRequest");
inline const QString DEBComplete = QStringLiteral("DEBComplete");
inline const QString EnquirerRequest = QStringLiteral("EnquirerRequest");
inline const QString ChangePassword = QStringLiteral("ChangePassword");
inline const QString SeedVQ7CtrlRef = QStringLiteral("SeedVQ7CtrlRef");
inline const QString SeedDebCtrlRef = QStringLiteral("SeedDebCtrlRef");
inline const QString CommsTest = QStringLiteral("CommsTest");
inline const QString SMRequest = QStringLiteral("SMRequest");
inline const QString SMComplete = QStringLiteral("SMComplete");
} // namespace NevixMessageTypes

// Answer types of the service.
namespace NevixResponseTypes {
inline const QString ACK = QStringLiteral("ACK");
inline const QString WARN = QStringLiteral("WARN");
inline const QString ERR = QStringLiteral("ERR");
} // namespace NevixResponseTypes

// True for exactly the known message types; letter case counts.
bool IsValidNevixMessageType(const QString& MessageType);

// The version a message type travels under: "2.0" for "VQ7Request", "1.0"
// for every other type.
QString NevixMessageVersionFor(const QString& MessageType);
