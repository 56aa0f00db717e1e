#pragma once

#include <QDialog>

#include <vector>
#include <cstdint>

class QPushButton;
class QRadioButton;

// Asks how to leave interactive work: shut down, log off or return to
// automatic execution. It only records the answer and hides; the caller
// reads ShutDownMode and unloads it.
class frmShutDownMode : public QDialog {
    Q_OBJECT
public:
    enum Mode : int32_t { Cancelled = 0, ShutDown = 1, LogOff = 2, ReturnToAutoExecute = 3 };

    explicit frmShutDownMode(QWidget* parent = nullptr);

    void InitialiseForm(bool ShowLogOff, bool ShowReturnToAutoExec);
    int32_t ShutDownMode() const { return m_mode; }

    QRadioButton* optCloseDown(int index) const { return m_options.at(index); }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void optCloseDown_Click(int index);

    std::vector<QRadioButton*> m_options;
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
    int32_t m_mode = Cancelled;
};
