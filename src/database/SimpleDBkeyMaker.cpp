#include "database/SimpleDBkeyMaker.h"

#include "core/MakeGuid.h"
#include "database/CDataBase.h"
#include "database/SqliteConnection.h"
#include "platform/NevixError.h"

#include <algorithm>
#include <limits>

namespace {
const QString Source = QStringLiteral("GenerateKey");
constexpr int64_t Largest = std::numeric_limits<int32_t>::max();
} // namespace

CDataBase& SimpleDBkeyMaker::DataSource() const
{
    if (!m_db)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No data source"), Source);
    return *m_db;
}

void SimpleDBkeyMaker::InitialiseTableEntry(const QString& strTable, const QString& strPrefix,
                                            int32_t lngKeyLength, int32_t lngInitialValue)
{
    DataSource().Execute(
        QStringLiteral("INSERT INTO TKEYS (TABLENAME, PREFIX, KEYLENGTH, KEYVALUE) VALUES (?,?,?,?)"),
        {strTable, strPrefix, lngKeyLength, lngInitialValue});
}

QString SimpleDBkeyMaker::GenerateKeyGUID(const QString&, int32_t) const
{
    return MakeGuid();
}

QString SimpleDBkeyMaker::GenerateKey(const QString& Table, int32_t UseThisValue)
{
    if (m_reserved && m_reserved->Table.compare(Table, Qt::CaseInsensitive) == 0) {
        if (UseThisValue < 0 && m_reserved->Next < m_reserved->End)
            return FormatKey(m_reserved->Prefix, m_reserved->KeyLength, m_reserved->Next++);
        // A number named, or the block used up: the counter as if drawn key by key.
        EndReserve();
    }
    QString key;
    // The update takes the write lock before the counter is read back, and
    // the lock is held to the end of the transaction: no other installation
    // can move the counter in between.
    DataSource().InWriteLevel(Source, [&](SqliteConnection& connection) {
        Statement update = connection.Prepare(
            UseThisValue >= 0 ? QStringLiteral("UPDATE TKEYS SET KEYVALUE=?2+1 WHERE TABLENAME=?1 "
                                               "AND ?2<2147483647")
                              : QStringLiteral("UPDATE TKEYS SET KEYVALUE=KEYVALUE+1 WHERE "
                                               "TABLENAME=?1 AND KEYVALUE<2147483647"),
            Source);
        update.Bind(1, Table);
        if (UseThisValue >= 0)
            update.Bind(2, UseThisValue);
        const int moved = update.RunToEnd();
        Statement read = connection.Prepare(
            QStringLiteral("SELECT PREFIX, KEYLENGTH, KEYVALUE FROM TKEYS WHERE TABLENAME=?"), Source);
        read.Bind(1, Table);
        if (!read.Step())
            throw NevixError(ErrorNumbers::NoKeys, QStringLiteral("No Keys in TKEYS"), Source);
        if (moved == 0) // the counter cannot go past the largest number
            throw NevixError::Overflow(Source);
        const int64_t number = UseThisValue >= 0 ? UseThisValue : read.Column(2).toLongLong() - 1;
        key = FormatKey(read.Column(0).toString(), int32_t(read.Column(1).toLongLong()), number);
    });
    return key;
}

bool SimpleDBkeyMaker::Reserve(const QString& Table, int32_t count)
{
    if (m_reserved || count < 1)
        return false;
    DataSource().InWriteLevel(Source, [&](SqliteConnection& connection) {
        Statement update = connection.Prepare(
            QStringLiteral("UPDATE TKEYS SET KEYVALUE=KEYVALUE+?2 WHERE TABLENAME=?1 AND KEYVALUE<=2147483647-?2"),
            Source);
        update.Bind(1, Table);
        update.Bind(2, count);
        if (update.RunToEnd() == 0)
            return;
        Statement read = connection.Prepare(
            QStringLiteral("SELECT PREFIX, KEYLENGTH, KEYVALUE FROM TKEYS WHERE TABLENAME=?"), Source);
        read.Bind(1, Table);
        if (!read.Step())
            return;
        const int64_t end = read.Column(2).toLongLong();
        m_reserved = Block{Table, read.Column(0).toString(), int32_t(read.Column(1).toLongLong()), end - count, end};
    });
    return m_reserved.has_value();
}

void SimpleDBkeyMaker::EndReserve()
{
    if (!m_reserved)
        return;
    const Block block = *std::exchange(m_reserved, std::nullopt);
    if (block.Next < block.End)
        DataSource().Execute(QStringLiteral("UPDATE TKEYS SET KEYVALUE=KEYVALUE-? WHERE TABLENAME=?"),
                             {int32_t(block.End - block.Next), block.Table});
}

QString SimpleDBkeyMaker::FormatKey(const QString& prefix, int32_t keyLength, int64_t number)
{
    const int64_t width = int64_t(keyLength) - prefix.size();
    if (width < 0 || number < 0 || number > Largest)
        throw NevixError::InvalidArgument(Source);
    const QString digits = QString::number(number);
    return prefix + QString(std::max<qsizetype>(0, width - digits.size()), QLatin1Char('0')) + digits;
}
