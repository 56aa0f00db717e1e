#pragma once

#include <QByteArray>

class QTextDocument;

// Reads rich text (RTF) into a document: paragraphs and their indents,
// line breaks, tabs, bold, italic, underline and font size; characters given as Windows-1252
// bytes or as Unicode numbers. Font, colour, style and information tables,
// pictures and ignorable destinations leave nothing. Damaged text (an
// unclosed group, a cut control word) reads as far as it goes.
namespace RtfReader {
void Read(const QByteArray& rtf, QTextDocument& document);
} // namespace RtfReader
