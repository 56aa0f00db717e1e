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

// The error a call raises, checked for the class's number.
template <typename F>
NevixError ErrorOf(F&& call)
{
    try {
        call();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040201u));
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return NevixError(0, QString());
}

struct SplitCase {
    const char* name;
    const char* delimiter;
    const char* text;
    QStringList words;
    const char* joined; // nullptr: joins back to the text
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << c.name;
}

class DelimitedSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(DelimitedSplit, SplitsAndJoinsBack)
{
    const SplitCase& c = GetParam();
    DelimitedString list;
    list.SetDelimiter(Q(c.delimiter));
    list.SetSource(Q(c.text));
    EXPECT_EQ(WordsOf(list), c.words);
    EXPECT_EQ(list.Count(), c.words.size());
    EXPECT_EQ(list.Source(), Q(c.joined ? c.joined : c.text));
}

const SplitCase kSplitCases[] = {
    {"Empty_text_no_words", ",", "", {}, nullptr},
    {"Empty_middle_word", ",", "a,,b", L({"a", "", "b"}), nullptr},
    {"Trailing_delimiter_gives_last_empty_word", ",", "a,b,", L({"a", "b", ""}), "a,b"},
    {"Quoted_delimiter_stays_in_word", ",", "x,\"a,b\",y", L({"x", "a,b", "y"}), nullptr},
    {"Two_quotes_are_an_empty_word", ",", "a,\"\",b", L({"a", "", "b"}), "a,,b"},
    {"Doubled_quote_inside_quoted_word_is_one_quote", ",", "\"say \"\"hi\"\"\",b",
     L({"say \"hi\"", "b"}), nullptr},
    {"Comma_and_quote_in_one_word", ",", "\"5\"\" disk, black\",x", L({"5\" disk, black", "x"}),
     nullptr},
    {"Unclosed_quote_keeps_the_rest_as_last_word", ",", "a,\"b,c", L({"a", "b,c"}), "a,\"b,c\""},
    {"Plain_split_ignores_case_of_delimiter", "x", "AxBXC", L({"A", "B", "C"}), "AxBxC"},
    {"Quote_aware_split_matches_delimiter_exactly", "x", "\"q\"xAXB", L({"q", "AXB"}), "qx\"AXB\""},
    {"Long_delimiter", "~#~", "a~#~b~#~~#~c", L({"a", "b", "", "c"}), nullptr},
    {"Tab_delimiter", "\t", "a\tb c\t", L({"a", "b c", ""}), "a\tb c"},
    {"Single_word", ",", "alone", L({"alone"}), nullptr},
};

INSTANTIATE_TEST_SUITE_P(Table, DelimitedSplit, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DelimitedStringJoin, WordsWithDelimitersAndQuotesSurviveARoundTrip)
{
    const QStringList words = L({"Smith, J", "5\" floppy", "\"", "\"\"", "plain", ",", "a\"\",b"});
    DelimitedString out;
    for (const QString& w : words)
        out.Add(w);
    DelimitedString in;
    in.SetSource(out.Source());
    EXPECT_EQ(WordsOf(in), words);
}

TEST(DelimitedStringJoin, AlwaysAddQuoteQuotesEveryWord)
{
    DelimitedString list;
    list.SetSource(Q("a,b,"));
    list.SetAlwaysAddQuote(true);
    EXPECT_EQ(list.Source(), Q("\"a\",\"b\",\"\""));
}

TEST(DelimitedStringJoin, AltDelimiterLeavesTheStoredDelimiter)
{
    DelimitedString list;
    list.SetSource(Q("a,b;c,d"));
    EXPECT_EQ(list.GetSourceWithAltDelimiter(Q(";")), Q("a;\"b;c\";d"));
    EXPECT_EQ(list.Delimiter(), Q(","));
    EXPECT_EQ(list.Source(), Q("a,b;c,d"));
}

