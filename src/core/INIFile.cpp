#include "core/INIFile.h"

#include "core/DiskFunctions.h"
#include "core/ProfileFile.h"
#include "platform/NevixError.h"

#include <exception>

namespace {
const QChar Nul(u'\0');

// A listing comes back the way the profile reader fills its buffer: every
// name followed by an end mark.
QString AsListing(const QStringList& names)
{
    QString text;
    for (const QString& name : names)
        text += name + Nul;
    return text;
}

void RequirePath(const QString& path, const char* source)
{
    if (path.isEmpty())
        throw NevixError(ErrorNumbers::SettingsLayer, QStringLiteral("Application INI not set"),
                         QString::fromLatin1(source));
}
} // namespace

QString INIFile::GetIniString(const QString& Group, const QString& Item, const QString& Default,
                              const QString& FilePath) const
{
    QString text;
    const bool listing = Group.isEmpty() || Item.isEmpty();
    try {
        const ProfileFile file(ToForwardSlashes(FilePath));
        if (Group.isEmpty())
            text = AsListing(file.Sections());
        else if (Item.isEmpty())
            text = AsListing(file.Keys(Group));
        else
            text = file.Value(Group, Item).value_or(Default);
    } catch (const std::exception& e) {
        throw NevixError(ErrorNumbers::SettingsLayer, QString::fromUtf8(e.what()),
                         QStringLiteral("GetIniString"));
    }
    text.truncate(BufferSize - 1);
    // Only a listing's end marks become commas: a NUL inside one value is
    // part of it, as the settings file reader gives it.
    if (listing) {
        while (text.endsWith(Nul))
            text.chop(1);
        text.replace(Nul, u',');
    }
    return text.trimmed();
}

void INIFile::SetIniString(const QString& Group, const QString& Item, const QString& Value,
                           const QString& FilePath) const
{
    bool written = false;
    QString diskFailure;
    try {
        ProfileFile file(ToForwardSlashes(FilePath));
        if (Group.isEmpty())
            written = false;
        else if (Item.isEmpty())
            written = file.RemoveSection(Group);
        else if (Value.isEmpty())
            written = file.RemoveKey(Group, Item);
        else
            written = file.Write(Group, Item, Value);
        if (!written && file.DiskFailure())
            diskFailure = file.ErrorString();
    } catch (const std::exception& e) {
        throw NevixError(ErrorNumbers::SettingsLayer,
                         QStringLiteral("INIFile - ") + QString::fromUtf8(e.what()),
                         QStringLiteral("SetIniString"));
    }
    // A disk that fails (full, broken) is not a refusal: its own reason is
    // what the user needs to see.
    if (!diskFailure.isEmpty())
        throw NevixError(ErrorNumbers::SettingsLayer, QStringLiteral("INIFile - ") + diskFailure,
                         QStringLiteral("SetIniString"));
    if (!written)
        throw NevixError(ErrorNumbers::SettingsLayer,
                         QStringLiteral("INIFile - Unable to write to INI file"),
                         QStringLiteral("SetIniString"));
}

QString INIFile::GetFromAppIni(const QString& Group, const QString& Item,
                               const QString& Default) const
{
    RequirePath(m_appIniPath, "INIFile.GetFromAppIni");
    return GetIniString(Group, Item, Default, m_appIniPath);
}

void INIFile::SetToAppIni(const QString& Group, const QString& Item, const QString& Value) const
{
    RequirePath(m_appIniPath, "INIFile.SetToAppIni");
    SetIniString(Group, Item, Value, m_appIniPath);
}
