#pragma once

#include <QString>

// The substitution cipher under which passwords are stored. Its alphabet
// and key must never change: every installation sharing a database reads
// the others' passwords with them.
class VCipher {
public:
    VCipher();

    QString CipherAlphabet() const { return m_alphabet; }
    // Raises an invalid-argument error for a character outside the alphabet.
    QString Encipher(const QString& theString) const;
    // Leaves a character outside the alphabet as it is.
    QString Decipher(const QString& theString) const;

private:
    static QString MakePiece(const int (&codes)[13]);
    static QString BuildKey();
    QString Row(QChar keyCharacter) const;

    QString m_alphabet;
};
