#include "core/VCipher.h"
#include "platform/NevixError.h"
#include "support/Printers.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

TEST(VCipher, AlphabetIsEveryVisibleCharacterOnce)
{
    const QString alphabet = VCipher().CipherAlphabet();
    ASSERT_EQ(alphabet.size(), 94);
    QSet<QChar> seen;
    for (QChar c : alphabet) {
        EXPECT_TRUE(c.unicode() >= 33 && c.unicode() <= 126);
        seen.insert(c);
    }
    EXPECT_EQ(seen.size(), 94);
}

TEST(VCipher, RoundTripsTheWholeAlphabetAtEveryKeyPosition)
{
    const VCipher cipher;
    const QString alphabet = cipher.CipherAlphabet();
    // Rotating the text past the 13-character key meets every character
    // with every key character.
    for (int shift = 0; shift < 13; ++shift) {
        const QString text = alphabet.mid(shift) + alphabet.left(shift);
        const QString stored = cipher.Encipher(text);
        EXPECT_EQ(stored.size(), text.size());
        EXPECT_NE(stored, text);
        EXPECT_EQ(cipher.Decipher(stored), text);
    }
}

TEST(VCipher, EmptyTextStaysEmpty)
{
    const VCipher cipher;
    EXPECT_EQ(cipher.Encipher(QString()), QString());
    EXPECT_EQ(cipher.Decipher(QString()), QString());
}

TEST(VCipher, KeyRepeatsEveryThirteenCharacters)
{
    const VCipher cipher;
    const QString stored = cipher.Encipher(QString(14, u'a'));
    EXPECT_EQ(stored.at(0), stored.at(13));
    EXPECT_NE(stored.at(0), stored.at(1));
}

TEST(VCipher, LetterCaseMatters)
{
    const VCipher cipher;
    EXPECT_NE(cipher.Encipher(QStringLiteral("a")), cipher.Encipher(QStringLiteral("A")));
}

TEST(VCipher, StoredFormNeverChanges)
{
    // Passwords stored by other installations must stay readable.
    EXPECT_EQ(VCipher().Encipher(QStringLiteral("Password1")), QStringLiteral("1'QW-n{1n"));
}

TEST(VCipher, EncipherRefusesACharacterOutsideTheAlphabet)
{
    try {
        VCipher().Encipher(QStringLiteral("pass word"));
        FAIL() << "no error";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), 5);
    }
}

TEST(VCipher, DecipherKeepsAForeignCharacterAndDecipherTheRest)
{
    const VCipher cipher;
    QString stored = cipher.Encipher(QStringLiteral("abcd"));
    stored[1] = u' ';
    const QString plain = cipher.Decipher(stored);
    EXPECT_EQ(plain, QStringLiteral("a cd"));
}

} // namespace
