#pragma once

#include "screens/transmission/LogViewerForm.h"

#include <memory>

// "NEVIX - FULL LOG": every run of the last three months, loaded when the
// window is first laid out.
class frmTransmissionHistory : public LogViewerForm {
    Q_OBJECT

public:
    explicit frmTransmissionHistory(QWidget* parent = nullptr);

    // Keeps the log to show instead of loading one.
    void SetLog(std::shared_ptr<LogLines> log);
    void LoadLog() override;

protected:
    const LogLines* Log() const override { return m_log.get(); }
    QString PrintTitle() const override { return QStringLiteral("Log "); }
    QList<PrintedLogList> PrintedLists() const override;
    QList<LogListView*> Lists() const override { return {lstTransmissionLog()}; }

private:
    std::shared_ptr<LogLines> m_log;
};
