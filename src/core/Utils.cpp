#include "core/Utils.h"

#include "core/DateText.h"
#include "core/DiskFunctions.h"
#include "core/NumericText.h"
#include "core/VbFormat.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"

QString GetThisComputerName()
{
    return AppContext::Current().computerName();
}

QString FormatOrEmpty(const QVariant& value, const QString& pattern)
{
    // No pattern: the value's own text, as a date or a number is written anywhere.
    if (IsNull(value) || pattern.isEmpty())
        return NullToString(value);
    switch (value.typeId()) {
    case QMetaType::QDate:
        return FormatDateTime(LocalDateTime(value.toDate(), QTime(0, 0)), pattern);
    case QMetaType::QDateTime:
        return FormatDateTime(value.toDateTime(), pattern);
    case QMetaType::QString: {
        bool ok = false;
        const double number = value.toString().toDouble(&ok);
        return ok ? FormatNumber(number, pattern) : value.toString();
    }
    default: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok)
            return FormatNumber(number, pattern);
        return value.toString();
    }
    }
}

QVariant NullTo(const QVariant& value, const QVariant& ifNull, const QVariant& ifNotNull)
{
    if (IsNull(value))
        return ifNull;
    return ifNotNull.isValid() ? ifNotNull : value;
}

QString NullToString(const QVariant& value)
{
    if (IsNull(value))
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return FormatGeneralDate(LocalDateTime(value.toDate(), QTime(0, 0)));
    case QMetaType::QDateTime:
        return FormatGeneralDate(value.toDateTime());
    case QMetaType::Double:
    case QMetaType::Float:
        return NumberText(value.toDouble());
    default:
        return value.toString();
    }
}

QString ResolvePath(const QString& path, const QString& base)
{
    const QString folder = ToForwardSlashes(RemoveTrailingBackslash(base));
    if (path.isEmpty())
        return folder;
    if (!path.startsWith(u'+'))
        return path;
    const QString rest = RemoveTrailingBackslash(RemoveLeadingBackslash(path.mid(1)));
    return ToForwardSlashes(folder.endsWith(u'/') ? folder + rest : folder + u'/' + rest);
}

QString AppRelativePath(const QString& path)
{
    return ResolvePath(path, AppContext::Current().programFolder());
}

QString CountText(const QString& noun, qint64 count)
{
    QString plural;
    if (!noun.isEmpty()) {
        plural = noun.endsWith(u'y') ? noun.left(noun.size() - 1) + QStringLiteral("ies")
                                     : noun + u's';
        plural.prepend(u' ');
    }
    if (count == 0)
        return QStringLiteral("None") + plural;
    if (count == 1)
        return QStringLiteral("1 ") + noun;
    return FormatNumber(double(count), QStringLiteral("#,###")) + plural;
}

Nullable<QDate> ParseCompactDate(const QVariant& value)
{
    // A date value is already a date: reading it back through a two-digit
    // year would move 1999 to 2099.
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().isValid() ? Nullable<QDate>(value.toDate()) : std::nullopt;
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().isValid() ? Nullable<QDate>(value.toDateTime().date())
                                            : std::nullopt;
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;

    QString text = value.toString();
    text.remove(u'-');
    if (text.size() == 6)
        text.prepend(QStringLiteral("20"));
    if (text.size() != 8)
        return std::nullopt;
    // Eight digits, nothing else (no sign, no blank), naming a real day.
    int digits[8];
    for (int i = 0; i < 8; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits[i] = c - u'0';
    }
    const QDate date(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3], digits[4] * 10 + digits[5],
                     digits[6] * 10 + digits[7]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}
