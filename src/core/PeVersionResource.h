#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <cstdint>
#include <optional>

// The version resource of a Windows program or library (PE file: .exe,
// .dll), read straight from the file: the fixed file information, the
// translation list and the string tables. Any other file, or a PE file
// without a version resource, has none.
class PeVersionResource {
public:
    // No value when the file cannot be read, is no PE file, or carries no
    // well-formed version resource.
    static std::optional<PeVersionResource> Load(const QString& path);
    // The same from the bytes of a whole file.
    static std::optional<PeVersionResource> Parse(const QByteArray& file);

    // Size of the resource block in bytes.
    qsizetype Size() const { return m_size; }
    // The 52 bytes of the fixed file information, empty when missing.
    QByteArray FixedInfo() const { return m_fixedInfo; }
    // Each entry: language in the low word, code page in the high word.
    QList<uint32_t> Translations() const { return m_translations; }
    // The value of Name in the string table "LLLLCCCC" (language and code
    // page in hexadecimal), "" when absent. Both names ignore case.
    QString StringValue(const QString& table, const QString& name) const;

private:
    qsizetype m_size = 0;
    QByteArray m_fixedInfo;
    QList<uint32_t> m_translations;
    // Table key (upper case) -> value name (upper case) -> value.
    QMap<QString, QMap<QString, QString>> m_strings;

    bool ParseVersionInfo(const QByteArray& block);
};
