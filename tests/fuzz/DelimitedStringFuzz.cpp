// Lines of import files and lists of answer elements, split and joined.
//
// The first byte chooses the delimiter, whether a quote character is used
// and whether every word is quoted; the rest is the text. The text is split
// as a line; then, cut at its line feeds into words, joined and split again,
// which must give the same words back. Two things the format cannot hold
// are left out of that comparison: an empty last word (it leaves no
// delimiter behind, as a line does not end in a comma) and, without a quote
// character, a word holding the delimiter or ending in its start, which
// with the delimiter after it holds it earlier ("E~#" and "~#~"). A
// fixed-width reading takes its widths from the first line.

#include "FuzzWorld.h"

#include "core/DelimitedString.h"
#include "platform/NevixError.h"

#include <QStringList>

namespace {
const char* const Delimiters[] = {",", "\t", "~#~", "|", "AND"};

void Configure(DelimitedString& list, const QString& delimiter, bool quoted, bool alwaysQuote)
{
    list.SetDelimiter(delimiter);
    if (!quoted)
        list.SetQuoteCharacter(QString());
    list.SetAlwaysAddQuote(alwaysQuote);
}

void SplitAsLine(const QString& text, const QString& delimiter, bool quoted)
{
    DelimitedString line;
    Configure(line, delimiter, quoted, false);
    line.SetSource(text);
    for (int32_t i = 1; i <= line.Count(); ++i)
        Require(line.Find(line.Word(i), 1, 0) >= 1, "every word is found in its list");
    (void)line.Sum();
    (void)line.Source();
}

void JoinAndSplitAgain(const QString& text, const QString& delimiter, bool quoted, bool alwaysQuote)
{
    const Qt::CaseSensitivity cs = delimiter.toLower() != delimiter.toUpper() ? Qt::CaseInsensitive
                                                                             : Qt::CaseSensitive;
    QStringList words;
    DelimitedString joined;
    Configure(joined, delimiter, quoted, alwaysQuote);
    for (const QString& word : text.split(u'\n')) {
        if (!quoted && (word + delimiter).indexOf(delimiter, 0, cs) < word.size())
            continue;
        words.append(word);
        joined.Add(word);
    }
    const QString source = joined.Source();
    if (!words.isEmpty() && words.back().isEmpty() && !(quoted && alwaysQuote))
        words.removeLast();
    if (source.isEmpty())
        words.clear();

    DelimitedString split;
    Configure(split, delimiter, quoted, alwaysQuote);
    split.SetSource(source);
    Require(split.Count() == words.size(), "a joined list splits back into as many words");
    for (int32_t i = 1; i <= split.Count(); ++i)
        Require(split.Word(i) == words.at(i - 1), "a joined list splits back into the same words");
}

void SplitFixed(const QString& text)
{
    const qsizetype lineEnd = text.indexOf(u'\n');
    if (lineEnd < 0)
        return;
    DelimitedString fixed;
    try {
        fixed.SetFixedLengthFieldLengths(text.left(lineEnd));
        fixed.SetDelimiter(QString());
    } catch (const NevixError&) {
        return; // widths that are no numbers are refused
    }
    fixed.SetFixedPadParams(QStringLiteral(" "), QStringLiteral("0"), text.size() % 2 == 0);
    fixed.SetSource(text.mid(lineEnd + 1));
    (void)fixed.Source();
    (void)fixed.FixLengthNotSame();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    FuzzWorld::Get();
    const uint8_t mode = data[0];
    const QString delimiter = QString::fromLatin1(Delimiters[mode % std::size(Delimiters)]);
    const bool quoted = (mode & 0x08) == 0;
    const bool alwaysQuote = (mode & 0x10) != 0;
    const QString text = TextOf(data + 1, size - 1);

    SplitAsLine(text, delimiter, quoted);
    JoinAndSplitAgain(text, delimiter, quoted, alwaysQuote);
    SplitFixed(text);
    return 0;
}
