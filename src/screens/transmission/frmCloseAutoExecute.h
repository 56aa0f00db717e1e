#pragma once

#include <QDialog>

#include <vector>
#include <cstdint>

class QPushButton;
class QRadioButton;

// Asks the unattended console's operator how to leave it: shut down, go to
// manual mode or go back to the scheduled connections. It only records the
// choice and hides; the caller reads CloseAction and unloads it.
class frmCloseAutoExecute : public QDialog {
    Q_OBJECT
public:
    enum Action : int32_t { ShutDown = 0, ManualMode = 1, Cancel = 2 };

    explicit frmCloseAutoExecute(QWidget* parent = nullptr);

    // The selected option's index; 0 when none is selected.
    int32_t CloseAction() const;

    QRadioButton* optClose(int index) const { return m_options.at(index); }
    QPushButton* cmdClose() const { return m_cmdClose; }

public slots:
    void cmdClose_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void optClose_Click(int index);

    std::vector<QRadioButton*> m_options;
    QPushButton* m_cmdClose;
};
