#pragma once

#include "screens/records/RecordGridModel.h"

class DebitStatements;

// The statement list: the statement's key (its enquirer id and transaction
// day), then the charge period's start and end in the computer's date form.
class StatementListModel : public RecordGridModel {
    Q_OBJECT
public:
    explicit StatementListModel(QObject* parent = nullptr);

    // The list is read where it lies; call again after each load.
    void SetStatements(const DebitStatements* statements, const QString& sortOrder);
};

// "From" and "To", the one the order begins with marked with its direction.
QStringList StatementListHeadings(const QString& sortOrder);
