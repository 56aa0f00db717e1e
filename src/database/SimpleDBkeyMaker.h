#pragma once

#include <QString>

#include <cstdint>
#include <optional>

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

    // Moves a counter on by count in one step, inside the caller's write
    // transaction, and hands those numbers out in turn to the next draws
    // of the counter. EndReserve gives back the numbers not handed out, so
    // that a save that drew fewer leaves no gap; a rolled-back transaction
    // gives back the whole block. A counter too near its end reserves
    // nothing, and each key is drawn alone. One counter at a time.
    bool Reserve(const QString& Table, int32_t count);
    void EndReserve();
    // Forgets the block after its transaction was rolled back.
    void DropReserve() { m_reserved.reset(); }

    // The key of a number: the prefix, then the number with leading zeros
    // to the key length (a longer number is written whole).
    static QString FormatKey(const QString& prefix, int32_t keyLength, int64_t number);

private:
    CDataBase& DataSource() const;

    struct Block {
        QString Table;
        QString Prefix;
        int32_t KeyLength = 0;
        int64_t Next = 0;
        int64_t End = 0; // one past the last number
    };
    CDataBase* m_db = nullptr;
    std::optional<Block> m_reserved;
};
