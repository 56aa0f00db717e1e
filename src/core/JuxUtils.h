#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

// The text form of exported data: fields in the three export layouts and
// the names of new export files.

// Export layout codes; any other code is fixed width.
namespace ExportLayout {
constexpr int32_t Csv = 1;
constexpr int32_t TabSeparated = 2;
} // namespace ExportLayout

// A text as an export line holds it, one character to a byte of the file:
// a control character (a line end or a TAB would break the record) becomes
// a blank, and a character beyond the basic plane, which the file holds as
// one "?", a single character the file cannot hold.
QString ExportText(const QString& text);

// One field of an export line, its text as ExportText gives it. Null gives PadCharacter; numbers are written
// with "." and no grouping; a date is "ddmmyyyy" in a field of 8. CSV:
// quoted when it holds "," or a double quote (doubled inside), then ",";
// tab-separated: then TAB; fixed width: padded or cut to FieldLength.
// A value of another type is reported to the user and gives "".
QString PadField(const QVariant& Value, int16_t FieldLength, const QString& PadCharacter,
                 int32_t ExportFormat, bool KeepLeftPart, bool LeftJustify);

// A date (or Null) in DateFormat, padded as a field as wide as the pattern.
QString PadDate(const QVariant& Value, const QString& DateFormat, int32_t ExportFormat,
                bool KeepLeftPart, bool LeftJustify);

// A free name (no folder) for a new export file in Folder, numbered from
// Sequence, which is updated to the number used. "" and Sequence 1000 when
// the day's numbers up to 999 are all taken.
QString MakeExportFileName(const QString& Folder, const QString& Prefix, int32_t& Sequence);
// The name an export file of MakeExportFileName's pattern takes when its own
// was taken meanwhile: the next number of the same pattern ("VQ71503000.EXP"
// gives "VQ71503001.EXP", "VQ7_150324_1030.EXP" gives
// "VQ7_150324_103001.EXP"). "" for a name of no such pattern, and past 999,
// where the pattern ends.
QString NextExportFileName(const QString& name);
// Where a new export file whose name was taken looks for a free one: that
// name, the next ones of its pattern up to the last, then the pattern's
// first ones up to it. The name alone for a name of no such pattern.
QStringList ExportFileNamesFrom(const QString& name);
