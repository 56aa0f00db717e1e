#pragma once

#include "platform/Nullable.h"

#include <QString>

#include <cstdint>

// The header of an answer, read and checked.
class NevixResponseHeader {
public:
    // "ACK", "WARN" or "ERR" once accepted.
    QString ResponseType() const { return m_responseType; }
    void SetResponseType(const QString& value) { m_responseType = value; }
    QString MessageType() const { return m_messageType; }
    void SetMessageType(const QString& value) { m_messageType = value; }
    QString MessageVersion() const { return m_messageVersion; }
    void SetMessageVersion(const QString& value) { m_messageVersion = value; }
    bool IsTest() const { return m_isTest; }
    void SetIsTest(bool value) { m_isTest = value; }
    int32_t ControlReference() const { return m_controlReference; }
    void SetControlReference(int32_t value) { m_controlReference = value; }
    // Local time.
    NullableDate MessageTimeStamp() const { return m_messageTimeStamp; }
    void SetMessageTimeStamp(const NullableDate& value) { m_messageTimeStamp = value; }
    // Never read from an answer.
    QString UserName() const { return m_userName; }
    void SetUserName(const QString& value) { m_userName = value; }
    QString Password() const { return m_password; }
    void SetPassword(const QString& value) { m_password = value; }

    // Reads the ResponseHeader element of the answer and checks it. A
    // failed check raises error 0x80040000 whose description is the code, a
    // comma, a blank and the text ("NS013, Unsupported message type (X)");
    // values read before the failure stay set.
    void LoadFromXMLResponse(const QString& ResponseText);

private:
    QString m_responseType;
    QString m_messageType;
    QString m_messageVersion;
    bool m_isTest = false;
    int32_t m_controlReference = 0;
    NullableDate m_messageTimeStamp;
    QString m_userName;
    QString m_password;
};
