#pragma once

#include "scheduling/Exchanges.h"

// The exchanges with the Nevix service and the maintenance on the global
// database, as the program runs them.
class NevixExchanges : public Exchanges {
public:
    void DoImportTransmissionAndExport(LogLines& log, TransmissionResults& results) override;
    void DoTransmissionAndExport(LogLines& log, TransmissionResults& results) override;
    bool RunNevixCommsTest(LogLines& log) override;
    bool TableMaintenance(std::shared_ptr<LogLines>& logger, bool skipCompact,
                          const QString& userName) override;
};
