#include "support/DatabaseTest.h"

#include "database/SqliteError.h"
#include "support/Printers.h"
#include "support/ScopedTimeZone.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

ConnectionParams Params(const char* password, const char* user, const char* userPassword,
                        int32_t engineType = 0)
{
    ConnectionParams p;
    p.Source = QStringLiteral("/data/Nevix.MDB");
    p.DbPassword = QLatin1String(password);
    p.User = QLatin1String(user);
    p.UserPassword = QLatin1String(userPassword);
    p.EngineType = engineType;
    return p;
}

TEST(ConnectionString, IsBuiltPieceByPiece)
{
    const QString head = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/Nevix.MDB;";
    const std::pair<ConnectionParams, QString> cases[] = {
        {Params("ABCDEFG", "", ""), "Jet OLEDB:Database Password=ABCDEFG;User Id=Admin;"},
        {Params("", "bob", ""), "User Id=bob;"},
        {Params("", "bob", "pw"), "User Id=bob;Password=pw;"},
        {Params("ABCDEFG", "", "", 5),
         "Jet OLEDB:Engine Type=5;Jet OLEDB:Database Password=ABCDEFG;User Id=Admin;"},
    };
    for (const auto& [params, middle] : cases)
        EXPECT_EQ(CDataBase::BuildConnectionString(params), head + middle + ";Mode=Share Deny None");

    CDataBase db;
    db.SetConnectionParams("/x.mdb", "P", QString(), QString(), QString());
    EXPECT_EQ(db.ConnectionString(), "Provider=P;Data Source=/x.mdb;User Id=Admin;;Mode=Share Deny None");
    db.SetSource("/y.mdb");
    EXPECT_EQ(db.Source(), QStringLiteral("/y.mdb"));
}

TEST(SqlTextHelpers, WriteTheEnginesDialect)
{
    const QDateTime afternoon(QDate(2024, 1, 31), QTime(14, 5, 9));
    const auto at = [](int h, int n, int s, int ms) {
        return QDateTime(QDate(2024, 1, 31), QTime(h, n, s, ms));
    };
    const std::pair<QString, const char*> cases[] = {
        {CDataBase::EscapeQuotesOrNull("O'Neill"), "'O''Neill'"},
        {CDataBase::EscapeQuotesOrNull(QString()), "NULL"},
        {CDataBase::EscapeQuotes("a'b''c"), "a''b''''c"},
        {CDataBase::EscapeQuotesOrNullWhere("SM*"), " LIKE 'SM%'"},
        {CDataBase::EscapeQuotesOrNullWhere("5%_*"), " LIKE '5\\%\\_%' ESCAPE '\\'"},
        {CDataBase::EscapeQuotesOrNullWhere(QString()), " IS NULL"},
        {CDataBase::EscapeQuotesOrNullWhere("AB"), "= 'AB'"},
        {CDataBase::EscapeQuotesOrNullWhere("O'N"), "= 'O''N'"},
        {CDataBase::ConcatWhereClause(QString(), "A=1", "AND"), " where A=1"},
        {CDataBase::ConcatWhereClause(" where A=1", "B=2", "AND"), " where A=1 AND B=2"},
        {CDataBase::FormatSQLDate(QDate(2024, 1, 31)), "'2024-01-31 00:00:00'"},
        {CDataBase::FormatSQLDate(afternoon), "'2024-01-31 00:00:00'"},
        {CDataBase::FormatSQLDate(QStringLiteral("31/01/2024")), "'2024-01-31 00:00:00'"},
        {CDataBase::FormatSQLDate(QStringLiteral("not a date")), "NULL"},
        {CDataBase::FormatSQLDate(QVariant()), "NULL"},
        {CDataBase::FormatSQLDateTime(afternoon), "'2024-01-31 14:05:09'"},
        {CDataBase::FormatSQLDateTime(QVariant()), "NULL"},
        {CDataBase::FormatSQLDateTimeWhere(afternoon), "='2024-01-31 14:05:09'"},
        {CDataBase::FormatSQLDateTimeWhere(QVariant()), "IS NULL"},
        {CDataBase::FormatSQLBetweenDates(QDate(2024, 1, 1), QDate(2024, 1, 31)),
         "BETWEEN '2024-01-01 00:00:00' AND '2024-01-31 23:59:59'"},
        {CDataBase::SQLTimeStamp(QStringLiteral("20240131:45296.78")), "'20240131:45296.78'"},
        {CDataBase::SQLTimeStamp(std::nullopt), "''"},
        {CDataBase::SQLTimeStampWhere(QStringLiteral("20240131:1.00")), "='20240131:1.00'"},
        {CDataBase::SQLTimeStampWhere(std::nullopt), "IS NULL"},
        {CDataBase::MakeTimestamp(at(0, 0, 0, 500)), "20240131:.50"},
        {CDataBase::MakeTimestamp(at(12, 34, 56, 780)), "20240131:45296.78"},
        {CDataBase::MakeTimestamp(at(23, 59, 59, 999)), "20240131:86399.99"},
        {CDataBase::SqliteColumnType("Varchar(70)"), "TEXT(70) COLLATE NOCASE"},
        {CDataBase::SqliteColumnType("Bit"), "BOOLEAN"},
        {CDataBase::SqliteColumnType("MEMO"), "TEXT COLLATE NOCASE"},
        {CDataBase::SqliteColumnType("Currency"), "CURRENCY TEXT"},
        {CDataBase::SqliteIndexName("USERS", "PrimaryKey"), "USERS_PrimaryKey"},
    };
    for (const auto& [actual, expected] : cases)
        EXPECT_EQ(actual, QString::fromUtf8(expected)) << expected;
    try {
        CDataBase::FormatSQLDateTime(QStringLiteral("soon"));
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::TypeMismatch);
    }
}

