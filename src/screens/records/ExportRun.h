#pragma once

#include "database/LogLines.h"
#include "database/TransmissionResults.h"

class CDataBase;

// The logger and results of one export from a screen. A run begun on the
// logger is ended once: by End, or when the export fails on its way out.
class ExportRun {
public:
    explicit ExportRun(CDataBase& db);
    ~ExportRun();
    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    // Ends the run when one was begun and is not ended yet.
    void End();

    LogLines Logger;
    TransmissionResults Results;

private:
    bool m_ended = false;
};
