#include "core/VCipher.h"

#include "platform/NevixError.h"

namespace {
constexpr int AlphabetLength = 94;
constexpr int KeyLength = 13;

// The characters are kept as codes so that the alphabet is built, not
// stored as one readable string. A piece ends at its first 0.
constexpr int AlphabetCodes[8][13] = {
    {41, 59, 60, 47, 88, 85, 86, 118, 106, 105, 104, 43, 77},
    {117, 90, 122, 61, 67, 101, 58, 119, 48, 55, 34, 45, 49},
    {126, 53, 63, 81, 37, 111, 112, 52, 75, 62, 87, 38, 82},
    {69, 78, 108, 65, 89, 107, 66, 99, 76, 123, 115, 94, 113},
    {100, 40, 125, 102, 68, 120, 71, 84, 92, 44, 73, 51, 50},
    {114, 46, 80, 72, 91, 64, 57, 121, 33, 35, 96, 109, 116},
    {56, 54, 97, 36, 110, 42, 79, 39, 83, 93, 74, 98, 95},
    {103, 124, 70, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};
constexpr int KeyCodes[13] = {100, 85, 35, 36, 88, 113, 116, 80, 120, 119, 54, 41, 47};
} // namespace

VCipher::VCipher()
{
    for (const auto& piece : AlphabetCodes)
        m_alphabet += MakePiece(piece);
    Q_ASSERT(m_alphabet.size() == AlphabetLength);
}

QString VCipher::MakePiece(const int (&codes)[13])
{
    QString piece;
    for (int code : codes) {
        if (code == 0)
            break;
        piece += QChar(code);
    }
    return piece;
}

QString VCipher::BuildKey()
{
    return MakePiece(KeyCodes);
}

QString VCipher::Row(QChar keyCharacter) const
{
    const qsizetype start = m_alphabet.indexOf(keyCharacter);
    return m_alphabet.mid(start) + m_alphabet.left(start);
}

QString VCipher::Encipher(const QString& theString) const
{
    const QString key = BuildKey();
    QString result = theString;
    for (qsizetype i = 0; i < theString.size(); ++i) {
        const qsizetype p = m_alphabet.indexOf(theString.at(i));
        if (p < 0)
            throw NevixError::InvalidArgument(QStringLiteral("VCipher.Encipher"));
        result[i] = Row(key.at(i % KeyLength)).at(p);
    }
    return result;
}

QString VCipher::Decipher(const QString& theString) const
{
    const QString key = BuildKey();
    QString result = theString;
    for (qsizetype i = 0; i < theString.size(); ++i) {
        const qsizetype p = Row(key.at(i % KeyLength)).indexOf(theString.at(i));
        if (p >= 0)
            result[i] = m_alphabet.at(p);
    }
    return result;
}
