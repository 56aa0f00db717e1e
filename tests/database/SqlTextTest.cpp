#include "support/DatabaseTest.h"

#include "database/SqliteError.h"
#include "support/Printers.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct ConnectionCase {
    const char* name;
    ConnectionParams params;
    const char* expected;
};

void PrintTo(const ConnectionCase& c, std::ostream* os)
{
    *os << c.name;
}

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

class ConnectionStrings : public ::testing::TestWithParam<ConnectionCase> {};

TEST_P(ConnectionStrings, AreBuiltPieceByPiece)
{
    EXPECT_EQ(CDataBase::BuildConnectionString(GetParam().params), QLatin1String(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    CDataBase, ConnectionStrings,
    ::testing::Values(
        ConnectionCase{"As_start_up_gives_them", Params("ABCDEFG", "", ""),
                       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/Nevix.MDB;"
                       "Jet OLEDB:Database Password=ABCDEFG;User Id=Admin;;Mode=Share Deny None"},
        ConnectionCase{"User_without_password", Params("", "bob", ""),
                       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/Nevix.MDB;"
                       "User Id=bob;;Mode=Share Deny None"},
        ConnectionCase{"User_with_password", Params("", "bob", "pw"),
                       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/Nevix.MDB;"
                       "User Id=bob;Password=pw;;Mode=Share Deny None"},
        ConnectionCase{"Engine_type_before_the_password", Params("ABCDEFG", "", "", 5),
                       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/Nevix.MDB;"
                       "Jet OLEDB:Engine Type=5;Jet OLEDB:Database Password=ABCDEFG;"
                       "User Id=Admin;;Mode=Share Deny None"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConnectionString, FollowsTheParametersOfTheObject)
{
    CDataBase db;
    db.SetConnectionParams(QStringLiteral("/x.mdb"), QStringLiteral("P"), QString(), QString(),
                           QString());
    EXPECT_EQ(db.ConnectionString(), QStringLiteral("Provider=P;Data Source=/x.mdb;User Id=Admin;;Mode=Share Deny None"));
    db.SetSource(QStringLiteral("/y.mdb"));
    EXPECT_EQ(db.Source(), QStringLiteral("/y.mdb"));
    EXPECT_EQ(db.DbPassword(), QString());
}

struct TextCase {
    const char* name;
    QString actual;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class SqlTextHelpers : public ::testing::TestWithParam<TextCase> {};

TEST_P(SqlTextHelpers, WriteTheEnginesDialect)
{
    EXPECT_EQ(GetParam().actual, QString::fromUtf8(GetParam().expected));
}

const QDateTime Afternoon(QDate(2024, 1, 31), QTime(14, 5, 9));

INSTANTIATE_TEST_SUITE_P(
    CDataBase, SqlTextHelpers,
    ::testing::Values(
        TextCase{"EscapeQuotesOrNull_doubles_quotes", CDataBase::EscapeQuotesOrNull(QStringLiteral("O'Neill")), "'O''Neill'"},
        TextCase{"EscapeQuotesOrNull_empty_is_NULL", CDataBase::EscapeQuotesOrNull(QString()), "NULL"},
        TextCase{"EscapeQuotes", CDataBase::EscapeQuotes(QStringLiteral("a'b''c")), "a''b''''c"},
        TextCase{"Where_with_star_is_LIKE", CDataBase::EscapeQuotesOrNullWhere(QStringLiteral("SM*")), " LIKE 'SM%'"},
        TextCase{"Where_keeps_engine_wildcards_literal", CDataBase::EscapeQuotesOrNullWhere(QStringLiteral("5%_*")), " LIKE '5\\%\\_%' ESCAPE '\\'"},
        TextCase{"Where_empty_is_IS_NULL", CDataBase::EscapeQuotesOrNullWhere(QString()), " IS NULL"},
        TextCase{"Where_plain_is_equals", CDataBase::EscapeQuotesOrNullWhere(QStringLiteral("AB")), "= 'AB'"},
        TextCase{"Where_quotes_doubled", CDataBase::EscapeQuotesOrNullWhere(QStringLiteral("O'N")), "= 'O''N'"},
        TextCase{"Concat_first_condition", CDataBase::ConcatWhereClause(QString(), QStringLiteral("A=1"), QStringLiteral("AND")), " where A=1"},
        TextCase{"Concat_next_condition", CDataBase::ConcatWhereClause(QStringLiteral(" where A=1"), QStringLiteral("B=2"), QStringLiteral("AND")), " where A=1 AND B=2"},
        TextCase{"FormatSQLDate_of_a_date", CDataBase::FormatSQLDate(QDate(2024, 1, 31)), "'2024-01-31 00:00:00'"},
        TextCase{"FormatSQLDate_drops_the_time", CDataBase::FormatSQLDate(Afternoon), "'2024-01-31 00:00:00'"},
        TextCase{"FormatSQLDate_of_date_text", CDataBase::FormatSQLDate(QStringLiteral("31/01/2024")), "'2024-01-31 00:00:00'"},
        TextCase{"FormatSQLDate_of_other_text", CDataBase::FormatSQLDate(QStringLiteral("not a date")), "NULL"},
        TextCase{"FormatSQLDate_of_Null", CDataBase::FormatSQLDate(QVariant()), "NULL"},
        TextCase{"FormatSQLDateTime", CDataBase::FormatSQLDateTime(Afternoon), "'2024-01-31 14:05:09'"},
        TextCase{"FormatSQLDateTime_of_Null", CDataBase::FormatSQLDateTime(QVariant()), "NULL"},
        TextCase{"FormatSQLDateTimeWhere", CDataBase::FormatSQLDateTimeWhere(Afternoon), "='2024-01-31 14:05:09'"},
        TextCase{"FormatSQLDateTimeWhere_of_Null", CDataBase::FormatSQLDateTimeWhere(QVariant()), "IS NULL"},
        TextCase{"FormatSQLBetweenDates_whole_days", CDataBase::FormatSQLBetweenDates(QDate(2024, 1, 1), QDate(2024, 1, 31)), "BETWEEN '2024-01-01 00:00:00' AND '2024-01-31 23:59:59'"},
        TextCase{"SQLTimeStamp", CDataBase::SQLTimeStamp(QStringLiteral("20240131:45296.78")), "'20240131:45296.78'"},
        TextCase{"SQLTimeStamp_of_Null", CDataBase::SQLTimeStamp(std::nullopt), "''"},
        TextCase{"SQLTimeStampWhere", CDataBase::SQLTimeStampWhere(QStringLiteral("20240131:1.00")), "='20240131:1.00'"},
        TextCase{"SQLTimeStampWhere_of_Null", CDataBase::SQLTimeStampWhere(std::nullopt), "IS NULL"},
        TextCase{"MakeTimestamp_half_a_second_after_midnight", CDataBase::MakeTimestamp(QDateTime(QDate(2024, 1, 31), QTime(0, 0, 0, 500))), "20240131:.50"},
        TextCase{"MakeTimestamp_afternoon", CDataBase::MakeTimestamp(QDateTime(QDate(2024, 1, 31), QTime(12, 34, 56, 780))), "20240131:45296.78"},
        TextCase{"MakeTimestamp_last_hundredth", CDataBase::MakeTimestamp(QDateTime(QDate(2024, 1, 31), QTime(23, 59, 59, 999))), "20240131:86399.99"},
        TextCase{"Text_columns_compare_without_case", CDataBase::SqliteColumnType(QStringLiteral("Varchar(70)")), "TEXT(70) COLLATE NOCASE"},
        TextCase{"Bit_is_boolean", CDataBase::SqliteColumnType(QStringLiteral("Bit")), "BOOLEAN"},
        TextCase{"Memo_is_text", CDataBase::SqliteColumnType(QStringLiteral("MEMO")), "TEXT COLLATE NOCASE"},
        TextCase{"Index_names_carry_their_table", CDataBase::SqliteIndexName(QStringLiteral("USERS"), QStringLiteral("PrimaryKey")), "USERS_PrimaryKey"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SqlTextHelpers, MakeTimestampReadsTheClock)
{
    TestWorld world;
    world.clock().Set(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0, 250)));
    EXPECT_EQ(CDataBase::MakeTimestamp(), QStringLiteral("20240315:37800.25"));
}

TEST(SqlTextHelpers, TheSystemClockGivesStampsToTheHundredth)
{
    TestWorld world;
    ScopedAppContext scope(std::make_shared<AppContext>(std::make_shared<SystemClock>(),
                                                        std::make_shared<FakeUserInteraction>(),
                                                        world.Folder(), QStringLiteral("TESTPC")));
    const QDate before = QDate::currentDate();
    const QString stamp = CDataBase::MakeTimestamp();
    const QDate after = QDate::currentDate();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}:\\d*\\.\\d\\d$")).match(stamp).hasMatch())
        << stamp.toStdString();
    const QString day = stamp.left(8);
    EXPECT_TRUE(day == before.toString(QStringLiteral("yyyyMMdd")) ||
                day == after.toString(QStringLiteral("yyyyMMdd")));
}

TEST(SqlTextHelpers, FormatSQLDateTimeOfANonDateIsATypeMismatch)
{
    try {
        CDataBase::FormatSQLDateTime(QStringLiteral("soon"));
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::TypeMismatch);
    }
}

using SqlTextOnTheEngine = DatabaseTest;

TEST_F(SqlTextOnTheEngine, DateTextsCompareInTheStoredForm)
{
    for (const auto& [id, when] :
         {std::pair{"L1", QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59))},
          std::pair{"L2", QDateTime(QDate(2024, 1, 1), QTime(0, 0, 0))},
          std::pair{"L3", QDateTime(QDate(2024, 1, 31), QTime(23, 59, 59))},
          std::pair{"L4", QDateTime(QDate(2024, 2, 1), QTime(0, 0, 0))}}) {
        db.Execute(QStringLiteral("INSERT INTO Transmission_Log (LogId, Time_Of_Event) VALUES ('") +
                   QLatin1String(id) + QStringLiteral("', ") + CDataBase::FormatSQLDateTime(when) +
                   QLatin1Char(')'));
    }
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log"),
                        QStringLiteral("Time_Of_Event ") +
                            CDataBase::FormatSQLBetweenDates(QDate(2024, 1, 1), QDate(2024, 1, 31))),
              2);
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log"),
                        QStringLiteral("Time_Of_Event < ") + CDataBase::FormatSQLDate(QDate(2024, 1, 1))),
              1);
    EXPECT_EQ(CountRows(QStringLiteral("Transmission_Log"),
                        QStringLiteral("Time_Of_Event") +
                            CDataBase::FormatSQLDateTimeWhere(QDateTime(QDate(2024, 2, 1), QTime(0, 0)))),
              1);
}

TEST_F(SqlTextOnTheEngine, LikeAndEqualityIgnoreCase)
{
    db.Execute(QStringLiteral("INSERT INTO ENQUIRER (EnquirerId, EnqName) VALUES ('AB123', 'Smith & Co')"));
    db.Execute(QStringLiteral("INSERT INTO ENQUIRER (EnquirerId, EnqName) VALUES ('AB124', '50% off')"));
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRER"),
                        QStringLiteral("EnqName") + CDataBase::EscapeQuotesOrNullWhere(QStringLiteral("sm*"))),
              1);
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRER"),
                        QStringLiteral("EnquirerId") + CDataBase::EscapeQuotesOrNullWhere(QStringLiteral("ab123"))),
              1);
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRER"),
                        QStringLiteral("EnqName") + CDataBase::EscapeQuotesOrNullWhere(QStringLiteral("5*"))),
              1);
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRER"),
                        QStringLiteral("EnqName") + CDataBase::EscapeQuotesOrNullWhere(QStringLiteral("5%*"))),
              0);
    EXPECT_EQ(CountRows(QStringLiteral("ENQUIRER"),
                        QStringLiteral("IntermediaryId") + CDataBase::EscapeQuotesOrNullWhere(QString())),
              2);
}

} // namespace
