#pragma once

#include "screens/records/RecordListModel.h"

class DebitStatements;

// The statement list: the statement's key (its enquirer id and transaction
// day), then the charge period's start and end in the computer's date form.
class StatementListModel : public RecordListModel {
    Q_OBJECT
public:
    explicit StatementListModel(QObject* parent = nullptr);

    // The list is read where it lies; call again after each load.
    void SetStatements(const DebitStatements* statements, const QString& sortOrder);
    int RecordCount() const override;

protected:
    QString Cell(int row, int column) const override;

private:
    const DebitStatements* m_statements = nullptr;
};

// "From" and "To", the one the order begins with marked with its direction.
QStringList StatementListHeadings(const QString& sortOrder);
