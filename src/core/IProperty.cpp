#include "core/IProperty.h"

#include "core/DateText.h"
#include "core/DelimitedString.h"
#include "core/DiskFunctions.h"
#include "core/ProfileFile.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "platform/NevixError.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace {
const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

struct Escape {
    const char* word;
    QChar character;
};
// In the order they are tried on reading.
const Escape Escapes[] = {
    {"{TAB}", QChar(9)},  {"{ENTER}", QChar(13)}, {"{RETURN}", QChar(13)},
    {"{ESC}", QChar(32)}, {"{QUOTE}", QChar(34)},
};

// Numbers are written and read with "." decimals and no grouping, whatever
// the machine's locale, so that the file reads the same everywhere.
std::optional<double> ParseNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A fraction rounds to the nearest integer, a half to the even neighbour.
template <typename T>
std::optional<T> ParseInteger(const QString& text)
{
    const std::optional<double> value = ParseNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < double(std::numeric_limits<T>::min()) ||
        rounded > double(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(rounded);
}

template <typename T>
QString ShortestText(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

std::optional<Currency> ParseCurrency(const QString& text)
{
    const std::optional<double> value = ParseNumber(text);
    if (!value)
        return std::nullopt;
    const double scaled = std::nearbyint(*value * 10000.0);
    // 2^63: the first value a 64-bit count cannot hold.
    if (scaled >= 9223372036854775808.0 || scaled < -9223372036854775808.0)
        return std::nullopt;
    return Currency{static_cast<int64_t>(scaled)};
}

QString DateText(const QDate& date)
{
    return QStringLiteral("%1,%2,%3").arg(date.year()).arg(date.month()).arg(date.day());
}

QString DateTimeText(const QDateTime& value)
{
    const QTime time = value.time();
    return DateText(value.date()) +
           QStringLiteral(",%1,%2,%3").arg(time.hour()).arg(time.minute()).arg(time.second());
}

// "y,m,d" or, when allowed, "y,m,d,h,n,s"; no value for any other text.
std::optional<QDateTime> ParseDateWords(const QString& text, bool allowTime)
{
    DelimitedString words;
    words.SetSource(text);
    if (words.Count() != 3 && !(allowTime && words.Count() == 6))
        return std::nullopt;
    int16_t parts[6] = {};
    for (int32_t i = 0; i < words.Count(); ++i) {
        const std::optional<int16_t> part = ParseInteger<int16_t>(words.Word(i + 1));
        if (!part)
            return std::nullopt;
        parts[i] = *part;
    }
    const QDate date = DateSerial(ResolveTwoDigitYear(parts[0]), parts[1], parts[2]);
    if (!date.isValid())
        return std::nullopt;
    const int seconds = parts[3] * 3600 + parts[4] * 60 + parts[5];
    const int days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    const QDate day = date.addDays(days);
    if (day.year() < 100 || day.year() > 9999)
        return std::nullopt;
    return LocalDateTime(day, QTime(0, 0).addSecs(seconds - days * 86400));
}
} // namespace

IProperty::IProperty()
{
    OpenSettingsFile(AppContext::Current().programFolder() + u'/' + m_applicationName +
                     QStringLiteral(".INI"));
    ClearError();
}

QString IProperty::RegistryLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Nevix/") + ApplicationName + QStringLiteral(".INI");
}

void IProperty::OpenSettingsFile(const QString& path)
{
    m_iniFile = INIFile();
    m_iniFile.SetAppIniNameAndLocation(path);
    m_isNew = !ProfileFile(ToForwardSlashes(path)).CanOpen();
}

void IProperty::SetINILocation(const QString& iniFile)
{
    OpenSettingsFile(iniFile);
}

void IProperty::SetDefaultGroup(const QString& DefaultGroup)
{
    if (!DefaultGroup.isEmpty())
        m_defaultGroup = DefaultGroup;
}

void IProperty::SetPersistToRegistry()
{
    m_persistToRegistry = true;
    m_isNew = ProfileFile(RegistryLocation()).Keys(m_defaultGroup).isEmpty();
}

void IProperty::ClearError()
{
    m_lastError = 0;
    m_lastErrorDesc.clear();
}

void IProperty::Record(int32_t number, const QString& description)
{
    m_lastError = number;
    m_lastErrorDesc = description;
}

QString IProperty::GroupOrDefault(const QString& group) const
{
    return group.isEmpty() ? m_defaultGroup : group;
}

QString IProperty::GetProperty(const QString& Name, const QString& Group, const QString& Default)
{
    const QString group = GroupOrDefault(Group);
    try {
        if (m_persistToRegistry)
            return m_iniFile.GetIniString(group, Name, Default, RegistryLocation());
        return m_iniFile.GetFromAppIni(group, Name, Default);
    } catch (const NevixError& e) {
        Record(e.Number(), e.Description());
        return Default;
    }
}

void IProperty::SetProperty(const QString& Name, const QString& Value, const QString& Group)
{
    const QString group = GroupOrDefault(Group);
    try {
        if (m_persistToRegistry) {
            // Quoted, so that an empty value is stored rather than removed,
            // and blanks at the ends survive.
            QDir().mkpath(GetFolderFromPath(RegistryLocation()));
            m_iniFile.SetIniString(group, Name, u'"' + Value + u'"', RegistryLocation());
        } else {
            m_iniFile.SetToAppIni(group, Name, Value);
        }
    } catch (const NevixError& e) {
        Record(e.Number(), e.Description());
    }
}

