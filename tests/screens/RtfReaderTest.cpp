#include "screens/common/RtfReader.h"

#include "support/Printers.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

struct RtfCase {
    const char* name;
    const char* rtf;
    const char* text;    // the plain text, blocks joined by "|"
    const char* marked;  // the text with bold as *x*, italic as /x/, underline as _x_
};

// Text of every block, "|" between blocks; runs marked by their format.
QString Marked(const QTextDocument& document, bool withFormats)
{
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString text;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QString run = it.fragment().text();
            const QTextCharFormat format = it.fragment().charFormat();
            if (withFormats) {
                if (format.fontWeight() == QFont::Bold)
                    run = '*' + run + '*';
                if (format.fontItalic())
                    run = '/' + run + '/';
                if (format.fontUnderline())
                    run = '_' + run + '_';
            }
            text += run;
        }
        blocks.append(text);
    }
    return blocks.join('|');
}

class RtfReading : public ::testing::TestWithParam<RtfCase> {};

TEST_P(RtfReading, ReadsTextAndFormats)
{
    QTextDocument document;
    RtfReader::Read(GetParam().rtf, document);
    EXPECT_EQ(Marked(document, false), QString::fromUtf8(GetParam().text));
    if (GetParam().marked) {
        EXPECT_EQ(Marked(document, true), QString::fromUtf8(GetParam().marked));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RtfReading,
    ::testing::Values(
        RtfCase{"BoldAndItalicRuns", R"({\rtf1 plain \b bold\b0  and {\i italic} \ul under\ulnone .})",
                "plain bold and italic under.", "plain *bold* and /italic/ _under_."},
        RtfCase{"PlainEndsEveryFormat", R"({\rtf1\b\i both\plain  none})", "both none", "/*both*/ none"},
        RtfCase{"ParagraphsAndLineBreaks", R"({\rtf1 one\par two\line three\par\pard four})",
                "one|two\u2028three|four", nullptr},
        RtfCase{"Tabs", R"({\rtf1 a\tab b})", "a\tb", nullptr},
        RtfCase{"Windows1252Bytes", R"({\rtf1 caf\'e9 \'80 \'93q\'94})", "café € “q”", nullptr},
        RtfCase{"UnicodeWithItsFallbackSkipped", R"({\rtf1 \u8364? and \u-4064?x})", "€ and \uF020x", nullptr},
        RtfCase{"UnicodeSkipCount", R"({\rtf1\uc2 \u8364\'80\'80 end\uc0 \u233 !})", "€ endé!", nullptr},
        RtfCase{"TablesAndGeneratorLeaveNoText",
                R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1 Times;}}{\colortbl;\red0\green0\blue0;})"
                R"({\stylesheet{\s0 Normal;}}{\info{\title T}}{\*\generator Writer 1.0;}text})",
                "text", nullptr},
        RtfCase{"PictureSkipped", R"({\rtf1 before{\pict\pngblip 89504e470d0a}after})", "beforeafter", nullptr},
        RtfCase{"BinaryPictureDataSkipped", "{\\rtf1 a{\\pict\\bin4 }{\\}}b}", "ab", nullptr},
        RtfCase{"BinaryLengthPastTheEnd", "{\\rtf1 a{\\pict\\bin99 xy", "a", nullptr},
        RtfCase{"EscapedBracesAndBackslash", R"({\rtf1 a\{b\}c\\d})", "a{b}c\\d", nullptr},
        RtfCase{"FontSizeChangesNoText", R"({\rtf1\fs40 big\fs20 small})", "bigsmall", nullptr},
        RtfCase{"UnclosedGroup", R"({\rtf1{\b unclosed {\i deeper)", "unclosed deeper", "*unclosed *" "/*deeper*/"},
        RtfCase{"CutControlWord", "{\\rtf1 text\\", "text", nullptr},
        RtfCase{"CutHexByte", "{\\rtf1 text\\'e", "text", nullptr},
        RtfCase{"StrayClosingBraces", R"(}}{\rtf1 ok}}})", "ok", nullptr},
        RtfCase{"RawBytesInWindows1252", "{\\rtf1 \x80 \x93q\x94 caf\xe9}", "€ “q” café", nullptr},
        RtfCase{"UnicodeFallbackEndsWithItsGroup", R"({\rtf1 {\*\x \u233}abc{\u233}d})", "abcéd", nullptr},
        RtfCase{"MalformedHexEscapeIsNoNumber", R"({\rtf1 x\'-1y \'+fz})", "x-1y +fz", nullptr},
        RtfCase{"HexEscapeWithOneDigit", R"({\rtf1 a\'4g})", "ag", nullptr},
        RtfCase{"UnicodeBeyondSixteenBitsLeavesItsFallback", R"({\rtf1 \u70000?x\u-32768?y\u-32769?z\u65535?})",
                "?x\u8000y?z\uFFFF", nullptr},
        RtfCase{"Empty", "", "", nullptr},
        // A control word's number is read whole; only its one delimiting
        // blank goes with it.
        RtfCase{"NumberDelimitedByABlank", R"({\rtf1 a\fs24 b\fs24  c})", "ab c", nullptr},
        RtfCase{"LongNumberLeavesNoDigit", R"({\rtf1 a\fs12345678901 b})", "ab", nullptr},
        RtfCase{"LongNegativeNumberLeavesNoDigit", R"({\rtf1 a\fs-12345678901 b})", "ab", nullptr},
        RtfCase{"NumbersAtTheLimit", R"({\rtf1 a\b2147483647 b\b-2147483648 c\b0 d})", "abcd", "a*bc*d"},
        RtfCase{"NumberPastTheLimitIsNoNumber", R"({\rtf1 \u4294967361?x\u-2147483649?y})", "?x?y", nullptr},
        RtfCase{"LeadingZerosAreOneNumber", R"({\rtf1 \u00000000065?x})", "Ax", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

struct IndentCase {
    const char* name;
    const char* rtf;    // its last paragraph is laid out
    int firstLine;      // where its lines start, in pixels (15 twips each)
    int wrappedLines;
    int afterFirstTab;  // where the text after its first tab starts, or -1
};

class RtfIndents : public ::testing::TestWithParam<IndentCase> {};

TEST_P(RtfIndents, ApplyToTheFirstAndTheWrappedLines)
{
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setTextWidth(300);
    RtfReader::Read(QByteArray(GetParam().rtf) + " keeper details are used only for the purpose of that enquiry, and"
                                                 " never passed to anyone who is not entitled to them}",
                    document);
    document.documentLayout()->documentSize();
    const QTextBlock block = document.lastBlock();
    const QTextLayout* layout = block.layout();
    ASSERT_GE(layout->lineCount(), 3);
    EXPECT_EQ(layout->lineAt(0).x(), GetParam().firstLine);
    for (int line = 1; line < layout->lineCount(); ++line)
        EXPECT_EQ(layout->lineAt(line).x(), GetParam().wrappedLines) << "line " << line;
    if (GetParam().afterFirstTab >= 0) {
        const int tab = block.text().indexOf('\t');
        EXPECT_EQ(layout->lineAt(0).cursorToX(tab + 1), GetParam().afterFirstTab);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RtfIndents,
    ::testing::Values(IndentCase{"None", R"({\rtf1)", 0, 0, -1},
                      IndentCase{"Left", R"({\rtf1\pard\li720)", 48, 48, -1},
                      IndentCase{"FirstLine", R"({\rtf1\pard\fi360)", 24, 0, -1},
                      IndentCase{"HangingBulletTabsToTheLeftIndent", R"({\rtf1\pard\fi-360\li720 \u8226?\tab)", 24,
                                 48, 48},
                      IndentCase{"PardEndsTheIndents", R"({\rtf1\pard\fi-360\li720 one\par\pard)", 0, 0, -1},
                      IndentCase{"IndentsEndWithTheirGroup", R"({\rtf1{\pard\li720 one\par})", 0, 0, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, FontSizeIsHalfPoints)
{
    QTextDocument document;
    RtfReader::Read(R"({\rtf1\fs40 big})", document);
    EXPECT_EQ(document.begin().begin().fragment().charFormat().fontPointSize(), 20.0);
}

} // namespace
