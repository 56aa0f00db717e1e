#pragma once

#include "platform/Nullable.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

class CDataBase;
class DebitStatement;
class DebitStatements;
class ExportFile;
class ExportProgress;
class LogLines;
class TransmissionResults;

// The export of debit statements not yet exported, one record per
// statement. Each export is one database transaction: the statements are
// stamped exported (JuxExportedDate, the day) and saved only together with
// their file being put in place.

// Fixed width: right-justified, a long value keeping its end.
QString PadDebField(const QVariant& value, int16_t width, const QString& pad, int32_t ExportFormat);
QString PadDebDate(const NullableDate& value, const QString& pattern, int32_t ExportFormat);

// Nine fields; below ConfigVersion 3.0 nine more and, unless LegacyExport,
// the enquirer. No line end.
QString FormatDebitStatementLine(const DebitStatement& statement, bool LegacyExport,
                                 int32_t ExportFormat);

// A step of the unattended transmission run: per enquirer of the logged-on
// user, a new "DEB" file in its export folder. An error outside the writer
// is raised again with the source "Export DebitStatements".
void ExportDebsForUserEnquirers(CDataBase& db, LogLines& log, TransmissionResults& results);

// The debit-statements screen's export into a chosen file (appended to when
// it exists) of the given enquirers' statements (empty: all).
void ExportAllDebsToFile(CDataBase& db, const QString& path, LogLines& log,
                         TransmissionResults& results, const QStringList& EnquirerIds,
                         ExportProgress* progress);

// Writes the statements into the file (not yet in place) and stamps them
// (not yet saved): the caller saves them and commits the file together. True
// when all were written; false on cancel or error, which leave no file.
bool ExportDebsToJUXFileInt(DebitStatements& statements, ExportFile& file,
                            ExportProgress* progress, LogLines& log, TransmissionResults& results);