QString IProperty::GetAllGroups()
{
    try {
        return m_persistToRegistry ? QString() : m_iniFile.GetFromAppIni({}, {}, {});
    } catch (const NevixError&) {
        return {};
    }
}

QString IProperty::GetAllItems(const QString& Group)
{
    try {
        if (m_persistToRegistry)
            return Group.isEmpty() ? QString()
                                   : m_iniFile.GetIniString(Group, {}, {}, RegistryLocation());
        return m_iniFile.GetFromAppIni(Group, {}, {});
    } catch (const NevixError&) {
        return {};
    }
}

void IProperty::ClearGroup(const QString& Group)
{
    try {
        if (m_persistToRegistry)
            m_iniFile.SetIniString(Group, {}, {}, RegistryLocation());
        else
            m_iniFile.SetToAppIni(Group, {}, {});
    } catch (const NevixError&) {
    }
}

QString IProperty::GetASCIIProperty(const QString& Name, const QString& Group,
                                    const QString& Default)
{
    const QString text = GetProperty(Name, Group, Default);
    for (const Escape& escape : Escapes) {
        if (text.compare(QLatin1String(escape.word), Qt::CaseInsensitive) == 0)
            return QString(escape.character);
    }
    return text;
}

void IProperty::SetASCIIProperty(const QString& Name, const QString& Value, const QString& Group)
{
    if (Value.isEmpty())
        throw NevixError::InvalidArgument(QStringLiteral("IProperty.SetASCIIProperty"));
    QString stored = Value;
    switch (Value.front().unicode()) {
    case 9: stored = QStringLiteral("{TAB}"); break;
    case 13: stored = QStringLiteral("{ENTER}"); break;
    case 32: stored = QStringLiteral("{ESC}"); break;
    case 34: stored = QStringLiteral("{QUOTE}"); break;
    default: break;
    }
    SetProperty(Name, stored, Group);
}

bool IProperty::GetBooleanProperty(const QString& Name, const QString& Group, bool Default)
{
    const QString text = GetProperty(Name, Group, Default ? Yes : No).toUpper();
    return text.startsWith(u'Y') || text.startsWith(u'T');
}

void IProperty::SetBooleanProperty(const QString& Name, bool Value, const QString& Group)
{
    SetProperty(Name, Value ? Yes : No, Group);
}

int16_t IProperty::GetIntegerProperty(const QString& Name, const QString& Group, int16_t Default)
{
    return ParseInteger<int16_t>(GetProperty(Name, Group, QString::number(Default)))
        .value_or(Default);
}

void IProperty::SetIntegerProperty(const QString& Name, int16_t Value, const QString& Group)
{
    SetProperty(Name, QString::number(Value), Group);
}

int32_t IProperty::GetLongIntegerProperty(const QString& Name, const QString& Group,
                                          int32_t Default)
{
    return ParseInteger<int32_t>(GetProperty(Name, Group, QString::number(Default)))
        .value_or(Default);
}

void IProperty::SetLongIntegerProperty(const QString& Name, int32_t Value, const QString& Group)
{
    SetProperty(Name, QString::number(Value), Group);
}

float IProperty::GetSingleProperty(const QString& Name, const QString& Group, float Default)
{
    const std::optional<double> value =
        ParseNumber(GetProperty(Name, Group, ShortestText(Default)));
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return Default;
    return static_cast<float>(*value);
}

void IProperty::SetSingleProperty(const QString& Name, float Value, const QString& Group)
{
    SetProperty(Name, ShortestText(Value), Group);
}

double IProperty::GetDoubleProperty(const QString& Name, const QString& Group, double Default)
{
    return ParseNumber(GetProperty(Name, Group, ShortestText(Default))).value_or(Default);
}

void IProperty::SetDoubleProperty(const QString& Name, double Value, const QString& Group)
{
    SetProperty(Name, ShortestText(Value), Group);
}

Currency IProperty::GetCurrencyProperty(const QString& Name, const QString& Group, Currency Default)
{
    return ParseCurrency(GetProperty(Name, Group, CurrencyText(Default))).value_or(Default);
}

void IProperty::SetCurrencyProperty(const QString& Name, Currency Value, const QString& Group)
{
    SetProperty(Name, CurrencyText(Value), Group);
}

Nullable<QDate> IProperty::GetDateProperty(const QString& Name, const QString& Group,
                                           const Nullable<QDate>& Default)
{
    const bool hasDefault = Default && Default->isValid();
    const QString text = GetProperty(Name, Group, hasDefault ? DateText(*Default) : QString());
    if (const std::optional<QDateTime> read = ParseDateWords(text, false))
        return read->date();
    return hasDefault ? Default : std::nullopt;
}

void IProperty::SetDateProperty(const QString& Name, const Nullable<QDate>& Value,
                                const QString& Group)
{
    SetProperty(Name, Value && Value->isValid() ? DateText(*Value) : QString(), Group);
}

Nullable<QDateTime> IProperty::GetDateTimeProperty(const QString& Name, const QString& Group,
                                                   const Nullable<QDateTime>& Default)
{
    const bool hasDefault = Default && Default->isValid();
    const QString text = GetProperty(Name, Group, hasDefault ? DateTimeText(*Default) : QString());
    if (const std::optional<QDateTime> read = ParseDateWords(text, true))
        return read;
    return hasDefault ? Default : std::nullopt;
}

void IProperty::SetDateTimeProperty(const QString& Name, const Nullable<QDateTime>& Value,
                                    const QString& Group)
{
    SetProperty(Name, Value && Value->isValid() ? DateTimeText(*Value) : QString(), Group);
}
