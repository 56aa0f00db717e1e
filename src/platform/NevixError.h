#pragma once

#include <QString>

#include <cstdint>
#include <exception>

// Error numbers shared by the whole program. Numbers above the object-error
// base are the program's own; the small ones keep the meanings that stored
// logs and callers already know.
namespace ErrorNumbers {
constexpr int32_t ObjectErrorBase = static_cast<int32_t>(0x80040000u);
constexpr int32_t NoKeys = ObjectErrorBase + 1;
constexpr int32_t Concurrency = ObjectErrorBase + 100;
constexpr int32_t LockNotAcquired = ObjectErrorBase + 120;
constexpr int32_t SettingsLayer = ObjectErrorBase + 513;

constexpr int32_t InvalidArgument = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t DeviceUnavailable = 68;
constexpr int32_t PathFileAccess = 75;
constexpr int32_t PathNotFound = 76;
constexpr int32_t DialogCancelled = 32755;
} // namespace ErrorNumbers

// The one error type: number, source and description. An error raised
// without a source reports the program's name.
class NevixError : public std::exception {
public:
    static inline const QString DefaultSource = QStringLiteral("Nevix");

    NevixError(int32_t number, const QString& description, const QString& source = {});

    int32_t Number() const { return m_number; }
    QString Source() const { return m_source.isEmpty() ? DefaultSource : m_source; }
    QString Description() const { return m_description; }
    bool HasOwnSource() const { return !m_source.isEmpty(); }

    // The same error raised again under another source.
    NevixError WithSource(const QString& source) const;

    const char* what() const noexcept override { return m_what.constData(); }

    static NevixError InvalidArgument(const QString& source = {});
    static NevixError Overflow(const QString& source = {});

private:
    int32_t m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};
