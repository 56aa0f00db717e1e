#pragma once

#include <QString>

// The shape rules of a vehicle registration mark. Validate returns the
// cleaned mark (trimmed, in capitals, without blanks) when it passes, else
// a message beginning with ":" (":{nnn}..." for a numbered rule).
class VRM {
public:
    QString Validate(const QString& VRM);

private:
    void SplitIntoGroups();
    bool MatchesTwoTwoThreeFormat() const;
    QString CheckWorkingTexts(QString message) const;

    QString m_mark;
    QString m_first;
    QString m_second;
    QString m_third;
    // The working texts of one call: digit group, letter group, prefix
    // and suffix letter.
    QString m_digits;
    QString m_letters;
    QString m_prefix;
    QString m_suffix;
};

// The program-wide rule object, created on first use.
VRM& VRMValidator();
void ReleaseVRMValidator();

// The registration-mark field rule: the program-wide object's Validate.
QString ValidateVRMText(const QString& text);
// The same rule under the name the other field rules go by.
QString ValidateVRM(const QString& text);
