#pragma once

#include <QString>
#include <QStringView>

// Reading numbers out of text with fixed conventions ("." decimals),
// whatever the machine's locale.

// The leading number of a text: blanks, TABs and line feeds are skipped
// anywhere; a sign, digits, one "." and an exponent are read up to the first
// character that does not fit. A text that begins with no number gives 0.
double Val(QStringView text);

// True when the whole text, blanks around it aside, is one number.
bool IsNumericText(QStringView text);

// The plain text of a number: "." decimals, no grouping, up to 15
// significant digits (12.5, -3, 1000).
QString NumberText(double value);