TEST(SqlTextHelpers, MakeTimestampReadsTheClockToTheHundredth)
{
    {
        TestWorld world;
        world.clock().Set(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0, 250)));
        EXPECT_EQ(CDataBase::MakeTimestamp(), QStringLiteral("20240315:37800.25"));
    }
    TestWorld world;
    ScopedAppContext scope(std::make_shared<AppContext>(std::make_shared<SystemClock>(),
                                                        std::make_shared<FakeUserInteraction>(),
                                                        world.Folder(), "TESTPC"));
    const QString today = QDate::currentDate().toString("yyyyMMdd");
    const QString stamp = CDataBase::MakeTimestamp();
    const QString after = QDate::currentDate().toString("yyyyMMdd");
    EXPECT_TRUE(QRegularExpression("^\\d{8}:\\d*\\.\\d\\d$").match(stamp).hasMatch()) << stamp.toStdString();
    EXPECT_TRUE(stamp.startsWith(today) || stamp.startsWith(after));
}

// Both read the clock at every row, converting the second once: a zone
// set meanwhile shows at once.
TEST(SqlTextHelpers, TheSystemClockAndARowsStampFollowTheZoneInForce)
{
    TestWorld world;
    ScopedAppContext scope(std::make_shared<AppContext>(std::make_shared<SystemClock>(),
                                                        std::make_shared<FakeUserInteraction>(),
                                                        world.Folder(), "TESTPC"));
    const auto read = [] {
        const int offset = AppContext::Current().clock().Now().offsetFromUtc();
        return std::pair{offset, CDataBase::MakeTimestamp().section(u':', 1).section(u'.', 0, 0).toInt()};
    };
    const ScopedTimeZone london(ScopedTimeZone::London());
    const auto inLondon = read();
    const ScopedTimeZone newYork(ScopedTimeZone::NewYork());
    const auto inNewYork = read();
    EXPECT_GE(inLondon.first - inNewYork.first, 4 * 3600);
    const int apart = (inLondon.second - inNewYork.second + 86400) % 86400;
    EXPECT_TRUE(apart >= 4 * 3600 - 1 && apart <= 5 * 3600 + 1) << apart;
}

using SqlTextOnTheEngine = DatabaseTest;

TEST_F(SqlTextOnTheEngine, DateTextsCompareInTheStoredForm)
{
    for (const auto& [id, when] : {std::pair{"L1", QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59))},
                                   {"L2", QDateTime(QDate(2024, 1, 1), QTime(0, 0, 0))},
                                   {"L3", QDateTime(QDate(2024, 1, 31), QTime(23, 59, 59))},
                                   {"L4", QDateTime(QDate(2024, 2, 1), QTime(0, 0, 0))}}) {
        db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId, Time_Of_Event) VALUES ('%1', %2)")
                       .arg(id, CDataBase::FormatSQLDateTime(when)));
    }
    const auto count = [&](const QString& condition) {
        return CountRows("Transmission_Log", "Time_Of_Event " + condition);
    };
    EXPECT_EQ(count(CDataBase::FormatSQLBetweenDates(QDate(2024, 1, 1), QDate(2024, 1, 31))), 2);
    EXPECT_EQ(count("< " + CDataBase::FormatSQLDate(QDate(2024, 1, 1))), 1);
    EXPECT_EQ(count(CDataBase::FormatSQLDateTimeWhere(QDateTime(QDate(2024, 2, 1), QTime(0, 0)))), 1);
}

TEST_F(SqlTextOnTheEngine, LikeAndEqualityIgnoreCase)
{
    db.Execute("INSERT INTO ENQUIRER (EnquirerId, EnqName) VALUES ('AB123', 'Smith & Co')");
    db.Execute("INSERT INTO ENQUIRER (EnquirerId, EnqName) VALUES ('AB124', '50% off')");
    const auto like = [&](const char* field, const QString& pattern) {
        return CountRows("ENQUIRER", field + CDataBase::EscapeQuotesOrNullWhere(pattern));
    };
    EXPECT_EQ(like("EnqName", "sm*"), 1);
    EXPECT_EQ(like("EnquirerId", "ab123"), 1);
    EXPECT_EQ(like("EnqName", "5*"), 1);
    EXPECT_EQ(like("EnqName", "5%*"), 0);
    EXPECT_EQ(like("IntermediaryId", QString()), 2);
}

} // namespace
