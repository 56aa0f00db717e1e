#include "core/DelimitedString.h"
#include "core/NumericText.h"
#include "platform/NevixError.h"
#include "support/Printers.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QStringList WordsOf(const DelimitedString& list)
{
    QStringList words;
    for (int32_t i = 1; i <= list.Count(); ++i)
        words << list.Word(i);
    return words;
}

QString Q(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList L(std::initializer_list<const char*> words)
{
    QStringList list;
    for (const char* w : words)
        list << Q(w);
    return list;
}

// The source and description of the error a call raises, checked for the
// class's number.
template <typename F>
QString ErrorOf(F&& call)
{
    try {
        call();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040201u));
        return e.Source() + u' ' + e.Description();
    }
    ADD_FAILURE() << "no error raised";
    return {};
}

DelimitedString Split(const char* text, const char* delimiter = ",")
{
    DelimitedString list;
    list.SetDelimiter(Q(delimiter));
    list.SetSource(Q(text));
    return list;
}

TEST(DelimitedStringSplit, SplitsAndJoinsBack)
{
    const struct {
        const char* name;
        const char* delimiter;
        const char* text;
        QStringList words;
        const char* joined; // nullptr: joins back to the text
    } cases[] = {
        {"empty text, no words", ",", "", {}, nullptr},
        {"empty middle word", ",", "a,,b", L({"a", "", "b"}), nullptr},
        {"trailing delimiter gives last empty word", ",", "a,b,", L({"a", "b", ""}), "a,b"},
        {"quoted delimiter stays in word", ",", "x,\"a,b\",y", L({"x", "a,b", "y"}), nullptr},
        {"two quotes are an empty word", ",", "a,\"\",b", L({"a", "", "b"}), "a,,b"},
        {"doubled quote inside quoted word", ",", "\"say \"\"hi\"\"\",b", L({"say \"hi\"", "b"}),
         nullptr},
        {"comma and quote in one word", ",", "\"5\"\" disk, black\",x", L({"5\" disk, black", "x"}),
         nullptr},
        {"unclosed quote keeps the rest", ",", "a,\"b,c", L({"a", "b,c"}), "a,\"b,c\""},
        {"plain split ignores case of delimiter", "x", "AxBXC", L({"A", "B", "C"}), "AxBxC"},
        {"quoted split matches delimiter exactly", "x", "\"q\"xAXB", L({"q", "AXB"}), "qx\"AXB\""},
        {"long delimiter", "~#~", "a~#~b~#~~#~c", L({"a", "b", "", "c"}), nullptr},
        {"tab delimiter", "\t", "a\tb c\t", L({"a", "b c", ""}), "a\tb c"},
        {"single word", ",", "alone", L({"alone"}), nullptr},
    };
    for (const auto& c : cases) {
        const DelimitedString list = Split(c.text, c.delimiter);
        EXPECT_EQ(WordsOf(list), c.words) << c.name;
        EXPECT_EQ(list.Source(), Q(c.joined ? c.joined : c.text)) << c.name;
    }
}

TEST(DelimitedStringJoin, QuotesWhereNeededAndSurvivesARoundTrip)
{
    const QStringList words = L({"Smith, J", "5\" floppy", "\"", "\"\"", "plain", ",", "a\"\",b"});
    DelimitedString out;
    for (const QString& w : words)
        out.Add(w);
    DelimitedString in;
    in.SetSource(out.Source());
    EXPECT_EQ(WordsOf(in), words);

    DelimitedString list = Split("a,b,");
    list.SetAlwaysAddQuote(true);
    EXPECT_EQ(list.Source(), "\"a\",\"b\",\"\"");

    list = Split("a,b;c,d");
    EXPECT_EQ(list.GetSourceWithAltDelimiter(";"), "a;\"b;c\";d");
    EXPECT_EQ(list.Source(), "a,b;c,d");
}

TEST(DelimitedStringJoin, AWordEndingInTheStartOfALongDelimiterIsQuoted)
{
    const struct {
        const char* delimiter;
        std::initializer_list<const char*> words;
    } cases[] = {
        {"~#~", {"a~#", "b"}}, {"~#~", {"a~", "#~b"}}, {"~#~", {"~#", "~#", ""}},
        {"AND", {"xan", "dy"}}, {"--", {"a-", "-b"}}, {",", {"a", "b"}},
    };
    for (const auto& c : cases) {
        DelimitedString out;
        out.SetDelimiter(c.delimiter);
        for (const char* w : c.words)
            out.Add(QString::fromUtf8(w));
        DelimitedString in;
        in.SetDelimiter(c.delimiter);
        in.SetSource(out.Source());
        QStringList expected = L(c.words);
        if (expected.back().isEmpty())
            expected.removeLast(); // an empty last word leaves no delimiter
        EXPECT_EQ(WordsOf(in), expected) << out.Source().toStdString();
    }
}

