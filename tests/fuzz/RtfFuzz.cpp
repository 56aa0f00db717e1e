// The rich-text reader of the information window.
//
// The input is read as rich text (no crash, no hang), and also as a
// document to write: a printable ASCII byte is that character; a byte of
// 0x80 or more takes two more bytes as a Unicode character; the other
// bytes end a paragraph, switch bold, italic or underline, set the font
// size from the next two bytes, or give a tab or a line break. The document
// is written as rich text the way common writers do (control words,
// escaped braces and backslashes, \uN with a fallback) and must read back
// character by character with the same formatting and paragraphs.

#include "FuzzWorld.h"

#include "screens/common/RtfReader.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdlib>
#include <vector>

namespace {

struct Format {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    friend bool operator==(const Format&, const Format&) = default;
};

struct Character {
    char16_t code;
    Format format;
    friend bool operator==(const Character&, const Character&) = default;
};

using Paragraphs = std::vector<std::vector<Character>>;

// Characters a text document keeps as they are (no block or frame marks,
// no lone surrogates, no controls but the tab).
bool Kept(char16_t c)
{
    return (c >= 0x20 || c == u'\t') && (c < 0xD800 || c > 0xDFFF) && c != 0x2029 && c != 0xFDD0 && c != 0xFDD1 &&
           c != 0xFFFC && c != 0xFFFE && c != 0xFFFF;
}

Paragraphs Describe(const uint8_t* data, size_t size)
{
    Paragraphs paragraphs(1);
    Format format;
    const auto next = [&](size_t& at) { return at < size ? data[at++] : 0; };
    for (size_t at = 0; at < size;) {
        const uint8_t op = data[at++];
        if (op >= 0x20 && op < 0x80) {
            paragraphs.back().push_back({char16_t(op), format});
        } else if (op >= 0x80) {
            const auto code = char16_t(next(at) << 8 | next(at));
            if (Kept(code))
                paragraphs.back().push_back({code, format});
        } else {
            switch (op % 8) {
            case 0: paragraphs.emplace_back(); break;
            case 1: format.bold = !format.bold; break;
            case 2: format.italic = !format.italic; break;
            case 3: format.underline = !format.underline; break;
            case 4: format.halfPoints = 1 + (next(at) << 8 | next(at)) % 3275; break;
            case 5: paragraphs.back().push_back({u'\t', format}); break;
            default: paragraphs.back().push_back({char16_t(QChar::LineSeparator), format}); break;
            }
        }
    }
    return paragraphs;
}

QByteArray Written(const Paragraphs& paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\plain ";
    Format written;
    for (size_t p = 0; p < paragraphs.size(); ++p) {
        if (p > 0)
            rtf += "\\par ";
        for (const Character& c : paragraphs[p]) {
            const Format& f = c.format;
            if (f.bold != written.bold)
                rtf += f.bold ? "\\b " : "\\b0 ";
            if (f.italic != written.italic)
                rtf += f.italic ? "\\i " : "\\i0 ";
            if (f.underline != written.underline)
                rtf += f.underline ? "\\ul " : "\\ulnone ";
            if (f.halfPoints != written.halfPoints)
                rtf += "\\fs" + QByteArray::number(f.halfPoints) + ' ';
            written = f;
            if (c.code == u'\\' || c.code == u'{' || c.code == u'}')
                rtf += '\\' + QByteArray(1, char(c.code));
            else if (c.code == u'\t')
                rtf += "\\tab ";
            else if (c.code == QChar::LineSeparator)
                rtf += "\\line ";
            else if (c.code < 0x80)
                rtf += char(c.code);
            else // a signed 16-bit number, and "?" for readers without Unicode
                rtf += "\\u" + QByteArray::number(c.code > 0x7FFF ? int(c.code) - 0x10000 : int(c.code)) + '?';
        }
    }
    return rtf + '}';
}

Paragraphs ReadBack(const QTextDocument& document)
{
    Paragraphs paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        paragraphs.emplace_back();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const Format format{f.fontWeight() == QFont::Bold, f.fontItalic(), f.fontUnderline(),
                                int(f.fontPointSize() * 2)};
            for (const QChar c : it.fragment().text())
                paragraphs.back().push_back({c.unicode(), format});
        }
    }
    return paragraphs;
}

void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    QTextDocument document;
    RtfReader::Read(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), document);

    const Paragraphs written = Describe(data, size);
    RtfReader::Read(Written(written), document);
    Require(ReadBack(document) == written, "a written document reads back with its formatting");
    return 0;
}
