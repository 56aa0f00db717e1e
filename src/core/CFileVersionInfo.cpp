#include "core/CFileVersionInfo.h"

#include "core/DiskFunctions.h"
#include "core/PeVersionResource.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

namespace {
const char* const DisplayNames[] = {
    "Language",         "Comments",       "Company Name",     "File Description", "File Version",
    "Internal Name",    "Legal Copyright", "Legal Trademarks", "Original Filename", "Product Name",
    "Product Version",  "Private Build",  "Special Build",    "LegalTrademarks1", "LegalTrademarks2"};

// Keys of the string table, in the order of the values.
const char* const Keys[] = {
    "",                "Comments",       "CompanyName",      "FileDescription",  "FileVersion",
    "InternalName",    "LegalCopyright", "LegalTrademarks",  "OriginalFilename", "ProductName",
    "ProductVersion",  "PrivateBuild",   "SpecialBuild",     "LegalTrademarks1", "LegalTrademarks2"};

// Names of the languages that version resources commonly name.
struct LanguageName {
    uint16_t id;
    const char* name;
};
const LanguageName LanguageNames[] = {
    {0x0000, "Language Neutral"},        {0x0400, "Process Default Language"},
    {0x0407, "German (Germany)"},        {0x0409, "English (United States)"},
    {0x040A, "Spanish (Traditional Sort)"}, {0x040C, "French (France)"},
    {0x0410, "Italian (Italy)"},         {0x0411, "Japanese (Japan)"},
    {0x0413, "Dutch (Netherlands)"},     {0x0416, "Portuguese (Brazil)"},
    {0x041D, "Swedish (Sweden)"},        {0x0804, "Chinese (Simplified, PRC)"},
    {0x0809, "English (United Kingdom)"}, {0x0C09, "English (Australia)"},
    {0x0C0A, "Spanish (Spain)"},         {0x1009, "English (Canada)"},
    {0x1809, "English (Ireland)"},
};

QString LanguageText(uint16_t id)
{
    for (const LanguageName& l : LanguageNames) {
        if (l.id == id)
            return QString::fromLatin1(l.name);
    }
    return {};
}

uint16_t Low(uint32_t v)
{
    return uint16_t(v & 0xFFFF);
}

uint16_t High(uint32_t v)
{
    return uint16_t(v >> 16);
}

QString Hex(uint32_t value, int width)
{
    return QString::number(value, 16).toUpper().rightJustified(width, u'0').right(width);
}

QString Two(uint16_t v)
{
    return QString::number(v).rightJustified(2, u'0');
}

// "3.01.0005" for 3.1.0.5, "3.01.0205" for 3.1.2.5.
QString VersionText(uint32_t high, uint32_t low)
{
    QString text = QString::number(High(high)) + u'.' + Two(Low(high)) + u'.';
    if (High(low) < 1)
        text += QString::number(Low(low)).rightJustified(4, u'0');
    else
        text += Two(High(low)) + Two(Low(low));
    return text;
}

QString FlagsText(uint32_t flags)
{
    static const char* const Words[] = {"Debug ", "PreRel ", "Patched ", "Private ", "Info ", "Special "};
    QString text;
    for (int bit = 0; bit < 6; ++bit) {
        if (flags & (1u << bit))
            text += QLatin1String(Words[bit]);
    }
    return text.trimmed();
}

QString OsText(uint32_t os)
{
    switch (os) {
    case 0x10001: return QStringLiteral("DOS-Win16");
    case 0x10004: return QStringLiteral("DOS-Win32");
    case 0x20002: return QStringLiteral("OS/2-16 PM-16");
    case 0x30003: return QStringLiteral("OS/2-16 PM-32");
    case 0x40004: return QStringLiteral("NT-Win32");
    default: return QStringLiteral("Unknown");
    }
}

QString TypeText(uint32_t type)
{
    switch (type) {
    case 1: return QStringLiteral("Application");
    case 2: return QStringLiteral("DLL");
    case 3: return QStringLiteral("Driver");
    case 4: return QStringLiteral("Font");
    case 5: return QStringLiteral("VxD");
    case 7: return QStringLiteral("Lib");
    default: return QStringLiteral("Unknown");
    }
}

// The subtype's word, or no value when the type gives it none.
std::optional<QString> SubTypeText(uint32_t type, uint32_t subType)
{
    static const char* const Drivers[] = {"Unknown",     "Printer drv", "Keyboard drv", "Language drv",
                                          "Display drv", "Mouse drv",   "Network drv",  "System drv",
                                          "Installable", "Sound drv",   "Comm drv"};
    static const char* const Fonts[] = {"Raster Font", "Vector Font", "TrueType Font"};
    if (type == 3 && subType <= 10)
        return QString::fromLatin1(Drivers[subType]);
    if (type == 4 && subType >= 1 && subType <= 3)
        return QString::fromLatin1(Fonts[subType - 1]);
    return std::nullopt;
}
} // namespace

void CFileVersionInfo::SetFullPathName(const QString& value)
{
    if (value.isEmpty())
        return;
    m_fullPathName = QDir::cleanPath(QFileInfo(ToForwardSlashes(value)).absoluteFilePath());
    Refresh();
}

QString CFileVersionInfo::PredefinedName(int32_t Which) const
{
    if (Which < 0 || Which >= ValueCount)
        return {};
    return QString::fromLatin1(DisplayNames[Which]);
}

QString CFileVersionInfo::PredefinedValue(int32_t Which) const
{
    if (Which < 0 || Which >= ValueCount)
        return {};
    return m_values[size_t(Which)];
}

void CFileVersionInfo::Refresh()
{
    const std::optional<PeVersionResource> resource =
        m_fullPathName.isEmpty() ? std::nullopt : PeVersionResource::Load(m_fullPathName);
    if (!resource || resource->Size() == 0) {
        m_available = false;
        return;
    }
    m_available = true;

    const QByteArray fixed = resource->FixedInfo();
    if (fixed.size() == 52) {
        const auto field = [&](int index) {
            return qFromLittleEndian<uint32_t>(fixed.constData() + index * 4);
        };
        m_verStructure = QString::number(High(field(1))) + u'.' + QString::number(Low(field(1)));
        m_verFile = VersionText(field(2), field(3));
        m_verProduct = VersionText(field(4), field(5));
        m_fileFlags = FlagsText(field(7));
        m_fileOS = OsText(field(8));
        m_fileType = TypeText(field(9));
        if (const auto subType = SubTypeText(field(9), field(10)))
            m_fileSubType = *subType;
    }

    const QList<uint32_t> translations = resource->Translations();
    if (translations.isEmpty())
        return;
    const uint16_t language = Low(translations.front());
    const uint16_t codePage = High(translations.front());
    m_values[Language_] = LanguageText(language);

    QString table = Hex(language, 4) + Hex(codePage, 4);
    if (resource->StringValue(table, QStringLiteral("CompanyName")).isEmpty()) {
        // Many files keep their strings under US English whatever they name.
        const QString english = Hex(0x0409, 4) + Hex(codePage, 4);
        if (!resource->StringValue(english, QStringLiteral("CompanyName")).isEmpty())
            table = english;
    }
    for (int i = Comments_; i < ValueCount; ++i)
        m_values[size_t(i)] = resource->StringValue(table, QString::fromLatin1(Keys[i]));
}
