#include "accounts/Validation.h"

namespace {
const QString ReferencePunctuation = QStringLiteral(": -._#@/*;");

bool IsLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsReferenceCharacter(QChar c)
{
    return IsLetter(c) || IsDigit(c) || ReferencePunctuation.contains(c);
}

// The trimmed text has the pattern's length and each character its class:
// 'L' a letter, 'D' a digit.
bool Matches(const QString& text, const char* pattern)
{
    const QString trimmed = TrimSpaces(text);
    if (trimmed.size() != qsizetype(qstrlen(pattern)))
        return false;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const bool ok = pattern[i] == 'L' ? IsLetter(trimmed[i]) : IsDigit(trimmed[i]);
        if (!ok)
            return false;
    }
    return true;
}
} // namespace

QString TrimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

QString ValidateEnquirerId(const QString& text)
{
    return Matches(text, "LLDDD")
               ? QString()
               : QStringLiteral("The Enquirer Id must be 2 characters followed by 3 numbers");
}

QString ValidateEnquiryCode(const QString& text)
{
    return Matches(text, "DDLL")
               ? QString()
               : QStringLiteral("The EnquiryCode Id must be 2 numbers followed by 2 characters");
}

QString ValidateEnquiryReference(const QString& text)
{
    const qsizetype length = TrimSpaces(text).size();
    if (length < 1 || length > 20)
        return QStringLiteral("Enquiry reference must be 1 to 20 characters");
    for (const QChar c : text) {
        if (!IsReferenceCharacter(c))
            return QStringLiteral("Enquiry reference can only contain A-Z, 0-9 and ") +
                   ReferencePunctuation;
    }
    return {};
}

QString ValidateIntermediaryId(const QString& text)
{
    if (text.isEmpty() || Matches(text, "LDD"))
        return {};
    return QStringLiteral("The Intermediary Id must be 1 character followed by 2 numbers");
}

QString PasswordRuleText()
{
    return QStringLiteral(
        "Passwords are case sensitive, between 8 and 15 alphanumerics with at least 1 digit, 1 "
        "upper and 1 lower case letter");
}

QString ValidateNevixPassword(const QString& text)
{
    const QString message = PasswordRuleText();
    if (text.size() < 8 || text.size() > 15)
        return message;
    int digits = 0;
    int upper = 0;
    int lower = 0;
    for (const QChar c : text) {
        if (IsDigit(c))
            ++digits;
        else if (c >= u'A' && c <= u'Z')
            ++upper;
        else if (c >= u'a' && c <= u'z')
            ++lower;
        else
            return message;
    }
    return digits >= 1 && upper >= 1 && lower >= 1 ? QString() : message;
}

QString ValidateNevixUsername(const QString& text)
{
    const QString message = QStringLiteral(
        "NEVIX Service user names are between 5 and 40 characters and can contain a combination of "
        "digits, letters and : -/_#@");
    if (text.size() < 5 || text.size() > 40)
        return message;
    for (const QChar c : text) {
        if (!IsReferenceCharacter(c))
            return message;
    }
    return {};
}
