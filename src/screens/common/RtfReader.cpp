#include "screens/common/RtfReader.h"

#include "core/Windows1252.h"

#include <QSet>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace {

struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    bool skip = false;
    int unicodeSkip = 1;
    // The paragraph's left indent and its first line's indent from there,
    // in twips.
    int leftIndent = 0;
    int firstIndent = 0;
};

// Twips to the pixels of a 96 dots an inch screen.
constexpr qreal TwipsPerPixel = 15;
// Indents kept within the widest page a writer offers (22 inches), so that
// a stray number cannot push the text out of sight.
constexpr int WidestIndent = 31680;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Destinations whose text is not part of the document.
const QSet<QByteArray>& SkippedDestinations()
{
    static const QSet<QByteArray> names{
        "fonttbl", "colortbl", "stylesheet", "info",       "pict",       "object",
        "listtable", "listoverridetable",    "rsidtbl",    "xmlnstbl",   "themedata",
        "colorschememapping", "latentstyles", "datastore", "filetbl",    "revtbl",
        "header",  "footer",   "headerl",    "headerr",    "footerl",    "footerr",
        "generator", "fldinst", "bkmkstart", "bkmkend"};
    return names;
}

class Reader {
public:
    Reader(const QByteArray& rtf, QTextDocument& document) : m_rtf(rtf), m_cursor(&document)
    {
        document.clear();
        m_cursor = QTextCursor(&document);
        m_stack.push_back(GroupState());
    }

    void Run()
    {
        while (m_at < m_rtf.size()) {
            const char c = m_rtf[m_at++];
            switch (c) {
            case '{':
                Flush();
                m_stack.push_back(m_stack.back());
                break;
            case '}':
                Flush();
                if (m_stack.size() > 1)
                    m_stack.pop_back();
                m_written = State();
                // A Unicode character's fallback ends with its group.
                m_fallback = 0;
                break;
            case '\\':
                Control();
                break;
            case '\r':
            case '\n':
                break;
            default:
                // Text bytes are in the document's code page, as \'hh is.
                Text(Windows1252::DecodeByte(static_cast<unsigned char>(c)));
            }
        }
        Flush();
    }

private:
    GroupState& State() { return m_stack.back(); }

    // One character of text, unless a Unicode character's fallback is
    // still being skipped.
    void Text(const QString& text)
    {
        if (m_fallback > 0) {
            --m_fallback;
            return;
        }
        if (State().skip)
            return;
        m_pending += text;
    }

    void Flush()
    {
        if (m_pending.isEmpty())
            return;
        QTextCharFormat format;
        format.setFontWeight(m_written.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(m_written.italic);
        format.setFontUnderline(m_written.underline);
        format.setFontPointSize(m_written.halfPoints / 2.0);
        m_cursor.insertText(m_pending, format);
        m_pending.clear();
        Indent();
    }

    // A paragraph takes the indents in force at its mark, or, the last one
    // having none, those at its last text. Its wrapped lines start at the
    // left indent, and a first line hanging to the left of it tabs to it, as
    // a list's bullets do.
    void Indent()
    {
        const int left = std::clamp(State().leftIndent, 0, WidestIndent);
        const int first = std::clamp(State().firstIndent, -left, WidestIndent);
        const QTextBlockFormat current = m_cursor.blockFormat();
        QTextBlockFormat format = current;
        format.setLeftMargin(left / TwipsPerPixel);
        format.setTextIndent(first / TwipsPerPixel);
        QList<QTextOption::Tab> tabs;
        if (first < 0)
            tabs.append(QTextOption::Tab(-first / TwipsPerPixel, QTextOption::LeftTab));
        format.setTabPositions(tabs);
        if (format != current)
            m_cursor.setBlockFormat(format);
    }

    void Control()
    {
        if (m_at >= m_rtf.size())
            return;
        const char c = m_rtf[m_at];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_at;
            Symbol(c);
            return;
        }
        const qsizetype start = m_at;
        while (m_at < m_rtf.size() && std::isalpha(static_cast<unsigned char>(m_rtf[m_at])))
            ++m_at;
        const QByteArray word = m_rtf.mid(start, m_at - start);
        std::optional<int> parameter;
        const qsizetype digits = m_at;
        if (m_at < m_rtf.size() && m_rtf[m_at] == '-')
            ++m_at;
        // The number is every digit there is, so none is left over as
        // text; one beyond a signed 32-bit value is no number.
        while (m_at < m_rtf.size() && std::isdigit(static_cast<unsigned char>(m_rtf[m_at])))
            ++m_at;
        if (m_at > digits) {
            bool ok = false;
            const int value = m_rtf.mid(digits, m_at - digits).toInt(&ok);
            if (ok)
                parameter = value;
        }
        if (m_at < m_rtf.size() && m_rtf[m_at] == ' ')
            ++m_at;
        Word(word, parameter);
    }

