#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class CDataBase;
class ExportProgress;
class LogLines;
class TransmissionResults;

// One kind of export from a record screen: which records it writes, how,
// and what the user is told.
struct RecordExport {
    using Writer = void (*)(CDataBase& db, const QString& path, LogLines& log, TransmissionResults& results,
                            const QStringList& enquirerIds, ExportProgress* progress);

    // How many records of these enquirers are still to export.
    std::function<int32_t(const QStringList& enquirerIds)> CountExportable;
    // The proposed file's name begins with it ("VQ7", "DEB").
    QString FilePrefix;
    // The save dialog's title and filter ("Name|pattern|...").
    QString DialogTitle;
    QString Filter;
    // The run is logged under this process from before the file is chosen;
    // empty: the writer logs its own run once there is a file.
    QString ProcessCode;
    Writer Write = nullptr;
    // Where the results keep the count exported and the fatal error.
    int32_t (TransmissionResults::*Exported)() const = nullptr;
    QString (TransmissionResults::*FatalError)() const = nullptr;
    void (TransmissionResults::*SetFatalError)(const QString& value) = nullptr;
    // Told when there is nothing to export, after the count exported, and
    // when nothing was.
    QString NothingToExport;
    QString ExportedText;
    QString NoneExported;
};
