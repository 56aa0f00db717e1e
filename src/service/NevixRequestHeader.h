#pragma once

#include "platform/Nullable.h"

#include <QString>

#include <cstdint>

struct NevixRequestHeaderFields {
    NullableDate MessageTimeStamp; // UTC
    QString MessageType;
    QString MessageVersion;
    QString UserName;
    QString Password; // plain: the document carries it so
    QString SoftwareClient;
    bool IsTest = false;
    int32_t ControlReference = 0;
};

// The header that identifies a request: the message, the service account
// and the client program.
class NevixRequestHeader {
public:
    NullableDate MessageTimeStamp() const { return m_f.MessageTimeStamp; }
    void SetMessageTimeStamp(const NullableDate& value) { Set(&Fields::MessageTimeStamp, value); }
    QString MessageType() const { return m_f.MessageType; }
    void SetMessageType(const QString& value) { Set(&Fields::MessageType, value); }
    QString MessageVersion() const { return m_f.MessageVersion; }
    void SetMessageVersion(const QString& value) { Set(&Fields::MessageVersion, value); }
    QString UserName() const { return m_f.UserName; }
    void SetUserName(const QString& value) { Set(&Fields::UserName, value); }
    QString Password() const { return m_f.Password; }
    void SetPassword(const QString& value) { Set(&Fields::Password, value); }
    QString SoftwareClient() const { return m_f.SoftwareClient; }
    void SetSoftwareClient(const QString& value) { Set(&Fields::SoftwareClient, value); }
    bool IsTest() const { return m_f.IsTest; }
    void SetIsTest(bool value) { Set(&Fields::IsTest, value); }
    int32_t ControlReference() const { return m_f.ControlReference; }
    void SetControlReference(int32_t value) { Set(&Fields::ControlReference, value); }

    // True once any value differs from the one the header was made with.
    bool IsDirty() const { return m_isDirty; }

    // The RequestHeader element on one line. The time stamp must be set
    // (error 5 otherwise); the optional elements are left out when they
    // say nothing: no client, no test flag, no positive control reference.
    QString ToXMLString() const;

private:
    using Fields = NevixRequestHeaderFields;
    template <typename T>
    void Set(T Fields::*field, const T& value)
    {
        if (m_f.*field != value)
            m_isDirty = true;
        m_f.*field = value;
    }

    Fields m_f;
    bool m_isDirty = false;
};
