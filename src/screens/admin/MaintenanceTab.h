#pragma once

#include <QGroupBox>

#include <array>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
struct ParametersData;

// The parameters screen's "Data Maintenance" frame: how long enquiries,
// responses, debit statements and log entries are kept (written by the
// screen's save), maintenance at once by those terms, and the saving of
// every record to spreadsheet files.
class MaintenanceTab : public QGroupBox {
    Q_OBJECT
public:
    // The kinds, in the order of the frame's rows.
    enum Kind { Enquiries, Responses, Statements, LogEntries, KindCount };

    // showTab brings the frame into view (to point at a bad term).
    MaintenanceTab(ParametersData& data, std::function<void()> showTab, QWidget* parent = nullptr);

    void PopulateDataMaintenance();
    // The terms as typed: false after the warning, or when the user did
    // not confirm terms shorter than the three months DVLA data is kept.
    bool ValidateMaintenanceTerms();
    // Puts the terms into the system parameters (in memory); a term that
    // holds no number raises an error naming it.
    void WriteTo() const;

    QLineEdit* txtTerm(Kind kind) const { return m_terms.at(kind); }
    QComboBox* cboPeriod(Kind kind) const { return m_periods.at(kind); }
    QLineEdit* txtVQ3Term() const { return m_terms[Enquiries]; }
    QComboBox* cboVQ3Period() const { return m_periods[Enquiries]; }
    QLineEdit* txtVQ7Term() const { return m_terms[Responses]; }
    QComboBox* cboVQ7Period() const { return m_periods[Responses]; }
    QLineEdit* txtDEBTerm() const { return m_terms[Statements]; }
    QComboBox* cboDEBPeriod() const { return m_periods[Statements]; }
    QLineEdit* txtTransLogTerm() const { return m_terms[LogEntries]; }
    QComboBox* cboTransLogPeriod() const { return m_periods[LogEntries]; }
    QPushButton* cmdMaintenance() const { return m_cmdMaintenance; }
    QPushButton* cmdSaveFiles() const { return m_cmdSaveFiles; }

public slots:
    void cmdMaintenance_Click();
    void cmdSaveFiles_Click();

private:
    // The combo's text becomes the value, or the fallback for "".
    static void SetComboText(QComboBox& combo, const QString& value, const QString& fallback);

    ParametersData& m_data;
    std::function<void()> m_showTab;
    std::array<QLineEdit*, KindCount> m_terms{};
    std::array<QComboBox*, KindCount> m_periods{};
    QPushButton* m_cmdMaintenance;
    QPushButton* m_cmdSaveFiles;
};
