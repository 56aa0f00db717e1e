#include "screens/transmission/frmTransmissionHistory.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "scheduling/TransmissionLogView.h"
#include "screens/transmission/LogListView.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace View = TransmissionLogView;

frmTransmissionHistory::frmTransmissionHistory(QWidget* parent) : LogViewerForm(parent)
{
    setObjectName(QStringLiteral("frmTransmissionHistory"));
    setWindowTitle(QStringLiteral("NEVIX - FULL LOG"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstTransmissionLog(), 1);
    FinishLayout(layout, 720, 520);
}

void frmTransmissionHistory::SetLog(std::shared_ptr<LogLines> log)
{
    m_log = std::move(log);
}

void frmTransmissionHistory::LoadLog()
{
    try {
        if (!m_log) {
            auto log = std::make_shared<LogLines>();
            log->SetDataSource(&GlobalDatabase());
            log->LoadFromDate(View::HistoryStart(AppContext::Current().clock().Today()));
            m_log = std::move(log);
        }
        lstTransmissionLog()->Fill(*m_log, true,
                                   View::HistoryLogMask(Settings().LogFilter(), chkShowDetail()->isChecked()));
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error loading log"), e.Description());
    }
}

QList<PrintedLogList> frmTransmissionHistory::PrintedLists() const
{
    return {{QStringLiteral("Log"), lstTransmissionLog()->Items()}};
}
