#pragma once

#include <QString>

#include <cstdint>

// The fixed vocabulary of the transmission log.

// The short codes of the kinds of run.
namespace ProcessCodes {
inline const QString VQ3IMP = QStringLiteral("VQ3IMP");
inline const QString TBLMAINT = QStringLiteral("TBLMAINT");
inline const QString AUTOEXEC = QStringLiteral("AUTOEXEC");
inline const QString COMRUN = QStringLiteral("COMRUN");
inline const QString VQ7EXP = QStringLiteral("VQ7EXP");
inline const QString DEBEXP = QStringLiteral("DEBEXP");
inline const QString VQ7PRN = QStringLiteral("VQ7PRN");
inline const QString DEBPRN = QStringLiteral("DEBPRN");
inline const QString VQ3AEX = QStringLiteral("VQ3AEX");
inline const QString DEBAEX = QStringLiteral("DEBAEX");
inline const QString VQ7AEX = QStringLiteral("VQ7AEX");
inline const QString EDIIN = QStringLiteral("EDIIN");
inline const QString EDIOUT = QStringLiteral("EDIOUT");
inline const QString NCOMST = QStringLiteral("NCOMST");
inline const QString NVQ3 = QStringLiteral("NVQ3");
inline const QString NVQ7 = QStringLiteral("NVQ7");
inline const QString NPARAMS = QStringLiteral("NPARAMS");
inline const QString CHGPWD = QStringLiteral("CHGPWD");
inline const QString SMR = QStringLiteral("SMR");
inline const QString SCTL = QStringLiteral("SCTL");
inline const QString DEB = QStringLiteral("DEB");
} // namespace ProcessCodes

// The description of a process code (letter case counts); "" for a code
// that is not one.
QString ProcessCodeDescription(const QString& ProcessCode);

// The mark of an event code in a log shown or saved as text ("Start",
// "End", "W", "E", "F"); "" for the information codes and unknown ones.
QString EventCodeText(int32_t EventCode);
