#pragma once

#include "screens/common/InitialisableForm.h"
#include "screens/transmission/LogViewerForm.h"

#include <memory>

class QLabel;

// "NEVIX - LOG": one run, its log details apart from its errors and
// warnings; the most recent run unless one is given.
class frmTransmissionStatus : public LogViewerForm, public InitialisableForm {
    Q_OBJECT

public:
    explicit frmTransmissionStatus(QWidget* parent = nullptr);

    // Keeps the run to show; loads nothing.
    void SetLog(std::shared_ptr<LogLines> log);
    void InitialiseForm() override;
    void LoadLog() override;

    QLabel* lblLogTitle() const { return m_lblLogTitle; }
    QLabel* lblTransmissionLog() const { return m_lblTransmissionLog; }
    QLabel* lblNetwork() const { return m_lblNetwork; }
    LogListView* lstNetwork() const { return m_lstNetwork; }
    QPushButton* cmdHistory() const { return m_cmdHistory; }

public slots:
    void cmdHistory_Click();

protected:
    const LogLines* Log() const override { return m_log.get(); }
    QString PrintTitle() const override;
    QList<PrintedLogList> PrintedLists() const override;
    QList<LogListView*> Lists() const override;

private:
    std::shared_ptr<LogLines> m_log;
    std::shared_ptr<LogLines> m_errors;
    QLabel* m_lblLogTitle;
    QLabel* m_lblTransmissionLog;
    QLabel* m_lblNetwork;
    LogListView* m_lstNetwork;
    QPushButton* m_cmdHistory;
};
