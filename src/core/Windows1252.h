#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1252 code page, which the files exchanged with enquirers'
// own systems use. It is Latin-1 but for 0x80-0x9F, where it holds
// typographic characters ("€", "‘", "’", "–", ...) instead of controls;
// five of those bytes are undefined and read as the control of that value.
namespace Windows1252 {

QString Decode(const QByteArray& bytes);
QChar DecodeByte(unsigned char byte);

// A character the code page lacks is written as "?"; lossy, when given,
// tells whether that happened.
QByteArray Encode(const QString& text, bool* lossy = nullptr);

} // namespace Windows1252