TEST(DelimitedStringQuote, QuoteCharacterAndDelimiterChanges)
{
    for (const char* none : {"", " x"}) {
        DelimitedString list;
        list.SetQuoteCharacter(Q(none));
        list.SetSource("\"a,b\",c");
        EXPECT_EQ(WordsOf(list), L({"\"a", "b\"", "c"})) << none;
    }
    DelimitedString single;
    single.SetQuoteCharacter("'x");
    single.SetSource("'a,b',c");
    EXPECT_EQ(WordsOf(single), L({"a,b", "c"}));

    DelimitedString list = Split("a;b,c");
    list.SetDelimiter(";");
    EXPECT_EQ(WordsOf(list), L({"a", "b,c"}));

    DelimitedString plain;
    EXPECT_EQ(ErrorOf([&] { plain.SetDelimiter(QString()); }),
              "DelimitedString.Delimiter No Field splitting data provided");
    EXPECT_EQ(plain.Delimiter(), ",");
}

// Fixed width ---------------------------------------------------------------

TEST(DelimitedStringFixed, CutsTheTextByTheWidthsTabsAndModeSwitches)
{
    DelimitedString list;
    list.SetFixedLengthFieldLengths("3,2");
    EXPECT_EQ(list.Delimiter(), QString());
    list.SetSource("abcdefg");
    EXPECT_EQ(WordsOf(list), L({"abc", "de", ""}));
    list.SetSource("ab");
    EXPECT_EQ(WordsOf(list), L({"ab", "", ""}));

    list.SetFixedLengthFieldLengths("17,08,20,05,04,03"); // the import table
    EXPECT_EQ(list.FixLengthSize(), 57);
    list.SetSource(QString(57, u'x'));
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.Word(2), QString(8, u'x'));

    DelimitedString tabbed; // a TAB ends a short field
    tabbed.SetFixedLengthFieldLengths("5,5");
    tabbed.SetFixedPadParams(" ", " ", true);
    tabbed.SetSource("ab\tcd");
    EXPECT_EQ(WordsOf(tabbed), L({"ab", "cd", ""}));
    EXPECT_EQ(tabbed.Source(), "ab\tcd\t");

    // Switching modes resplits the joined text.
    list.SetFixedLengthFieldLengths("2,3");
    list.SetSource("ab,cd");
    EXPECT_EQ(WordsOf(list), L({"ab", ",cd", ""}));
    list.SetDelimiter(",");
    EXPECT_EQ(WordsOf(list), L({"ab", "cd"}));
}

TEST(DelimitedStringFixed, RendersOneFieldOfWidthFive)
{
    const struct {
        const char* name;
        const char* stringPad;
        const char* numberPad;
        bool tabLimited;
        const char* word;
        const char* rendered;
    } cases[] = {
        {"number right-justified with number pad", " ", "0", false, "42", "00042"},
        {"text left-justified with spaces", " ", "0", false, "ab", "ab   "},
        {"longer word keeps its first characters", " ", "0", false, "abcdefg", "abcde"},
        {"exact width kept", " ", "0", false, "abcde", "abcde"},
        {"blank number pad pads numbers like text", "*", " ", false, "42", "42***"},
        {"empty pad arguments mean blanks", "", "", false, "42", "42   "},
        {"tab-limited short word ends with tab", " ", " ", true, "ab", "ab\t"},
        {"tab-limited number still padded", " ", "0", true, "42", "00042"},
    };
    for (const auto& c : cases) {
        DelimitedString list;
        list.SetFixedLengthFieldLengths("5");
        list.SetFixedPadParams(Q(c.stringPad), Q(c.numberPad), c.tabLimited);
        list.SetWord(1, Q(c.word));
        EXPECT_EQ(list.Source(), Q(c.rendered)) << c.name;
    }
}

TEST(DelimitedStringFixed, FixLengthNotSameAllowsTheLastWidthAsSlack)
{
    DelimitedString list;
    list.SetFixedLengthFieldLengths("10");
    for (const auto& [text, notSame] : {std::pair{"0123456789", false}, {"012345678", true},
                                        {"0123456789A", true}, {"", true}}) {
        list.SetSource(Q(text));
        EXPECT_EQ(list.FixLengthNotSame(), notSame) << text;
    }
    list.SetFixedLengthArray({3, 4}, false);
    list.SetSource("abc");
    EXPECT_FALSE(list.FixLengthNotSame());
    list.SetSource("ab");
    EXPECT_TRUE(list.FixLengthNotSame());
}

