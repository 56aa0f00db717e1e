#include "database/SimpleDBkeyMaker.h"

#include "core/MakeGuid.h"
#include "database/CDataBase.h"
#include "platform/NevixError.h"

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
    CDataBase& db = DataSource();
    // The counter moves on in the same statement that reads it.
    RecordSet rs =
        UseThisValue >= 0
            ? db.ExecuteReturning(QStringLiteral("UPDATE TKEYS SET KEYVALUE=?2+1 WHERE TABLENAME=?1 "
                                                 "AND ?2<2147483647 RETURNING PREFIX, KEYLENGTH, ?2"),
                                  {Table, UseThisValue})
            : db.ExecuteReturning(QStringLiteral("UPDATE TKEYS SET KEYVALUE=KEYVALUE+1 WHERE "
                                                 "TABLENAME=?1 AND KEYVALUE<2147483647 "
                                                 "RETURNING PREFIX, KEYLENGTH, KEYVALUE-1"),
                                  {Table});
    if (rs.IsEOF()) {
        RecordSet row = db.OpenRecordSet(
            QStringLiteral("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME=?"), {Table});
        if (row.HasRow()) // the counter cannot go past the largest number
            throw NevixError::Overflow(Source);
        throw NevixError(ErrorNumbers::NoKeys, QStringLiteral("No Keys in TKEYS"), Source);
    }
    const int32_t keyLength = rs.Long(QStringLiteral("KEYLENGTH")).value_or(0);
    const QString prefix = rs.Text(QStringLiteral("PREFIX")).value_or(QString());
    const QVariant number = rs.Field(2);
    return FormatKey(prefix, keyLength, number.toLongLong());
}

QString SimpleDBkeyMaker::FormatKey(const QString& prefix, int32_t keyLength, int64_t number)
{
    const int64_t width = int64_t(keyLength) - prefix.size();
    if (width < 0 || number < 0 || number > Largest)
        throw NevixError::InvalidArgument(Source);
    return prefix + QStringLiteral("%1").arg(number, int(width), 10, QLatin1Char('0'));
}
