#pragma once

#include <QString>

#include <memory>

class LogLines;
class TransmissionResults;

// The exchanges and the maintenance that the schedule owners start, behind
// one seam so that their windows can be driven by a scripted stand-in.
// Each call works in the caller's log run; the transmission runs trap
// their errors into results, the others may raise.
class Exchanges {
public:
    virtual ~Exchanges() = default;

    // Import (as the running mode asks), send, receive and export.
    virtual void DoImportTransmissionAndExport(LogLines& log, TransmissionResults& results) = 0;
    // The same without the import.
    virtual void DoTransmissionAndExport(LogLines& log, TransmissionResults& results) = 0;
    // Opens its own run in log; true when the service answered.
    virtual bool RunNevixCommsTest(LogLines& log) = 0;
    // Every retention from the system parameters, into the logger's open
    // run (a run of its own under userName when it has none); compacts
    // unless skipCompact.
    virtual bool TableMaintenance(std::shared_ptr<LogLines>& logger, bool skipCompact,
                                  const QString& userName) = 0;
};
