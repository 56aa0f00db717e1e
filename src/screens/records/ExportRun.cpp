#include "screens/records/ExportRun.h"

ExportRun::ExportRun(CDataBase& db)
{
    Logger.SetDataSource(&db);
}

ExportRun::~ExportRun()
{
    try {
        End();
    } catch (...) {
        // Leaving after a failure that the caller reports; the run stays open.
    }
}

void ExportRun::End()
{
    if (m_ended || !Logger.GetLogHeader())
        return;
    m_ended = true;
    Logger.EndLogging();
}
