#pragma once

#include "screens/records/RecordScreen.h"

#include <QHash>

#include <memory>

class DebitStatement;
class DebitStatements;
class QLineEdit;
class QPushButton;
class QTableView;
class StatementListModel;

// The debit statements of the user's enquirers: a list by charge period
// and the selected statement in full, read only, with its charges checked
// against the enquiries sent in its period; printed and exported from here.
class frmDEB : public RecordScreen {
    Q_OBJECT
public:
    explicit frmDEB(QWidget* parent = nullptr, RecordScreenTools tools = {});
    ~frmDEB() override;

    // Raises a NevixError when the list cannot be loaded.
    void InitialiseForm() override;

    void FillUpGrid(const QString& SortOrder = {});
    void ShowDEBDetails();
    std::shared_ptr<DebitStatement> GetSelectedDEB();
    void SortByPeriodStart();
    void SortByPeriodEnd();

    DebitStatements& Statements() { return *m_statements; }
    StatementListModel& ListModel() { return *m_model; }
    QTableView* grdDEB() const { return m_grid; }
    std::shared_ptr<DebitStatement> CurrentStatement() const { return m_current; }

public slots:
    void cmdPrint_Click();
    void cmdExport_Click();
    void grdDEB_HeadingClick(int column);

protected:
    void ShowCurrentRecord() override { ShowDEBDetails(); }

private:
    void BuildWindow();

    std::unique_ptr<DebitStatements> m_statements;
    std::shared_ptr<DebitStatement> m_current;
    StatementListModel* m_model;
    QHash<QString, QLineEdit*> m_boxes;
    bool m_startAscending = false;
    bool m_endAscending = false;
};
