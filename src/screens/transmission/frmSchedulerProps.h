#pragma once

#include <QDialog>

#include <array>

class MiniScheduler;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Shows one schedule row and lets the user change when it runs. OK puts
// the values into the row object and works out its next run; Cancel and
// the title bar put the row back. The caller applies the row when it is
// dirty afterwards: this dialog never writes the database.
class frmSchedulerProps : public QDialog {
    Q_OBJECT
public:
    explicit frmSchedulerProps(QWidget* parent = nullptr);

    // The row stays the caller's and must outlive the dialog.
    void CConstructor(MiniScheduler& objScheduler);

    QGroupBox* fraOptions() const { return m_fraOptions; }
    QLabel* lblInput(int index) const { return m_lblInput.at(index); }
    QComboBox* cboSchRunAt() const { return m_cboSchRunAt; }
    QCheckBox* chkSchDays(int index) const { return m_chkSchDays.at(index); }
    QCheckBox* chkSchHours(int index) const { return m_chkSchHours.at(index); }
    QLineEdit* txtInput(int index) const { return m_txtInput.at(index); }
    QPushButton* cmdOk() const { return m_cmdOk; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();
    // Every close that is not OK's (Escape, the title bar) restores the row.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cboSchRunAt_Click();
    void chkSchDays_Click(int index);
    void chkSchHours_Click(int index);
    void txtInput_Change(int index);
    void RefreshOkButton();
    bool ScheduleIsOn() const;
    void ValidateAndSave(bool& saved);

    MiniScheduler* m_row = nullptr;
    bool m_loading = false;
    QGroupBox* m_fraOptions;
    std::array<QLabel*, 5> m_lblInput{};
    QComboBox* m_cboSchRunAt;
    std::array<QCheckBox*, 7> m_chkSchDays{};
    std::array<QLineEdit*, 4> m_txtInput{};
    std::array<QCheckBox*, 3> m_chkSchHours{};
    QPushButton* m_cmdOk;
    QPushButton* m_cmdCancel;
};