TEST(DelimitedStringQuote, NoQuoteCharacterSplitsAtEveryDelimiter)
{
    for (const char* none : {"", " x"}) {
        DelimitedString list;
        list.SetQuoteCharacter(Q(none));
        list.SetSource(Q("\"a,b\",c"));
        EXPECT_EQ(WordsOf(list), L({"\"a", "b\"", "c"})) << none;
    }
    DelimitedString single;
    single.SetQuoteCharacter(Q("'x"));
    single.SetSource(Q("'a,b',c"));
    EXPECT_EQ(WordsOf(single), L({"a,b", "c"}));
}

TEST(DelimitedStringDelimiter, ChangingItResplitsTheSameText)
{
    DelimitedString list;
    list.SetSource(Q("a;b,c"));
    list.SetDelimiter(Q(";"));
    EXPECT_EQ(WordsOf(list), L({"a", "b,c"}));
    list.SetDelimiter(Q(";"));
    EXPECT_EQ(list.Count(), 2);
}

TEST(DelimitedStringDelimiter, FixedWidthNeedsAWidthTable)
{
    DelimitedString list;
    const NevixError e = ErrorOf([&] { list.SetDelimiter(QString()); });
    EXPECT_EQ(e.Description(), Q("No Field splitting data provided"));
    EXPECT_EQ(e.Source(), Q("DelimitedString.Delimiter"));
    EXPECT_EQ(list.Delimiter(), Q(","));
}

// Fixed width ---------------------------------------------------------------

TEST(DelimitedStringFixed, CutsTheTextByTheWidthsPlusAFinalEmptyField)
{
    DelimitedString list;
    list.SetFixedLengthFieldLengths(Q("3,2"));
    EXPECT_EQ(list.Delimiter(), QString());
    EXPECT_EQ(list.FixLengthSize(), 5);
    list.SetSource(Q("abcdefg"));
    EXPECT_EQ(WordsOf(list), L({"abc", "de", ""}));
    list.SetSource(Q("ab"));
    EXPECT_EQ(WordsOf(list), L({"ab", "", ""}));
}

TEST(DelimitedStringFixed, ImportTableWithLeadingZeros)
{
    DelimitedString list;
    list.SetFixedLengthFieldLengths(Q("17,08,20,05,04,03"));
    EXPECT_EQ(list.FixLengthSize(), 57);
    list.SetSource(QString(57, u'x'));
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.Word(2), QString(8, u'x'));
    EXPECT_EQ(list.Word(7), QString());
}

TEST(DelimitedStringFixed, TabEndsAShortFieldWhenTabLimited)
{
    DelimitedString list;
    list.SetFixedLengthFieldLengths(Q("5,5"));
    list.SetFixedPadParams(Q(" "), Q(" "), true);
    list.SetSource(Q("ab\tcd"));
    EXPECT_EQ(WordsOf(list), L({"ab", "cd", ""}));
    EXPECT_EQ(list.Source(), Q("ab\tcd\t"));
}

struct PadCase {
    const char* name;
    const char* stringPad;
    const char* numberPad;
    bool tabLimited;
    const char* word;
    const char* rendered;
};

void PrintTo(const PadCase& c, std::ostream* os)
{
    *os << c.name;
}

class FixedRendering : public ::testing::TestWithParam<PadCase> {};

TEST_P(FixedRendering, RendersOneFieldOfWidthFive)
{
    const PadCase& c = GetParam();
    DelimitedString list;
    list.SetFixedLengthFieldLengths(Q("5"));
    list.SetFixedPadParams(Q(c.stringPad), Q(c.numberPad), c.tabLimited);
    list.SetWord(1, Q(c.word));
    EXPECT_EQ(list.Source(), Q(c.rendered));
}

const PadCase kPadCases[] = {
    {"Number_right_justified_with_number_pad", " ", "0", false, "42", "00042"},
    {"Decimal_number_right_justified", " ", "0", false, "-4.5", "0-4.5"},
    {"Text_left_justified_with_spaces", " ", "0", false, "ab", "ab   "},
    {"Longer_word_keeps_its_first_characters", " ", "0", false, "abcdefg", "abcde"},
    {"Exact_width_kept", " ", "0", false, "abcde", "abcde"},
    {"Blank_number_pad_pads_numbers_like_text", "*", " ", false, "42", "42***"},
    {"Empty_pad_arguments_mean_blanks", "", "", false, "42", "42   "},
    {"Tab_limited_short_word_ends_with_tab", " ", " ", true, "ab", "ab\t"},
    {"Tab_limited_number_still_padded", " ", "0", true, "42", "00042"},
};

