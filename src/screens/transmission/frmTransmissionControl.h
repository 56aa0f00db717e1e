#pragma once

#include "screens/common/InitialisableForm.h"

#include <QWidget>

#include <array>
#include <memory>

class CDataBase;
class Exchanges;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ScheduleGrid;
class TransmissionControl;

// "NEVIX - CONNECTION TO NEVIX SERVICE": a send and receive now, the
// communication test, or two schedule rows that start runs while the
// window stays open. Its work is the controller's; the window maps it.
class frmTransmissionControl : public QWidget, public InitialisableForm {
    Q_OBJECT

public:
    frmTransmissionControl(CDataBase& database, std::shared_ptr<Exchanges> exchanges, QWidget* parent = nullptr);
    ~frmTransmissionControl() override;

    void InitialiseForm() override;
    TransmissionControl& Control() const { return *m_control; }
    // The help topic of the connection chosen.
    int32_t HelpContextId() const;

    QGroupBox* fraConnection() const { return m_fraConnection; }
    QRadioButton* optConnectType(int index) const { return m_optConnectType.at(size_t(index)); }
    QGroupBox* fraImmediateComms() const { return m_fraImmediateComms; }
    QPushButton* cmdSenRecNow() const { return m_cmdSenRecNow; }
    QPushButton* cmdRunCommsTest() const { return m_cmdRunCommsTest; }
    QGroupBox* fraSchedule() const;
    QCheckBox* chkScheduler(int index) const;
    QLineEdit* txtLastRan(int index) const;
    QLineEdit* txtNextRun(int index) const;
    QPushButton* cmdSchSettings(int index) const;
    QLabel* lblSchedulerError(int index) const { return m_lblSchedulerError.at(size_t(index)); }
    QLabel* lblTestMode(int index) const { return m_lblTestMode.at(size_t(index)); }
    QLabel* lblCommsOut() const { return m_lblCommsOut; }
    QPushButton* cmdHelp() const { return m_cmdHelp; }
    QPushButton* cmdReturn() const { return m_cmdReturn; }

public slots:
    void cmdSchSettings_Click(int index);
    void cmdHelp_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowControls();
    void ShowCommsOut(const QString& text);

    std::unique_ptr<TransmissionControl> m_control;
    std::unique_ptr<ScheduleGrid> m_grid;
    bool m_closingByProgram = false;

    QGroupBox* m_fraConnection;
    std::array<QRadioButton*, 2> m_optConnectType{};
    QGroupBox* m_fraImmediateComms;
    QPushButton* m_cmdSenRecNow;
    QPushButton* m_cmdRunCommsTest;
    std::array<QLabel*, 2> m_lblSchedulerError{};
    std::array<QLabel*, 2> m_lblTestMode{};
    QLabel* m_lblCommsOut;
    QPushButton* m_cmdHelp;
    QPushButton* m_cmdReturn;
};