TEST(DelimitedStringFixed, WidthTableErrorsAndWritingBeyondTheTable)
{
    DelimitedString list;
    EXPECT_EQ(ErrorOf([&] { list.SetFixedLengthArray({7}, false); }),
              "DelimitedString.Delimiter No Field splitting data provided");
    EXPECT_EQ(ErrorOf([&] { list.SetFixedLengthArray({4, -1, 2}, true); }),
              "DelimitedString.SetFixedLengthArray Field width less than zero");
    EXPECT_EQ(list.FixLengthSize(), 4);
    EXPECT_TRUE(ErrorOf([&] { list.SetFixedLengthFieldLengths("3,x"); })
                    .startsWith("DelimitedString.SetFixedLengthFieldLengths "));
    EXPECT_THROW(list.SetFixedLengthFieldLengths("3,40000"), NevixError);

    // Kept table, kept words.
    DelimitedString kept = Split("a,b");
    kept.SetFixedLengthArray({1}, true);
    EXPECT_EQ(kept.Count(), 2);
    EXPECT_EQ(kept.Delimiter(), ",");

    list.SetFixedLengthFieldLengths("2,2");
    EXPECT_EQ(ErrorOf([&] { list.SetWord(4, "x"); }),
              "DelimitedString.Word Index exceeds field count");
    EXPECT_EQ(list.Count(), 0);

    list.SetWord(1, "ab");
    ErrorOf([&] { list.SetWord(5, "x"); });
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Word(5), QString());
}

// Words ---------------------------------------------------------------------

TEST(DelimitedStringWords, IndexRulesTruncateAndRemove)
{
    DelimitedString list = Split("a,b");
    EXPECT_EQ(ErrorOf([&] { list.Word(0); }), "DelimitedString.Word Invalid Index");
    ErrorOf([&] { list.SetWord(-1, "x"); });
    EXPECT_EQ(list.Word(5), QString());
    list.SetWord(5, "e");
    list.SetWord(2, "B");
    EXPECT_EQ(WordsOf(list), L({"a", "B", "", "", "e"}));

    list = Split("1,2,3,4,5");
    list.Truncate(9);
    EXPECT_EQ(list.Count(), 5);
    list.Truncate(3);
    EXPECT_EQ(WordsOf(list), L({"1", "2"}));
    EXPECT_EQ(ErrorOf([&] { list.Truncate(0); }), "DelimitedString.TruncateFrom Invalid Index");
    list.Truncate(1);
    EXPECT_EQ(list.Source(), QString());

    list = Split("a,B,b,c");
    list.Remove("b");
    EXPECT_EQ(WordsOf(list), L({"a", "B", "c"}));
    list.Remove("missing");
    list.Remove(0);
    list.Remove(9);
    EXPECT_EQ(list.Count(), 3);
    list.Remove(1);
    EXPECT_EQ(WordsOf(list), L({"B", "c"}));
}

TEST(DelimitedStringWords, AddTakesTheTextOfAnyValue)
{
    DelimitedString list;
    for (const QVariant& v : {QVariant("text"), QVariant(), QVariant(QString()), QVariant(2.5),
                              QVariant(42), QVariant(QDate(2024, 3, 15)), QVariant(true)})
        list.Add(v);
    EXPECT_EQ(WordsOf(list), L({"text", "", "", "2.5", "42", "15/03/2024", "True"}));
}

TEST(DelimitedStringSearch, FindFindNumberSumAndNumericComparison)
{
    EXPECT_EQ(DelimitedString().Find(QString()), 0);
    const DelimitedString list = Split("a,b,abc,b");
    EXPECT_EQ(list.Find("B"), 2);
    EXPECT_EQ(list.Find("B", 1, 0), 0);
    EXPECT_EQ(list.Find("b", 3), 4);
    EXPECT_EQ(list.Find("b", 5), 0);
    EXPECT_EQ(list.Find("b", 0), 0);
    EXPECT_EQ(list.Find("BC", 1, 1, true), 3);
    EXPECT_EQ(list.Find("BC", 1, 0, true), 0);

    const DelimitedString numbers = Split("x,3abc,2.50,3, 7 ");
    EXPECT_EQ(numbers.FindNumber("2.5"), 3);
    EXPECT_EQ(numbers.FindNumber(3), 4);
    EXPECT_EQ(numbers.FindNumber(7.0), 5);
    EXPECT_EQ(numbers.FindNumber("abc"), 0);
    EXPECT_EQ(numbers.FindNumber(QVariant()), 0);
    EXPECT_EQ(numbers.FindNumber(3, 5), 0);

    EXPECT_DOUBLE_EQ(Split("1,2.5,x").Sum(), 3.5);
    const DelimitedString a = Split("1,2.0,abc");
    EXPECT_TRUE(a.IsSameNumerically(Split("1.0,2,0")));
    EXPECT_FALSE(a.IsSameNumerically(Split("1,2")));
    EXPECT_TRUE(DelimitedString().IsSameNumerically(DelimitedString()));
}