INSTANTIATE_TEST_SUITE_P(Table, FixedRendering, ::testing::ValuesIn(kPadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DelimitedStringFixed, SingleWidthListAndFixLengthNotSame)
{
    DelimitedString list;
    list.SetFixedLengthFieldLengths(Q("10"));
    EXPECT_EQ(list.FixLengthSize(), 10);
    list.SetSource(Q("0123456789"));
    EXPECT_FALSE(list.FixLengthNotSame());
    EXPECT_EQ(list.Count(), 2);
    list.SetSource(Q("012345678"));
    EXPECT_TRUE(list.FixLengthNotSame());
    list.SetSource(Q("0123456789A"));
    EXPECT_TRUE(list.FixLengthNotSame());
    list.SetSource(QString());
    EXPECT_TRUE(list.FixLengthNotSame());

    // The last width counts as slack.
    list.SetFixedLengthArray({3, 4}, false);
    list.SetSource(Q("abc"));
    EXPECT_FALSE(list.FixLengthNotSame());
    list.SetSource(Q("ab"));
    EXPECT_TRUE(list.FixLengthNotSame());
}

TEST(DelimitedStringFixed, WidthTableErrors)
{
    DelimitedString list;
    NevixError e = ErrorOf([&] { list.SetFixedLengthArray({7}, false); });
    EXPECT_EQ(e.Description(), Q("No Field splitting data provided"));
    EXPECT_EQ(e.Source(), Q("DelimitedString.Delimiter"));

    e = ErrorOf([&] { list.SetFixedLengthArray({4, -1, 2}, true); });
    EXPECT_EQ(e.Description(), Q("Field width less than zero"));
    EXPECT_EQ(e.Source(), Q("DelimitedString.SetFixedLengthArray"));
    EXPECT_EQ(list.FixLengthSize(), 4);

    e = ErrorOf([&] { list.SetFixedLengthFieldLengths(Q("3,x")); });
    EXPECT_EQ(e.Source(), Q("DelimitedString.SetFixedLengthFieldLengths"));
    EXPECT_THROW(list.SetFixedLengthFieldLengths(Q("3,40000")), NevixError);

    // Kept table, kept words.
    DelimitedString kept;
    kept.SetSource(Q("a,b"));
    kept.SetFixedLengthArray({1}, true);
    EXPECT_EQ(kept.Count(), 2);
    EXPECT_EQ(kept.Delimiter(), Q(","));
}

TEST(DelimitedStringFixed, SwitchingModesResplitsTheJoinedText)
{
    DelimitedString list;
    list.SetFixedLengthFieldLengths(Q("2,3"));
    list.SetSource(Q("ab,cd"));
    EXPECT_EQ(WordsOf(list), L({"ab", ",cd", ""}));
    list.SetDelimiter(Q(","));
    EXPECT_EQ(WordsOf(list), L({"ab", "cd"}));
}

TEST(DelimitedStringFixed, WritingBeyondTheTable)
{
    DelimitedString list;
    list.SetFixedLengthFieldLengths(Q("2,2"));
    NevixError e = ErrorOf([&] { list.SetWord(4, Q("x")); });
    EXPECT_EQ(e.Description(), Q("Index exceeds field count"));
    EXPECT_EQ(e.Source(), Q("DelimitedString.Word"));
    EXPECT_EQ(list.Count(), 0);

    list.SetWord(1, Q("ab"));
    ErrorOf([&] { list.SetWord(5, Q("x")); });
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Word(5), QString());
}

// Words ---------------------------------------------------------------------

TEST(DelimitedStringWords, IndexRules)
{
    DelimitedString list;
    list.SetSource(Q("a,b"));
    NevixError e = ErrorOf([&] { list.Word(0); });
    EXPECT_EQ(e.Description(), Q("Invalid Index"));
    EXPECT_EQ(e.Source(), Q("DelimitedString.Word"));
    ErrorOf([&] { list.SetWord(-1, Q("x")); });
    EXPECT_EQ(list.Word(5), QString());
    list.SetWord(5, Q("e"));
    EXPECT_EQ(WordsOf(list), L({"a", "b", "", "", "e"}));
    list.SetWord(2, Q("B"));
    EXPECT_EQ(list.Word(2), Q("B"));
}

