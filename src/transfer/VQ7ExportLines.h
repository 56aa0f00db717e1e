#pragma once

#include "platform/Nullable.h"

#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>

class VQ7;
class SysParameters;

// The record layouts of a keeper response in an export file: A, the current
// one; B, that of older installations (ConfigVersion below 3.0); C, a fixed
// bespoke one. A and B are comma-separated, tab-separated or fixed width by
// the export format; C is always fixed width. A record has no line end.

// Fixed width: the value first, blank-filled; a long value keeps its start.
QString PadExportField(const QVariant& value, int16_t width, const QString& pad, int32_t ExportFormat);
QString FormatExportDate(const NullableDate& value, const QString& pattern, int32_t ExportFormat);
// Fixed width: the pad characters first; a long value keeps its end, or its
// start when WriteFromLeft.
QString PadExportFieldJustified(const QVariant& value, int16_t width, const QString& pad,
                                int32_t ExportFormat, bool WriteFromLeft);
QString FormatExportDateJustified(const NullableDate& value, const QString& pattern,
                                  int32_t ExportFormat, bool WriteFromLeft);

QString BuildVQ7ExportLineA(const VQ7& response, int32_t ExportFormat);
QString BuildVQ7ExportLineB(const VQ7& response, const SysParameters& parameters);
QString BuildVQ7ExportLineC(const VQ7& response);

// The six 30-character address address of layout C.
using AddressSlots = std::array<QString, 6>;
// The trimmed line into the first blank slot; an empty line, or a line
// with no slot left, is dropped.
void AddAddressLine(AddressSlots& address, const QString& line);

// The record in the layout the settings choose: C when BespokeImportFormat,
// else B when ConfigVersion is below 3.0, else A.
QString BuildVQ7ExportLine(const VQ7& response, const SysParameters& parameters);
