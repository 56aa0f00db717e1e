#include "core/clsDate.h"

#include "core/DateText.h"
#include "core/NumericText.h"
#include "core/VbFormat.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
// A part of a slash date as a 16-bit integer, as a whole ("3a" is none).
std::optional<int> ToInt16(const QString& part)
{
    if (!IsNumericText(part))
        return std::nullopt;
    const double value = std::nearbyint(Val(part));
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return int(value);
}

// The pieces of the digit form are cut from at most 12 digits, so each
// holds four digits at most; a piece past the end reads as 0.
int Piece(const QString& text, qsizetype from, qsizetype count = -1)
{
    return QStringView(text).mid(from, count).toInt();
}

// Only plain digits: a sign, a decimal point or an exponent ("22242e8")
// would make a piece read as a number far out of any date's range.
bool IsDigitsOnly(const QString& text)
{
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool IsRealDate(int year, int month, int day)
{
    return year >= 100 && year <= 9999 && QDate(year, month, day).isValid();
}
} // namespace

clsDate::clsDate() : m_date(DayZero()), m_fDate(DayZero()) {}

QDateTime clsDate::EmptyDate()
{
    return LocalDateTime(QDate(1000, 1, 1), QTime(0, 0));
}

QDateTime clsDate::DayZero()
{
    return LocalDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QString clsDate::strDate(const QString& dateFormat) const
{
    // A time that summer time skips is no valid moment but still a date.
    if (m_date == EmptyDate() || !m_date.date().isValid())
        return {};
    const QString pattern = dateFormat.isEmpty() ? m_layout : dateFormat;
    return pattern.isEmpty() ? FormatGeneralDate(m_date) : FormatDateTime(m_date, pattern);
}

QString clsDate::fDate() const
{
    return FormatGeneralDate(m_fDate);
}

void clsDate::SetfDate(const QString& sString)
{
    Read(sString);
    m_fDate = m_date;
}

void clsDate::SetsDate(const QString& sString)
{
    Read(sString);
}

QDateTime clsDate::MakeDateOrNow(const QString& DateAsString)
{
    Read(DateAsString);
    if (!strDate().isEmpty())
        return m_date;
    return AppContext::Current().clock().Now();
}

QDateTime clsDate::MakeDateOrToday(const QString& DateAsString)
{
    Read(DateAsString);
    if (!strDate().isEmpty())
        return m_date;
    return LocalDateTime(AppContext::Current().clock().Today(), QTime(0, 0));
}

QDateTime clsDate::sysDate() const
{
    return m_date == EmptyDate() ? DayZero() : m_date;
}

void clsDate::SetEmpty()
{
    m_date = EmptyDate();
    m_layout.clear();
}

void clsDate::Read(const QString& text)
{
    if (text.size() < 11 && text.contains(u'/')) {
        if (!ReadSlashForm(text))
            SetEmpty();
        return;
    }
    ReadDigitForm(text);
}

bool clsDate::ReadSlashForm(const QString& text)
{
    const qsizetype firstSlash = text.indexOf(u'/');
    const qsizetype secondSlash = text.indexOf(u'/', firstSlash + 1);
    const QString first = text.left(firstSlash);
    QString second;
    QString third;
    if (secondSlash >= 0) {
        second = text.mid(firstSlash + 1, secondSlash - firstSlash - 1);
        third = text.mid(secondSlash + 1);
    }

    const bool dayFirst = Val(first) <= 31;
    const std::optional<int> a = ToInt16(first);
    const std::optional<int> month = ToInt16(second);
    const std::optional<int> c = ToInt16(third);
    if (!a || !month || !c)
        return false;
    const int year = ResolveTwoDigitYear(dayFirst ? *c : *a);
    const int day = dayFirst ? *a : *c;
    const QDate date = DateSerial(year, *month, day);
    if (!date.isValid())
        return false;
    m_date = LocalDateTime(date, QTime(0, 0));
    if (dayFirst)
        m_layout = third.size() == 2 ? QStringLiteral("dd/mm/yy") : QStringLiteral("dd/mm/yyyy");
    else
        m_layout = first.size() == 2 ? QStringLiteral("yy/mm/dd") : QStringLiteral("yyyy/mm/dd");
    return true;
}

void clsDate::ReadDigitForm(const QString& text)
{
    QString digits = text;
    digits.remove(u' ').remove(u'/').remove(u':').remove(u'.');
    if (!IsDigitsOnly(digits) || digits.size() > 12) {
        SetEmpty();
        return;
    }

    const QDate today = AppContext::Current().clock().Today();
    const qsizetype n = digits.size();
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    QString layout;
    if (n == 1 || n == 2) {
        day = Piece(digits, 0);
        month = today.month();
        year = today.year();
        layout = QStringLiteral("ddmmyy");
    } else if (n == 3 || n == 4) {
        day = Piece(digits, 0, n - 2);
        month = Piece(digits, n - 2);
        year = today.year();
        layout = QStringLiteral("ddmmyy");
    } else if (n == 5 || n == 6) {
        day = Piece(digits, 0, n - 4);
        month = Piece(digits, n - 4, 2);
        year = Piece(digits, n - 2);
        layout = QStringLiteral("ddmmyy");
        if (!IsRealDate(ResolveTwoDigitYear(year), month, day)) {
            year = Piece(digits, 0, 2);
            month = Piece(digits, 2, 2);
            day = Piece(digits, 4);
            layout = QStringLiteral("yymmdd");
        }
    } else if (n == 7 || n == 8) {
        if (IsRealDate(Piece(digits, 0, n - 4), Piece(digits, n - 4, 2), Piece(digits, n - 2))) {
            year = Piece(digits, 0, 4);
            month = Piece(digits, 4, 2);
            day = Piece(digits, 6);
            layout = QStringLiteral("yyyymmdd");
        } else {
            year = Piece(digits, n - 4);
            month = Piece(digits, n - 6, 2);
            day = Piece(digits, 0, n - 6);
            layout = QStringLiteral("ddmmyyyy");
        }
    } else if (n == 10 || n == 12) {
        // A stamp: year (2 or 4 digits), month, day, hour and minute.
        const qsizetype y = n - 8;
        year = Piece(digits, 0, y);
        month = Piece(digits, y, 2);
        day = Piece(digits, y + 2, 2);
        hour = Piece(digits, y + 4, 2);
        minute = Piece(digits, y + 6);
        layout = n == 10 ? QStringLiteral("yymmddhhnn") : QStringLiteral("yyyymmddhhnn");
    }

    if (year + month + day == 0) {
        SetEmpty();
        return;
    }
    year = ResolveTwoDigitYear(year);
    const QTime time(hour, minute);
    if (!IsRealDate(year, month, day) || !time.isValid()) {
        SetEmpty();
        return;
    }
    m_date = LocalDateTime(QDate(year, month, day), time);
    m_layout = layout;
}
