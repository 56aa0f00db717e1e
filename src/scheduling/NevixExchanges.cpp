#include "scheduling/NevixExchanges.h"

#include "database/GlobalDatabase.h"
#include "maintenance/DatabaseRoutines.h"
#include "service/NevixCommsTest.h"
#include "transfer/TransmissionProcess.h"

void NevixExchanges::DoImportTransmissionAndExport(LogLines& log, TransmissionResults& results)
{
    ::DoImportTransmissionAndExport(log, results);
}

void NevixExchanges::DoTransmissionAndExport(LogLines& log, TransmissionResults& results)
{
    ::DoTransmissionAndExport(log, results);
}

bool NevixExchanges::RunNevixCommsTest(LogLines& log)
{
    return ::RunNevixCommsTest(log);
}

bool NevixExchanges::TableMaintenance(std::shared_ptr<LogLines>& logger, bool skipCompact,
                                      const QString& userName)
{
    return ::TableMaintenance(GlobalDatabase(), {}, logger, skipCompact, userName);
}
