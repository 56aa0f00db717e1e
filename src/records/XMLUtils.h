#pragma once

#include "core/DelimitedString.h"
#include "platform/Nullable.h"

#include <QString>

#include <cstdint>

// Reading and writing the service's documents as plain text: elements are
// found by their tags alone (compared without regard to case), with or
// without a namespace prefix in the document; callers pass the name
// without prefix. A missing element never raises: readers give their
// default.

// The opening and closing tags of the element as the document writes them:
// plain, or the first prefixed opening tag with its attributes.
void FindElementNameInDoc(const QString& ElementName, const QString& Doc, QString& OpenTag,
                          QString& CloseTag);

// The first occurrence, tags included; empty when there is none.
QString ExtractElement(const QString& ElementName, const QString& Doc);

// The element's content without its own tags, entities unescaped; the
// default when it is empty or missing. With ApplyAsteriskRule the result
// goes through RemoveAsterisks.
QString ExtractElementValue(const QString& ElementName, const QString& Doc,
                            const QString& DefaultValue = QString(), bool ApplyAsteriskRule = false,
                            bool RemoveAsterisksFlag = false);

// Every "*" removed when RemoveFlag is set; the text is updated too.
QString RemoveAsterisks(QString& Text, bool RemoveFlag);

// A whole number in 16 bits (fractions rounded half to even); the default
// when empty, not a number or out of range.
int16_t ExtractIntegerElementValue(const QString& ElementName, const QString& Doc,
                                   int16_t DefaultValue);

// True when the value holds "1" or a "t" of either case.
bool ExtractBooleanElementValue(const QString& ElementName, const QString& Doc, bool DefaultValue);

// A date, or a date and time in local time (a "Z" or an offset converted
// from that zone); Null when missing or no date, and for a zoneless local
// time that the change to summer time skips. Fractions of a second are
// dropped; a long value with any other tail but no zone raises a type
// mismatch.
NullableDate ExtractDateElementValue(const QString& ElementName, const QString& Doc);

// Every occurrence, tags included, as the words of a list delimited by
// "~#~".
DelimitedString ExtractElementList(const QString& ElementName, const QString& Doc);

// The five XML special characters replaced by their entities ("&" first,
// so nothing is escaped twice).
QString EscapeXMLString(const QString& Text);
