#pragma once

#include <QString>

// Codes the program itself sets on an answer that fails its checks; the
// service's own codes pass through as it sends them.
namespace NevixErrorCodes {
inline const QString ParseFailed = QStringLiteral("NS001");
inline const QString NoHeader = QStringLiteral("NS010");
inline const QString BadHeaderValue = QStringLiteral("NS011");
inline const QString MessageTypeProblem = QStringLiteral("NS013");
inline const QString VersionNotSupported = QStringLiteral("NS014");
inline const QString ProgramError = QStringLiteral("ERPRG");
// No answer: the connection failed, timed out or was refused.
inline const QString ConnectionFailed = QStringLiteral("JX001");
} // namespace NevixErrorCodes

// One error of an answer: a code and its description.
class NevixErrorMessage {
public:
    NevixErrorMessage() = default;
    NevixErrorMessage(const QString& code, const QString& description)
        : m_code(code), m_description(description) {}

    QString ErrorCode() const { return m_code; }
    void SetErrorCode(const QString& value) { m_code = value; }
    QString ErrorDescription() const { return m_description; }
    void SetErrorDescription(const QString& value) { m_description = value; }

private:
    QString m_code;
    QString m_description;
};
