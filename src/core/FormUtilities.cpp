#include "core/FormUtilities.h"

namespace {
const QString Letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const QString Digits = QStringLiteral("1234567890");

// Key codes are character codes (Latin-1 and beyond).
int16_t Filter(int16_t keyCode, const QString& allowed, Qt::CaseSensitivity cs)
{
    if (keyCode <= 31)
        return keyCode;
    const QChar c(static_cast<char16_t>(static_cast<uint16_t>(keyCode)));
    return allowed.contains(c, cs) ? keyCode : int16_t(0);
}

Qt::CaseSensitivity Sensitivity(int32_t compareMode)
{
    return compareMode == CompareMode::Binary ? Qt::CaseSensitive : Qt::CaseInsensitive;
}
} // namespace

void AppendWithSeparator(QString& list, const QString& item, const QString& separator)
{
    list = list.isEmpty() ? item : list + separator + item;
}

QString RemoveControlChars(const QString& text)
{
    // Only blanks are trimmed: a blank before a trailing tab stays.
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    QString out;
    out.reserve(end - start);
    for (QChar c : QStringView(text).mid(start, end - start))
        if (c.unicode() >= 32)
            out += c;
    return out;
}

int16_t FilterAlphaNumericKey(int16_t keyCode, const QString& extra)
{
    return Filter(keyCode, Letters + Digits + extra, Qt::CaseInsensitive);
}

int16_t FilterNumericKey(int16_t keyCode, bool allowMinus)
{
    return Filter(keyCode, allowMinus ? Digits + u'-' : Digits, Qt::CaseInsensitive);
}

int16_t FilterAlphaKey(int16_t keyCode, int32_t compareMode)
{
    return Filter(keyCode, Letters, Sensitivity(compareMode));
}

int16_t FilterKeyToChars(int16_t keyCode, const QString& allowed, int32_t compareMode)
{
    return Filter(keyCode, allowed, Sensitivity(compareMode));
}
