#pragma once

#include <QDate>

#include <cstdint>

class CDataBase;

// The home of every query over table Debit_Statements, kept to the rows
// of one mode (live or test). So far it holds the purge that data
// maintenance needs; the member list arrives with the statement record.
class DebitStatements {
public:
    void SetDataSource(CDataBase* objDataSource, bool blnTestFlag);

    // Removes the statements received before the start of the day and
    // returns how many went.
    int32_t RemoveStatements(const QDate& ReceivedDateOlderThan);

private:
    CDataBase* m_db = nullptr;
    bool m_testFlag = false;
};
