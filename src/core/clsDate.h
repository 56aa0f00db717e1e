#pragma once

#include <QDateTime>
#include <QString>

// One date read from the ways people type dates: with slashes
// ("dd/mm/yy", "yyyy/mm/dd" and the like) or as 1 to 12 digits, possibly
// with blanks, dots and colons among them. It remembers the layout it
// recognised and writes the date back in it or in any other. A text that is
// no date leaves the empty date; nothing is raised.
class clsDate {
public:
    clsDate();

    // The held date in dateFormat, or in the recognised layout when
    // dateFormat is empty; "" for the empty date.
    QString strDate(const QString& dateFormat = {}) const;
    // The date kept by the last SetfDate in the general date form.
    QString fDate() const;
    void SetfDate(const QString& sString);
    void SetsDate(const QString& sString);
    // The date read from the text, or now (today at midnight) when it is none.
    QDateTime MakeDateOrNow(const QString& DateAsString);
    QDateTime MakeDateOrToday(const QString& DateAsString);
    // The held date, or 30 December 1899 00:00 for the empty date.
    QDateTime sysDate() const;
    void SetsysDate(const QDateTime& dtDate) { m_date = dtDate; }

    // 1 January 1000 00:00: no date.
    static QDateTime EmptyDate();
    // 30 December 1899 00:00, day number 0.
    static QDateTime DayZero();

private:
    void Read(const QString& text);
    bool ReadSlashForm(const QString& text);
    void ReadDigitForm(const QString& text);
    void SetEmpty();

    QDateTime m_date;
    QString m_layout = QStringLiteral("ddmmyy");
    QDateTime m_fDate;
};