TEST(DelimitedStringWords, AddTakesTheTextOfAnyValue)
{
    DelimitedString list;
    list.Add(Q("text"));
    list.Add(QVariant());
    list.Add(QString());
    list.Add(2.5);
    list.Add(42);
    list.Add(QDate(2024, 3, 15));
    list.Add(true);
    EXPECT_EQ(WordsOf(list), L({"text", "", "", "2.5", "42", "15/03/2024", "True"}));
}

TEST(DelimitedStringWords, TruncateAndClear)
{
    DelimitedString list;
    list.SetSource(Q("1,2,3,4,5"));
    list.Truncate(9);
    EXPECT_EQ(list.Count(), 5);
    list.Truncate(3);
    EXPECT_EQ(WordsOf(list), L({"1", "2"}));
    const NevixError e = ErrorOf([&] { list.Truncate(0); });
    EXPECT_EQ(e.Source(), Q("DelimitedString.TruncateFrom"));
    list.Truncate(1);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Source(), QString());

    list.SetSource(Q("a,b"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Delimiter(), Q(","));
}

TEST(DelimitedStringWords, RemoveByTextOrPosition)
{
    DelimitedString list;
    list.SetSource(Q("a,B,b,c"));
    list.Remove(Q("b"));
    EXPECT_EQ(WordsOf(list), L({"a", "B", "c"}));
    list.Remove(Q("missing"));
    list.Remove(0);
    list.Remove(9);
    EXPECT_EQ(list.Count(), 3);
    list.Remove(1);
    EXPECT_EQ(WordsOf(list), L({"B", "c"}));
    list.Remove(2);
    list.Remove(1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(DelimitedStringSearch, Find)
{
    DelimitedString empty;
    EXPECT_EQ(empty.Find(QString()), 0);

    DelimitedString list;
    list.SetSource(Q("a,b,abc,b"));
    EXPECT_EQ(list.Find(Q("B")), 2);
    EXPECT_EQ(list.Find(Q("B"), 1, 0), 0);
    EXPECT_EQ(list.Find(Q("b"), 3), 4);
    EXPECT_EQ(list.Find(Q("b"), 5), 0);
    EXPECT_EQ(list.Find(Q("b"), 0), 0);
    EXPECT_EQ(list.Find(Q("BC"), 1, 1, true), 3);
    EXPECT_EQ(list.Find(Q("BC"), 1, 0, true), 0);
}

TEST(DelimitedStringSearch, FindNumberComparesNumericWordsByValue)
{
    DelimitedString list;
    list.SetSource(Q("x,3abc,2.50,3, 7 "));
    EXPECT_EQ(list.FindNumber(Q("2.5")), 3);
    EXPECT_EQ(list.FindNumber(3), 4);
    EXPECT_EQ(list.FindNumber(7.0), 5);
    EXPECT_EQ(list.FindNumber(Q("abc")), 0);
    EXPECT_EQ(list.FindNumber(QVariant()), 0);
    EXPECT_EQ(list.FindNumber(3, 5), 0);
}

TEST(DelimitedStringNumbers, SumAndNumericComparison)
{
    DelimitedString list;
    list.SetSource(Q("1,2.5,x"));
    EXPECT_DOUBLE_EQ(list.Sum(), 3.5);

    DelimitedString a, b, c, none1, none2;
    a.SetSource(Q("1,2.0,abc"));
    b.SetSource(Q("1.0,2,0"));
    c.SetSource(Q("1,2"));
    EXPECT_TRUE(a.IsSameNumerically(b));
    EXPECT_FALSE(a.IsSameNumerically(c));
    EXPECT_TRUE(none1.IsSameNumerically(none2));
}

// Sorting -------------------------------------------------------------------

struct SortCase {
    const char* name;
    const char* text;
    bool descending;
    int16_t compareMethod;
    QStringList expected;
};

void PrintTo(const SortCase& c, std::ostream* os)
{
    *os << c.name;
}

class SortedLoad : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortedLoad, SortsByTheKindOfKey)
{
    const SortCase& c = GetParam();
    DelimitedString list;
    list.SetSortParameters(c.descending, c.compareMethod);
    list.SetSorted(true);
    list.SetSource(Q(c.text));
    EXPECT_EQ(WordsOf(list), c.expected);
}

const SortCase kSortCases[] = {
    {"Numbers", "10,9,100", false, 1, L({"9", "10", "100"})},
    {"Numbers_descending", "10,9,100", true, 1, L({"100", "10", "9"})},
    {"Keys_before_sort_delimiter", "b(2),a(1)", false, 1, L({"a(1)", "b(2)"})},
    {"Sort_delimiter_at_start_is_no_cut", "(b,(a", false, 1, L({"(a", "(b"})},
    {"Dates_by_calendar_non_dates_first", "15/03/2024,1/2/2023,2023-12-31,x,01.01.2020", false, 1,
     L({"x", "01.01.2020", "1/2/2023", "2023-12-31", "15/03/2024"})},
    {"Half_dates_is_not_enough", "15/03/2024,1/2/2023,x,y", false, 1,
     L({"1/2/2023", "15/03/2024", "x", "y"})},
    {"Text_ignoring_case", "b,C,a", false, 1, L({"a", "b", "C"})},
    {"Text_binary", "b,C,a", false, 0, L({"C", "a", "b"})},
    {"Mostly_text_sorts_as_text", "10,9,x,y", false, 1, L({"10", "9", "x", "y"})},
};

INSTANTIATE_TEST_SUITE_P(Table, SortedLoad, ::testing::ValuesIn(kSortCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DelimitedStringSort, KeptSortedOnEveryWrite)
{
    DelimitedString list;
    list.SetSorted(true);
    for (const char* w : {"30", "10", "20", "5"})
        list.Add(Q(w));
    EXPECT_EQ(WordsOf(list), L({"5", "10", "20", "30"}));
    list.SetWord(1, Q("99"));
    EXPECT_EQ(WordsOf(list), L({"10", "20", "30", "99"}));
    list.SetSortParameters(true, 1);
    EXPECT_EQ(WordsOf(list), L({"99", "30", "20", "10"}));
}

TEST(DelimitedStringSort, SwitchingSortingOnSortsOnceAndOffKeepsOrder)
{
    DelimitedString list;
    list.SetSource(Q("c,a,b"));
    list.SetSorted(false);
    EXPECT_EQ(WordsOf(list), L({"c", "a", "b"}));
    list.SetSorted(true);
    EXPECT_EQ(WordsOf(list), L({"a", "b", "c"}));
    list.SetSorted(false);
    list.Add(Q("0"));
    EXPECT_EQ(WordsOf(list), L({"a", "b", "c", "0"}));
}

TEST(DelimitedStringOptions, KeptAcrossLoadsAndClear)
{
    DelimitedString list;
    list.SetUserProperty(42);
    list.SetSortDelimiter(Q("-"));
    list.SetDelimiter(Q(";"));
    list.SetSource(Q("a;b"));
    list.Clear();
    list.SetSource(Q("c;d"));
    EXPECT_EQ(list.UserProperty().toInt(), 42);
    EXPECT_EQ(list.SortDelimiter(), Q("-"));
    EXPECT_EQ(list.Source(), Q("c;d"));
}

// Numbers in text -----------------------------------------------------------

TEST(NumericText, LeadingNumberReading)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},         {"abc", 0},       {" 1 2 3", 123},  {"-2.5e2x", -250}, {"1.2.3", 1.2},
        {".5", 0.5},     {"1e", 1},        {"\t+7\n", 7},    {"3abc", 3},       {"1d2", 100},
        {"- 4", -4},     {"1e+", 1},       {"08", 8},
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
    EXPECT_EQ(NumberText(12.5), Q("12.5"));
    EXPECT_EQ(NumberText(-3), Q("-3"));
    EXPECT_EQ(NumberText(1000), Q("1000"));
    EXPECT_EQ(NumberText(0.1 + 0.2), Q("0.3"));
}

} // namespace
