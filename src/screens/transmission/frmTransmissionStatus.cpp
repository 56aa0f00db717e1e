#include "screens/transmission/frmTransmissionStatus.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "platform/NevixError.h"
#include "scheduling/TransmissionLogView.h"
#include "screens/transmission/LogListView.h"
#include "screens/transmission/frmTransmissionHistory.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace View = TransmissionLogView;

frmTransmissionStatus::frmTransmissionStatus(QWidget* parent)
    : LogViewerForm(parent),
      m_lblLogTitle(new QLabel(this)),
      m_lblTransmissionLog(new QLabel(QStringLiteral("Log details"), this)),
      m_lblNetwork(new QLabel(QStringLiteral("Errors and Warnings"), this)),
      m_lstNetwork(new LogListView(this)),
      m_cmdHistory(new QPushButton(QStringLiteral("Full &Log"), fraButtons()))
{
    setObjectName(QStringLiteral("frmTransmissionStatus"));
    setWindowTitle(QStringLiteral("NEVIX - LOG"));
    m_lblLogTitle->setObjectName(QStringLiteral("lblLogTitle"));
    m_lblTransmissionLog->setObjectName(QStringLiteral("lblTransmissionLog"));
    m_lblNetwork->setObjectName(QStringLiteral("lblNetwork"));
    m_lstNetwork->setObjectName(QStringLiteral("lstNetwork"));
    m_cmdHistory->setObjectName(QStringLiteral("cmdHistory"));
    m_cmdHistory->setAutoDefault(false);
    static_cast<QHBoxLayout*>(fraButtons()->layout())->insertWidget(2, m_cmdHistory);

    // Equal stretches put the errors heading at half the height.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblLogTitle);
    layout->addWidget(m_lblTransmissionLog);
    layout->addWidget(lstTransmissionLog(), 1);
    layout->addWidget(m_lblNetwork);
    layout->addWidget(m_lstNetwork, 1);
    FinishLayout(layout, 640, 520);

    connect(m_cmdHistory, &QPushButton::clicked, this, &frmTransmissionStatus::cmdHistory_Click);
}

void frmTransmissionStatus::SetLog(std::shared_ptr<LogLines> log)
{
    m_log = std::move(log);
}

void frmTransmissionStatus::InitialiseForm()
{
    LoadLog();
}

void frmTransmissionStatus::LoadLog()
{
    try {
        if (!m_errors) {
            if (!m_log) {
                auto log = std::make_shared<LogLines>();
                log->SetDataSource(&GlobalDatabase());
                log->LoadMostRecent();
                m_log = std::move(log);
            }
            m_errors = View::ErrorsAndWarnings(*m_log);
        }
        if (m_log->GetLogHeader())
            m_lblLogTitle->setText(View::LogTitle(*m_log));
        lstTransmissionLog()->Fill(*m_log, true,
                                   View::StatusLogMask(Settings().LogFilter(), chkShowDetail()->isChecked()));
        m_lstNetwork->Fill(*m_errors, false, View::ErrorsMask);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error loading logs"), e.Description());
    }
}

void frmTransmissionStatus::cmdHistory_Click()
{
    frmTransmissionHistory history(this);
    ShareSettingsWith(history);
    history.exec();
}

QString frmTransmissionStatus::PrintTitle() const
{
    return m_lblLogTitle->text();
}

QList<PrintedLogList> frmTransmissionStatus::PrintedLists() const
{
    return {{m_lblTransmissionLog->text(), lstTransmissionLog()->Items()},
            {m_lblNetwork->text(), m_lstNetwork->Items()}};
}

QList<LogListView*> frmTransmissionStatus::Lists() const
{
    return {lstTransmissionLog(), m_lstNetwork};
}
