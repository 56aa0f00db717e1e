#include "core/DelimitedString.h"

#include "core/NumericText.h"
#include "core/Utils.h"
#include "core/WordSort.h"
#include "platform/NevixError.h"

#include <algorithm>
#include <cmath>

namespace {
[[noreturn]] void Raise(const char* description, const char* member)
{
    throw NevixError(ErrorNumbers::SettingsLayer, QString::fromLatin1(description),
                     QStringLiteral("DelimitedString.") + QLatin1String(member));
}

bool HasCase(const QString& text)
{
    return text.toLower() != text.toUpper();
}

Qt::CaseSensitivity CompareMethod(int16_t method)
{
    return method == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

// A field piece of the quote-aware split: the enclosing quotes go, and a
// quoted field gives back its doubled quotes as single ones.
QString CleanPiece(QStringView piece, QChar quote)
{
    bool quoted = false;
    if (!piece.isEmpty() && piece.front() == quote) {
        piece = piece.mid(1);
        quoted = true;
    }
    if (piece.size() == 1 && piece.front() == quote)
        return {};
    if (piece.size() >= 2 && piece.back() == quote)
        piece.chop(1);
    QString word = piece.toString();
    if (quoted && word.contains(quote))
        word.replace(QString(2, quote), QString(quote));
    return word;
}
// Whether the word holds the delimiter, or ends in a start of it that the
// delimiter written after the word would complete ("a~#" before "~#~"):
// either way a split would cut the word short.
bool HidesDelimiter(const QString& word, const QString& delimiter, Qt::CaseSensitivity cs)
{
    if (word.contains(delimiter, cs))
        return true;
    const qsizetype tail = std::min(word.size(), delimiter.size() - 1);
    return tail > 0 && (word.right(tail) + delimiter).indexOf(delimiter, 0, cs) < tail;
}
} // namespace

QString QuoteText(const QString& text, QChar quote)
{
    QString out;
    out.reserve(text.size() + 2);
    out += quote;
    for (const QChar c : text) {
        out += c;
        if (c == quote)
            out += c;
    }
    out += quote;
    return out;
}

DelimitedString::DelimitedString() = default;

QString DelimitedString::GetSourceWithAltDelimiter(const QString& AltDelimiter) const
{
    return Join(AltDelimiter);
}

void DelimitedString::SetDelimiter(const QString& value)
{
    if (value == m_delimiter)
        return;
    if (value.isEmpty() && m_widths.size() < 2)
        Raise("No Field splitting data provided", "Delimiter");
    const QString text = Source();
    m_delimiter = value;
    m_delimiterHasCase = HasCase(value);
    SetSource(text);
}

QString DelimitedString::Source() const
{
    return Join(m_delimiter);
}

void DelimitedString::SetSource(const QString& text)
{
    m_words.clear();
    if (FixedMode())
        m_fixedSourceLength = int32_t(text.size());
    if (text.isEmpty())
        return;
    if (FixedMode())
        SplitFixed(text);
    else if (!m_quote.isNull() &&
             text.contains(m_quote, m_quote.isLetter() ? Qt::CaseInsensitive : Qt::CaseSensitive))
        SplitQuoted(text);
    else
        SplitPlain(text);
    if (m_sorted)
        Sort();
}

void DelimitedString::SplitPlain(const QString& text)
{
    // Into the list's own storage, which keeps its capacity from line to line.
    const Qt::CaseSensitivity cs = m_delimiterHasCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const qsizetype step = m_delimiter.size();
    qsizetype start = 0;
    for (qsizetype at; (at = text.indexOf(m_delimiter, start, cs)) >= 0; start = at + step)
        m_words.append(text.mid(start, at - start));
    m_words.append(text.mid(start));
}

void DelimitedString::SplitQuoted(const QString& text)
{
    const QStringView s(text);
    const QStringView delimiter(m_delimiter);
    const QChar first = delimiter.front();
    const qsizetype n = s.size();
    qsizetype start = 0;
    bool inQuotes = false;
    for (qsizetype pos = 0; pos < n;) {
        const QChar c = s[pos];
        if (c == m_quote) {
            inQuotes = !inQuotes;
            ++pos;
        } else if (!inQuotes && c == first && s.sliced(pos).startsWith(delimiter)) {
            m_words.append(CleanPiece(s.sliced(start, pos - start), m_quote));
            pos += delimiter.size();
            start = pos;
        } else {
            ++pos;
        }
    }
    // The end of the text closes the last word; an opening quote that is
    // never closed makes the rest of the text that word rather than losing it.
    m_words.append(CleanPiece(s.sliced(start), m_quote));
}

void DelimitedString::SplitFixed(const QString& text)
{
    const QStringView s(text);
    qsizetype start = 0;
    m_words.reserve(m_widths.size());
    for (const int16_t width : m_widths) {
        const QStringView part = start < s.size() ? s.mid(start, width) : QStringView();
        const qsizetype tab = m_tabLimited ? part.indexOf(u'\t') : -1;
        if (tab >= 0) {
            m_words.append(part.left(tab).toString());
            start += tab + 1;
        } else {
            m_words.append(part.toString());
            start += width;
        }
    }
}

QString DelimitedString::Join(const QString& delimiter) const
{
    if (m_words.isEmpty())
        return {};
    QString out;
    if (delimiter.isEmpty()) {
        for (qsizetype i = 0; i < m_words.size(); ++i)
            out += RenderFixed(m_words[i], i);
        return out;
    }
    const Qt::CaseSensitivity cs = HasCase(delimiter) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    out.reserve(m_words.size() * (8 + delimiter.size()));
    for (qsizetype i = 0; i < m_words.size(); ++i) {
        const QString rendered = RenderDelimited(m_words[i], delimiter, cs);
        // A last word that renders empty leaves no trailing delimiter behind.
        if (i > 0 && !(rendered.isEmpty() && i == m_words.size() - 1))
            out += delimiter;
        out += rendered;
    }
    return out;
}

QString DelimitedString::RenderDelimited(const QString& word, const QString& delimiter,
                                         Qt::CaseSensitivity cs) const
{
    if (m_quote.isNull())
        return word;
    if (m_alwaysAddQuote || word.contains(m_quote) || HidesDelimiter(word, delimiter, cs))
        return QuoteText(word, m_quote);
    return word;
}

QString DelimitedString::RenderFixed(const QString& word, qsizetype field) const
{
    if (field >= m_widths.size())
        return {};
    const qsizetype width = std::max<qsizetype>(m_widths[field], 0);
    if (word.size() > width)
        return word.left(width);
    if (m_numberPad != u' ' && IsNumericText(word))
        return word.rightJustified(width, m_numberPad);
    if (word.size() < width)
        return m_tabLimited ? word + u'\t' : word.leftJustified(width, m_stringPad);
    return word;
}

double DelimitedString::Sum() const
{
    double total = 0;
    for (const QString& word : m_words)
        total += Val(word);
    return total;
}

bool DelimitedString::IsSameNumerically(const DelimitedString& objComp) const
{
    if (Count() != objComp.Count())
        return false;
    for (qsizetype i = 0; i < m_words.size(); ++i) {
        if (Val(m_words[i]) != Val(objComp.m_words[i]))
            return false;
    }
    return true;
}

QString DelimitedString::Word(int32_t Index) const
{
    if (Index < 1)
        Raise("Invalid Index", "Word");
    return Index <= Count() ? m_words[Index - 1] : QString();
}

void DelimitedString::SetWord(int32_t Index, const QString& Value)
{
    if (Index < 1)
        Raise("Invalid Index", "Word");
    const bool wasEmpty = m_words.isEmpty();
    if (Index > Count())
        m_words.resize(Index);
    if (FixedMode() && Index > m_widths.size()) {
        // An empty list stays empty; a longer one keeps its new blank words.
        if (wasEmpty)
            m_words.clear();
        Raise("Index exceeds field count", "Word");
    }
    m_words[Index - 1] = Value;
    if (m_sorted)
        Sort();
}

void DelimitedString::Add(const QVariant& WordToAdd)
{
    SetWord(Count() + 1, NullToString(WordToAdd));
}

void DelimitedString::SetQuoteCharacter(const QString& value)
{
    m_quote = value.isEmpty() || value.front() == u' ' ? QChar() : value.front();
}

void DelimitedString::Remove(const QVariant& Index)
{
    int32_t position = 0;
    if (Index.typeId() == QMetaType::QString)
        position = Find(Index.toString(), 1, 0, false);
    else
        position = int32_t(Index.toLongLong());
    if (position >= 1 && position <= Count())
        m_words.removeAt(position - 1);
}

int32_t DelimitedString::Find(const QString& StringToFind, int32_t StartAt,
                              int16_t FindCompareMethod, bool SearchWithinString) const
{
    if (StartAt < 1 || StartAt > Count())
        return 0;
    const Qt::CaseSensitivity cs = CompareMethod(FindCompareMethod);
    for (int32_t i = StartAt; i <= Count(); ++i) {
        const QString& word = m_words[i - 1];
        const bool match = SearchWithinString ? word.contains(StringToFind, cs)
                                              : word.compare(StringToFind, cs) == 0;
        if (match)
            return i;
    }
    return 0;
}

int32_t DelimitedString::FindNumber(const QVariant& NumberToFind, int32_t StartAt) const
{
    if (IsNull(NumberToFind) || NumberToFind.typeId() == QMetaType::Bool)
        return 0;
    const QString text = NullToString(NumberToFind);
    if (!IsNumericText(text) || StartAt < 1 || StartAt > Count())
        return 0;
    const double target = Val(text);
    for (int32_t i = StartAt; i <= Count(); ++i) {
        const QString& word = m_words[i - 1];
        if (IsNumericText(word) && Val(word) == target)
            return i;
    }
    return 0;
}

void DelimitedString::Truncate(int32_t TruncateFrom)
{
    if (TruncateFrom < 1)
        Raise("Invalid Index", "TruncateFrom");
    if (TruncateFrom <= Count())
        m_words.resize(TruncateFrom - 1);
}

void DelimitedString::SetSorted(bool value)
{
    // A list not kept sorted is sorted once, whichever value is set; one
    // already kept sorted is in order anyway.
    if (!m_sorted)
        Sort();
    m_sorted = value;
}

void DelimitedString::SetSortParameters(bool SortDescending, int16_t SortCompareMethod)
{
    m_sortDescending = SortDescending;
    m_sortCompareMethod = SortCompareMethod;
    if (m_sorted)
        Sort();
}

void DelimitedString::SetFixedPadParams(const QString& StingPadCharacter,
                                        const QString& NumberPadCharacter, bool IsTabLimited)
{
    m_stringPad = StingPadCharacter.isEmpty() ? QChar(u' ') : StingPadCharacter.front();
    m_numberPad = NumberPadCharacter.isEmpty() ? QChar(u' ') : NumberPadCharacter.front();
    m_tabLimited = IsTabLimited;
}

bool DelimitedString::FixLengthNotSame() const
{
    const int32_t shortest = m_fixLengthSize - m_widths.back();
    return m_fixedSourceLength < shortest || m_fixedSourceLength > m_fixLengthSize;
}

void DelimitedString::SetFixedLengthFieldLengths(const QString& FieldLengths, bool DontClearSource)
{
    DelimitedString list;
    list.SetSource(FieldLengths);
    QList<int16_t> widths;
    widths.reserve(list.Count() + 1);
    for (const QString& text : list.m_words) {
        if (!IsNumericText(text))
            Raise("Invalid field width", "SetFixedLengthFieldLengths");
        const double width = std::nearbyint(Val(text));
        if (width < -32768 || width > 32767)
            throw NevixError::Overflow(QStringLiteral("DelimitedString.SetFixedLengthFieldLengths"));
        widths.append(int16_t(width));
    }
    widths.append(0);
    SetFixedLengthArray(widths, DontClearSource);
}

void DelimitedString::SetFixedLengthArray(const QList<int16_t>& FieldLengths, bool DontClearSource)
{
    m_widths = {0};
    m_fixLengthSize = 0;
    if (FieldLengths.size() >= 2) {
        m_widths = QList<int16_t>(FieldLengths.size(), 0);
        for (qsizetype i = 0; i < FieldLengths.size(); ++i) {
            if (FieldLengths[i] < 0)
                Raise("Field width less than zero", "SetFixedLengthArray");
            m_widths[i] = FieldLengths[i];
            m_fixLengthSize += FieldLengths[i];
        }
    }
    if (!DontClearSource) {
        SetSource(QString());
        SetDelimiter(QString());
    }
}

void DelimitedString::Sort()
{
    SortWords(m_words, m_sortDelimiter, m_sortDescending, m_sortCompareMethod);
}
