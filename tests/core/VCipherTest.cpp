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
    EXPECT_EQ(cipher.Encipher(QString()), QString());
    EXPECT_EQ(cipher.Decipher(QString()), QString());
}

TEST(VCipher, StoredFormNeverChanges)
{
    // Passwords stored by other installations must stay readable.
    EXPECT_EQ(VCipher().Encipher("Password1"), "1'QW-n{1n");
}

TEST(VCipher, ACharacterOutsideTheAlphabetIsRefusedOrKept)
{
    const VCipher cipher;
    try {
        cipher.Encipher("pass word");
        FAIL() << "no error";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), 5);
    }
    QString stored = cipher.Encipher("abcd");
    stored[1] = u' ';
    EXPECT_EQ(cipher.Decipher(stored), "a cd");
}

} // namespace
