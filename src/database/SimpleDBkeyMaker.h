#pragma once

#include <QString>

#include <cstdint>

class CDataBase;

// Hands out the keys of new rows: a table's prefix and its running number,
// zero-padded to the table's key length, from the counters of table TKEYS.
// Reading a counter and moving it on is one statement, so installations
// sharing the database never draw the same key.
class SimpleDBkeyMaker {
public:
    void SetDataSource(CDataBase* objDataSource) { m_db = objDataSource; }
    void InitialiseTableEntry(const QString& strTable, const QString& strPrefix,
                              int32_t lngKeyLength, int32_t lngInitialValue);
    QString GenerateKeyGUID(const QString& Table = {}, int32_t UseThisValue = -1) const;
    // UseThisValue of 0 or more is taken as the key's number and the counter
    // goes on from it; a negative one asks for the counter's next number.
    QString GenerateKey(const QString& Table, int32_t UseThisValue = -1);

    // The key of a number: the prefix, then the number with leading zeros
    // to the key length (a longer number is written whole).
    static QString FormatKey(const QString& prefix, int32_t keyLength, int64_t number);

private:
    CDataBase& DataSource() const;
    CDataBase* m_db = nullptr;
};
