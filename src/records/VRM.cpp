#include "records/VRM.h"

#include "accounts/Validation.h"

#include <iterator>
#include <memory>

namespace {
// The letter pairs a two-letter group, or three letters before the digits,
// may end in although they hold I, Q or Z.
const QString ExemptPairs = QStringLiteral(
    "AZ,BZ,CZ,DZ,EZ,FZ,GZ,HZ,IA,IB,IG,IJ,IL,IW,JI,JZ,KZ,LZ,MZ,NZ,OI,OZ,PZ,RZ,SZ,TZ,UI,UZ,VZ,WZ,"
    "XI,XZ,YZ");

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool AllDigits(const QString& text)
{
    for (const QChar c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

// "A-Z" in the set stands for the capitals, "0-9" for the digits; any
// other character for itself. False for an empty text. Asked for every
// mark an import reads: nothing is copied.
bool ContainsAnyOf(QStringView text, QStringView set)
{
    bool capitals = false;
    bool digits = false;
    QChar others[8];
    qsizetype otherCount = 0;
    for (qsizetype i = 0; i < set.size(); ++i) {
        const QStringView range = set.mid(i, 3);
        if (range == u"A-Z" || range == u"0-9") {
            (range == u"A-Z" ? capitals : digits) = true;
            i += 2;
        } else if (otherCount < qsizetype(std::size(others))) {
            others[otherCount++] = set[i];
        }
    }
    const QStringView other(others, otherCount);
    for (const QChar c : text) {
        if ((capitals && c >= u'A' && c <= u'Z') || (digits && IsDigit(c)) || other.contains(c))
            return true;
    }
    return false;
}

std::unique_ptr<VRM>& Slot()
{
    static std::unique_ptr<VRM> slot;
    return slot;
}
} // namespace

VRM& VRMValidator()
{
    auto& slot = Slot();
    if (!slot)
        slot = std::make_unique<VRM>();
    return *slot;
}

void ReleaseVRMValidator()
{
    Slot().reset();
}

QString ValidateVRMText(const QString& text)
{
    return VRMValidator().Validate(text);
}

QString ValidateVRM(const QString& text)
{
    return ValidateVRMText(text);
}

void VRM::SplitIntoGroups()
{
    // Maximal runs of digits and of other characters; cutting stops once
    // a fifth run is opened.
    qsizetype starts[6] = {};
    int count = 0;
    qsizetype end = m_mark.size();
    for (qsizetype i = 0; i < m_mark.size(); ++i) {
        if (i == 0 || IsDigit(m_mark[i]) != IsDigit(m_mark[i - 1])) {
            if (count == 5) {
                end = i;
                break;
            }
            starts[count++] = i;
        }
    }
    for (int run = count; run < 6; ++run)
        starts[run] = end;
    m_first = m_mark.mid(starts[0], starts[1] - starts[0]);
    m_second = m_mark.mid(starts[1], starts[2] - starts[1]);
    m_third = m_mark.mid(starts[2], starts[3] - starts[2]);
}

bool VRM::MatchesTwoTwoThreeFormat() const
{
    return m_first.size() == 2 && m_second.size() == 2 && m_third.size() == 3 &&
           !ContainsAnyOf(m_first, QStringLiteral("0-9 IQZ")) &&
           !ContainsAnyOf(m_second, QStringLiteral("A-Z")) &&
           !ContainsAnyOf(m_third, QStringLiteral("0-9 IQ")) && m_second != QStringLiteral("00") &&
           m_second != QStringLiteral("01");
}

QString VRM::Validate(const QString& VRM)
{
    m_mark.clear();
    m_first.clear();
    m_second.clear();
    m_third.clear();
    m_digits.clear();
    m_letters.clear();
    m_prefix.clear();
    m_suffix.clear();

    m_mark = TrimSpaces(VRM).toUpper();
    if (m_mark.isEmpty())
        return QStringLiteral(":VRM cannot be blank");
    m_mark.remove(QLatin1Char(' '));

    QString message;
    if (m_mark.size() < 2 || m_mark.size() > 7)
        message = QStringLiteral(":VRM must be 2 to 7 characters");
    for (const QChar c : m_mark) {
        if (!IsDigit(c) && !(c >= u'A' && c <= u'Z'))
            return QStringLiteral(":VRM must only contain numbers and letters");
    }

    SplitIntoGroups();
    if (m_first + m_second + m_third != m_mark || m_second.isEmpty())
        return QStringLiteral(":{001}VRM contains invalid grouping");

    if (!m_third.isEmpty()) {
        if (!AllDigits(m_second)) {
            message = QStringLiteral(":{005}Second group in VRM must be digits");
        } else if (m_first.size() == 1 && m_third.size() == 1) {
            message = QStringLiteral(
                ":{006}First group and thrid group in a VRM cannot both be single letters");
        } else if (m_third.size() >= 2 && m_first.size() > 1) {
            if (MatchesTwoTwoThreeFormat())
                return m_mark;
            message = QStringLiteral(
                ":{007}Either first group or final group of a VRM must be a single letter");
        } else if (m_first.size() == 1) {
            m_prefix = m_first;
            m_digits = m_second;
            m_letters = m_third;
        } else {
            m_suffix = m_third;
            m_digits = m_second;
            m_letters = m_first;
        }
    } else {
        const bool digitsFirst = AllDigits(m_first);
        m_digits = digitsFirst ? m_first : m_second;
        m_letters = digitsFirst ? m_second : m_first;
        if (m_digits.size() >= 5)
            message = QStringLiteral(":{002}There cannot be more than 4 digits in a VRM group");
        else if (m_letters.size() >= 4)
            message = QStringLiteral(":{003}There cannot be more than 3 letters in a VRM group");
        else if (digitsFirst && m_digits.size() == 4 && m_letters.size() == 3)
            message = QStringLiteral(":{004}4 digits followed by letters is not allowed in a VRM");
    }

    message = CheckWorkingTexts(message);
    return message.isEmpty() ? m_mark : message;
}

// Each failing check replaces the message: the last one decides.
QString VRM::CheckWorkingTexts(QString message) const
{
    const QString& L = m_letters;
    const QString isleOfMan = QStringLiteral(":Isle of Man VRMs cannot be checked");
    if (L.contains(u'Q') && L != QStringLiteral("QNI"))
        message = QStringLiteral(":{008}VRMs Cannot contain Q in any group");
    if (m_digits.startsWith(u'0'))
        message = QStringLiteral(":{009}Numeric VRM groups cannot start with a zero");
    if (L == QStringLiteral("MAN") || L == QStringLiteral("MN"))
        message = isleOfMan;
    if (L.endsWith(QStringLiteral("MN")) && L[0] != u'A' && L[0] != u'Z')
        message = isleOfMan;

    if (!m_prefix.isEmpty() || !m_suffix.isEmpty()) {
        if (ContainsAnyOf(L, QStringLiteral("IQZ")))
            message = QStringLiteral(":{010}VRM letter groups cannot contain I, Q or Z");
        if (m_prefix.isEmpty()) {
            if (m_suffix.contains(u'Q'))
                message = QStringLiteral(":{012}VRM suffix cannot be Q");
        } else if (ContainsAnyOf(m_prefix, QStringLiteral("OU"))) {
            message = QStringLiteral(":{011}VRM prefix cannot be O or U");
        }
    } else if (L != QStringLiteral("QNI")) {
        if (L == QStringLiteral("JSY")) {
            message = QStringLiteral(":Jersey VRMs cannot be checked");
        } else if (L.size() == 2 || (L.size() == 3 && AllDigits(m_second))) {
            if (!ExemptPairs.contains(L.right(2)) && ContainsAnyOf(L, QStringLiteral("QIZ")))
                message = QStringLiteral(":{013}VRM letter group cannot contain Q, I or Z");
        } else if (ContainsAnyOf(L, QStringLiteral("IQZ"))) {
            message = QStringLiteral(":{014}VRM letter group cannot contain I, Q or Z");
        } else if (L.size() == 1 && ContainsAnyOf(L, QStringLiteral("OU"))) {
            message = QStringLiteral(":{015}VRM single letter group cannot be O or U");
        }
    }
    return message;
}
