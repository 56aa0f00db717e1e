#pragma once

#include "platform/Nullable.h"

#include <QString>

#include <cstdint>

// Program version and the database schema it works with.
inline const QString ProgramVersion = QStringLiteral("3.01");
inline const QString DatabaseSchemaVersion = QStringLiteral("3.0");
inline const QString ProgramBuildDate = QStringLiteral("22nd January 2026");

// "Nevix v3.01 DB v3.0": the program and the schema it works with, as the
// service is told.
inline QString VersionBanner()
{
    return QStringLiteral("Nevix v") + ProgramVersion + QStringLiteral(" DB v") + DatabaseSchemaVersion;
}

// "Version 3.01 22nd January 2026", as the splash and logon windows show it.
inline QString VersionCaption()
{
    return QStringLiteral("Version ") + ProgramVersion + u' ' + ProgramBuildDate;
}

// Actions after a validation error during an enquiry import.
namespace ValidationAction {
constexpr int32_t Cancelled = 0;
constexpr int32_t Continue = 1;
constexpr int32_t SkipThisEnquiry = 2;
constexpr int32_t ContinueAlways = 3;
constexpr int32_t SkipAllWithError = 4;
} // namespace ValidationAction

// Layouts of an enquiry import file.
namespace ImportFileFormat {
constexpr int32_t Csv = 1;
constexpr int32_t TabDelimited = 2;
constexpr int32_t FixedLength = 3;
constexpr int32_t Bespoke = 4;
} // namespace ImportFileFormat

// The text of the settings' running mode; "" for none or an unknown code.
QString ProgramRunningModeDesc();
QString RunningModeDesc(int16_t mode);
// No value (not "") for a code that names no action.
NullableString ValidationActionDesc(int32_t code);
QString ImportFileFormatDesc(int32_t code);