    void Symbol(char c)
    {
        switch (c) {
        case '\'': {
            // Two hex digits; an escape cut short or followed by anything
            // else drops the digits it has, and what follows reads as text.
            int value = 0;
            int digits = 0;
            for (; digits < 2 && m_at < m_rtf.size(); ++digits, ++m_at) {
                const int digit = HexDigit(m_rtf[m_at]);
                if (digit < 0)
                    break;
                value = value * 16 + digit;
            }
            if (digits == 2)
                Text(Windows1252::DecodeByte(static_cast<unsigned char>(value)));
            break;
        }
        case '*':
            State().skip = true;
            break;
        case '~':
            Text(QString(QChar(0x00A0)));
            break;
        case '_':
            Text(QString(QChar(0x2011)));
            break;
        case '\\':
        case '{':
        case '}':
            Text(QString(QLatin1Char(c)));
            break;
        case '\r':
        case '\n':
            Paragraph();
            break;
        default:
            break; // optional hyphen and the like
        }
    }

    void Paragraph()
    {
        if (State().skip)
            return;
        Flush();
        Indent();
        m_cursor.insertBlock();
    }

    void Word(const QByteArray& word, std::optional<int> parameter)
    {
        GroupState& state = State();
        const bool on = parameter.value_or(1) != 0;
        if (SkippedDestinations().contains(word)) {
            state.skip = true;
        } else if (word == "bin") {
            // Raw bytes, which may hold braces and backslashes of their own.
            if (parameter && *parameter > 0)
                m_at = std::min(m_rtf.size(), m_at + *parameter);
        } else if (word == "par") {
            Paragraph();
        } else if (word == "line") {
            Text(QString(QChar::LineSeparator));
        } else if (word == "tab") {
            Text(QStringLiteral("\t"));
        } else if (word == "b") {
            Format([on](GroupState& s) { s.bold = on; });
        } else if (word == "i") {
            Format([on](GroupState& s) { s.italic = on; });
        } else if (word == "ul") {
            Format([on](GroupState& s) { s.underline = on; });
        } else if (word == "ulnone") {
            Format([](GroupState& s) { s.underline = false; });
        } else if (word == "fs") {
            if (parameter && *parameter > 0 && *parameter < 3276)
                Format([size = *parameter](GroupState& s) { s.halfPoints = size; });
        } else if (word == "pard") {
            state.leftIndent = state.firstIndent = 0;
        } else if (word == "li") {
            state.leftIndent = parameter.value_or(0);
        } else if (word == "fi") {
            state.firstIndent = parameter.value_or(0);
        } else if (word == "plain") {
            Format([](GroupState& s) {
                s.bold = s.italic = s.underline = false;
                s.halfPoints = 24;
            });
        } else if (word == "uc") {
            if (parameter && *parameter >= 0)
                state.unicodeSkip = *parameter;
        } else if (word == "u") {
            // A signed 16-bit number; anything beyond names no character,
            // and its fallback then stands.
            if (parameter && *parameter >= -32768 && *parameter <= 65535) {
                Text(QString(QChar(static_cast<char16_t>(*parameter < 0 ? *parameter + 65536 : *parameter))));
                m_fallback = state.unicodeSkip;
            }
        }
        // Every other word changes nothing this reader shows.
    }

    template <typename Change>
    void Format(Change change)
    {
        if (State().skip)
            return;
        Flush();
        change(State());
        m_written = State();
    }

    const QByteArray& m_rtf;
    qsizetype m_at = 0;
    QTextCursor m_cursor;
    std::vector<GroupState> m_stack;
    // The formatting of the text gathered and not yet written.
    GroupState m_written;
    QString m_pending;
    int m_fallback = 0;
};

} // namespace

void RtfReader::Read(const QByteArray& rtf, QTextDocument& document)
{
    Reader reader(rtf, document);
    reader.Run();
}
