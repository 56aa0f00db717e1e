#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

// The text wrapped in the quote character, quote characters inside it
// doubled (RFC 4180), so that it reads back as the same text.
QString QuoteText(const QString& text, QChar quote);

// An ordered list of words split from, and joined back into, one text.
// Delimited mode: a delimiter separates the words and a quote character
// protects delimiters (and quotes, doubled) inside a word. Fixed-width mode
// (empty delimiter): a table of field widths cuts the text, with pad
// characters and an optional TAB ending a short field. Positions run from 1.
// All errors are NevixError 0x80040201 with a source naming the member.
class DelimitedString {
public:
    DelimitedString();

    bool AlwaysAddQuote() const { return m_alwaysAddQuote; }
    void SetAlwaysAddQuote(bool value) { m_alwaysAddQuote = value; }
    QString SortDelimiter() const { return m_sortDelimiter; }
    void SetSortDelimiter(const QString& value) { m_sortDelimiter = value; }

    // The words joined as Source joins them, with AltDelimiter in place of
    // the delimiter; an empty AltDelimiter gives the fixed-width rendering.
    QString GetSourceWithAltDelimiter(const QString& AltDelimiter) const;

    // The words are re-split under the new delimiter; "" switches to
    // fixed-width mode, which needs a width table.
    void SetDelimiter(const QString& value);
    QString Delimiter() const { return m_delimiter; }

    QString Source() const;
    void SetSource(const QString& text);

    int32_t Count() const { return int32_t(m_words.size()); }
    // Total of the leading-number reading of every word.
    double Sum() const;
    // Same count, and every pair of words equal in its leading number.
    bool IsSameNumerically(const DelimitedString& objComp) const;

    QString Word(int32_t Index) const;
    void SetWord(int32_t Index, const QString& Value);
    // Null becomes "", other values their text; written at Count + 1.
    void Add(const QVariant& WordToAdd);

    QVariant UserProperty() const { return m_userProperty; }
    void SetUserProperty(const QVariant& value) { m_userProperty = value; }

    // The first character, or none when the value is empty or starts with a
    // blank.
    void SetQuoteCharacter(const QString& value);

    void Clear() { m_words.clear(); }
    // A text Index removes the first word equal to it (exact comparison);
    // a number, the word at that position. Nothing happens when none fits.
    void Remove(const QVariant& Index);
    // 1-based position of the first match at or after StartAt, or 0.
    // FindCompareMethod: 0 exact, 1 ignoring case.
    int32_t Find(const QString& StringToFind, int32_t StartAt = 1, int16_t FindCompareMethod = 1,
                 bool SearchWithinString = false) const;
    int32_t FindNumber(const QVariant& NumberToFind, int32_t StartAt = 1) const;
    void Truncate(int32_t TruncateFrom);

    // A list kept sorted is sorted again after every load and every write.
    void SetSorted(bool value);
    bool Sorted() const { return m_sorted; }
    void SetSortParameters(bool SortDescending = false, int16_t SortCompareMethod = 1);

    void SetFixedPadParams(const QString& StingPadCharacter, const QString& NumberPadCharacter,
                           bool IsTabLimited = false);
    int32_t FixLengthSize() const { return m_fixLengthSize; }
    // True unless the last fixed-width text was as long as the widths,
    // give or take the width of the last field.
    bool FixLengthNotSame() const;
    // "17,08,20" gives the widths 17, 8, 20 and a final 0.
    void SetFixedLengthFieldLengths(const QString& FieldLengths, bool DontClearSource = false);
    void SetFixedLengthArray(const QList<int16_t>& FieldLengths, bool DontClearSource);

private:
    bool FixedMode() const { return m_delimiter.isEmpty(); }
    void SplitPlain(const QString& text);
    void SplitQuoted(const QString& text);
    void SplitFixed(const QString& text);
    QString Join(const QString& delimiter) const;
    QString RenderDelimited(const QString& word, const QString& delimiter,
                            Qt::CaseSensitivity cs) const;
    QString RenderFixed(const QString& word, qsizetype field) const;
    void Sort();

    QStringList m_words;
    QString m_delimiter = QStringLiteral(",");
    // Whether the delimiter has letters, so that its search must ignore case.
    bool m_delimiterHasCase = false;
    QChar m_quote = u'"';
    bool m_alwaysAddQuote = false;
    QString m_sortDelimiter = QStringLiteral("(");
    bool m_sorted = false;
    bool m_sortDescending = false;
    int16_t m_sortCompareMethod = 1;
    QList<int16_t> m_widths{0};
    int32_t m_fixLengthSize = 0;
    int32_t m_fixedSourceLength = 0;
    QChar m_stringPad = u' ';
    QChar m_numberPad = u' ';
    bool m_tabLimited = false;
    QVariant m_userProperty;
};