// Sorting -------------------------------------------------------------------

TEST(DelimitedStringSort, SortsByTheKindOfKey)
{
    const struct {
        const char* name;
        const char* text;
        bool descending;
        int16_t compareMethod;
        QStringList expected;
    } cases[] = {
        {"numbers", "10,9,100", false, 1, L({"9", "10", "100"})},
        {"numbers descending", "10,9,100", true, 1, L({"100", "10", "9"})},
        {"keys before sort delimiter", "b(2),a(1)", false, 1, L({"a(1)", "b(2)"})},
        {"sort delimiter at start is no cut", "(b,(a", false, 1, L({"(a", "(b"})},
        {"dates by calendar, non-dates first", "15/03/2024,1/2/2023,2023-12-31,x,01.01.2020", false,
         1, L({"x", "01.01.2020", "1/2/2023", "2023-12-31", "15/03/2024"})},
        {"half dates is not enough", "15/03/2024,1/2/2023,x,y", false, 1,
         L({"1/2/2023", "15/03/2024", "x", "y"})},
        {"text ignoring case", "b,C,a", false, 1, L({"a", "b", "C"})},
        {"text binary", "b,C,a", false, 0, L({"C", "a", "b"})},
        {"mostly text sorts as text", "10,9,x,y", false, 1, L({"10", "9", "x", "y"})},
    };
    for (const auto& c : cases) {
        DelimitedString list;
        list.SetSortParameters(c.descending, c.compareMethod);
        list.SetSorted(true);
        list.SetSource(Q(c.text));
        EXPECT_EQ(WordsOf(list), c.expected) << c.name;
    }
}

TEST(DelimitedStringSort, KeptSortedOnEveryWriteUntilSwitchedOff)
{
    DelimitedString list = Split("c,a,b");
    EXPECT_EQ(WordsOf(list), L({"c", "a", "b"}));
    list.SetSorted(true);
    EXPECT_EQ(WordsOf(list), L({"a", "b", "c"}));
    list.Add("0");
    list.SetWord(2, "d");
    EXPECT_EQ(WordsOf(list), L({"0", "b", "c", "d"}));
    list.SetSortParameters(true, 1);
    EXPECT_EQ(WordsOf(list), L({"d", "c", "b", "0"}));
    list.SetSorted(false);
    list.Add("a");
    EXPECT_EQ(WordsOf(list), L({"d", "c", "b", "0", "a"}));
}

TEST(DelimitedStringSort, SwitchingOffAListNotKeptSortedSortsItOnce)
{
    DelimitedString list = Split("c,a,b");
    list.SetSorted(false);
    EXPECT_EQ(WordsOf(list), L({"a", "b", "c"}));
    EXPECT_FALSE(list.Sorted());
    list.Add("0");
    EXPECT_EQ(WordsOf(list), L({"a", "b", "c", "0"})) << "not kept sorted afterwards";
}

// Numbers in text -----------------------------------------------------------

TEST(NumericText, LeadingNumberReading)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},   {"abc", 0}, {" 1 2 3", 123}, {"-2.5e2x", -250}, {"1.2.3", 1.2}, {".5", 0.5},
        {"1e", 1}, {"\t+7\n", 7}, {"1d2", 100}, {"- 4", -4},      {"1e+", 1},    {"08", 8},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(Q(c.text)), c.value) << c.text;
}

TEST(NumericText, WholeTextNumbers)
{
    for (const char* yes : {"12", " 12 ", "-1.5", "+3", "1e5", ".5", "5."})
        EXPECT_TRUE(IsNumericText(Q(yes))) << yes;
    for (const char* no : {"", " ", ".", "1.2.3", "12a", "1e", "--1", "1,000", "e5"})
        EXPECT_FALSE(IsNumericText(Q(no))) << no;
    EXPECT_EQ(NumberText(12.5), "12.5");
    EXPECT_EQ(NumberText(-3), "-3");
    EXPECT_EQ(NumberText(1000), "1000");
    EXPECT_EQ(NumberText(0.1 + 0.2), "0.3");
}

} // namespace
