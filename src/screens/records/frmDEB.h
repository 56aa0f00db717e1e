#pragma once

#include "screens/common/InitialisableForm.h"
#include "screens/records/RecordScreenTools.h"

#include <QHash>
#include <QWidget>

#include <memory>

class DebitStatement;
class DebitStatements;
class LogLines;
class QLineEdit;
class QPushButton;
class QTableView;
class StatementListModel;
class TransmissionResults;

// The debit statements of the user's enquirers: a list by charge period
// and the selected statement in full, read only, with its charges checked
// against the enquiries sent in its period; printed and exported from here.
class frmDEB : public QWidget, public InitialisableForm {
    Q_OBJECT
public:
    explicit frmDEB(QWidget* parent = nullptr, RecordScreenTools tools = {});
    ~frmDEB() override;

    // Raises a NevixError when the list cannot be loaded.
    void InitialiseForm() override;

    void FillUpGrid(const QString& SortOrder = {});
    void ShowDEBDetails();
    std::shared_ptr<DebitStatement> GetSelectedDEB();
    void SelectCurrentRow();
    void SortByPeriodStart();
    void SortByPeriodEnd();
    void ApplyControlLook();

    DebitStatements& Statements() { return *m_statements; }
    StatementListModel& ListModel() { return *m_model; }
    QTableView* grdDEB() const { return m_grdDEB; }
    std::shared_ptr<DebitStatement> CurrentStatement() const { return m_current; }

public slots:
    void cmdPrint_Click();
    void cmdExport_Click();
    void cmdReturn_Click();
    void cmdHelp_Click();
    void grdDEB_HeadingClick(int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildWindow();
    void ChooseDEBExportFileAndExport(LogLines& logger, TransmissionResults& results, const QString& folder,
                                      const QString& fileName, const QString& enquirerId);
    QString UserEnquirerIds() const;

    RecordScreenTools m_tools;
    std::unique_ptr<DebitStatements> m_statements;
    std::shared_ptr<DebitStatement> m_current;
    StatementListModel* m_model;
    QTableView* m_grdDEB;
    QHash<QString, QLineEdit*> m_boxes;
    QPushButton* m_cmdExport = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdReturn = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    bool m_startAscending = false;
    bool m_endAscending = false;
    bool m_activated = false;
    bool m_filling = false;
};
