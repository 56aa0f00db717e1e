#pragma once

#include "core/DelimitedString.h"
#include "platform/Nullable.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <utility>

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

// The same readings of a document held as the UTF-8 bytes the service sent.
// It is searched where it lies and only what is asked for becomes text, so
// a long answer is never copied whole. Tags are matched without regard to
// the case of A-Z: the two characters beyond ASCII whose folded form is an
// ASCII letter (long s, Kelvin sign) match only themselves here.
// True when the element is there, closed.
bool HasElement(const QString& ElementName, const QByteArray& Utf8Doc);
QString ExtractElementUtf8(const QString& ElementName, const QByteArray& Utf8Doc);
DelimitedString ExtractElementListUtf8(const QString& ElementName, const QByteArray& Utf8Doc);

// Every occurrence of an element in a UTF-8 document, each made text only
// when it is read: a long list is walked one element at a time. Shares the
// document's bytes.
class ElementList {
public:
    int32_t Count() const { return int32_t(m_spans.size()); }
    // The occurrence at a position from 1, tags included; empty past the end.
    QString Word(int32_t Index) const;

private:
    friend ElementList ListElements(const QString& ElementName, const QByteArray& Utf8Doc);
    QByteArray m_doc;
    QList<std::pair<qsizetype, qsizetype>> m_spans;
};
ElementList ListElements(const QString& ElementName, const QByteArray& Utf8Doc);

// The five XML special characters replaced by their entities ("&" first,
// so nothing is escaped twice).
QString EscapeXMLString(const QString& Text);
