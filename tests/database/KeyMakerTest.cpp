#include "support/DatabaseTest.h"

#include "database/SimpleDBkeyMaker.h"

#include <QFile>
#include <QSet>
#include <QTextStream>

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct FormatCase {
    const char* name;
    const char* prefix;
    int32_t keyLength;
    int64_t number;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.name;
}

class KeyFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(KeyFormat, PadsTheNumberToTheKeyLength)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(SimpleDBkeyMaker::FormatKey(QLatin1String(c.prefix), c.keyLength, c.number),
              QLatin1String(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    SimpleDBkeyMaker, KeyFormat,
    ::testing::Values(FormatCase{"One", "L", 8, 1, "L0000001"},
                      FormatCase{"Example", "L", 8, 124, "L0000124"},
                      FormatCase{"All_eight_digits", "L", 9, 10000000, "L10000000"},
                      FormatCase{"Longer_number_written_whole", "L", 8, 10000000, "L10000000"},
                      FormatCase{"Prefix_filling_the_length", "ABC", 3, 7, "ABC7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyFormat, AKeyLengthShorterThanThePrefixIsRefused)
{
    EXPECT_THROW(SimpleDBkeyMaker::FormatKey(QStringLiteral("ABC"), 2, 1), NevixError);
}

using KeyMaker = DatabaseTest;

TEST_F(KeyMaker, DrawsKeysInTurnAndMovesTheCounterOn)
{
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("Transmission_Log")), QStringLiteral("L0000000001"));
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("transmission_log")), QStringLiteral("L0000000002"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME='Transmission_Log'")).toInt(), 3);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(KeyMaker, AGivenNumberIsUsedAndTheCounterGoesOnFromIt)
{
    db.Execute(QStringLiteral("UPDATE TKEYS SET KEYVALUE=900 WHERE TABLENAME='SCHEDULER'"));
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("SCHEDULER"), 500), QStringLiteral("S0000000500"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME='SCHEDULER'")).toInt(), 501);
}

TEST_F(KeyMaker, ATableWithoutCounterFailsAndChangesNothing)
{
    const QVariant before = Scalar(QStringLiteral("SELECT group_concat(KEYVALUE) FROM TKEYS"));
    try {
        db.KeyMaker().GenerateKey(QStringLiteral("NO_SUCH_TABLE"));
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::NoKeys);
        EXPECT_EQ(e.Source(), QStringLiteral("GenerateKey"));
        EXPECT_EQ(e.Description(), QStringLiteral("No Keys in TKEYS"));
    }
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(KEYVALUE) FROM TKEYS")), before);
    EXPECT_EQ(db.TransactionCount(), 0);
}

TEST_F(KeyMaker, ACounterAtTheLargestNumberOverflowsWithoutWriting)
{
    db.Execute(QStringLiteral("UPDATE TKEYS SET KEYVALUE=2147483647 WHERE TABLENAME='SCHEDULER'"));
    try {
        db.KeyMaker().GenerateKey(QStringLiteral("SCHEDULER"));
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::Overflow);
    }
    EXPECT_EQ(Scalar(QStringLiteral("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME='SCHEDULER'")).toLongLong(),
              2147483647);
}

TEST_F(KeyMaker, GuidsLeaveTheCountersAlone)
{
    const QVariant before = Scalar(QStringLiteral("SELECT group_concat(KEYVALUE) FROM TKEYS"));
    const QString guid = db.KeyMaker().GenerateKeyGUID(QStringLiteral("USERS"), 5);
    EXPECT_EQ(guid.size(), 38);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(KEYVALUE) FROM TKEYS")), before);
}

TEST_F(KeyMaker, ACounterMovedInsideARolledBackTransactionGoesBack)
{
    db.BeginTrans();
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("USERS")), QStringLiteral("U0000000003"));
    db.Rollback();
    EXPECT_EQ(db.KeyMaker().GenerateKey(QStringLiteral("USERS")), QStringLiteral("U0000000003"));
}

TEST_F(KeyMaker, TwoInstallationsDrawingInTurnNeverRepeatAKey)
{
    auto other = Other();
    other->SetIsSingleUserConnection(true); // one open file, one closing after each key
    QSet<QString> keys;
    for (int i = 0; i < 50; ++i) {
        keys.insert(db.KeyMaker().GenerateKey(QStringLiteral("VQ3_Enquiries")));
        keys.insert(other->KeyMaker().GenerateKey(QStringLiteral("VQ3_Enquiries")));
    }
    EXPECT_EQ(keys.size(), 100);
    EXPECT_TRUE(keys.contains(QStringLiteral("Q0000000100")));
}

// Two processes drawing at the same time, each waiting for the other's lock.
TEST_F(KeyMaker, TwoProcessesDrawingAtOnceNeverRepeatAKey)
{
    constexpr int Draws = 200;
    const QString childFile = world.PathOf(QStringLiteral("child-keys.txt"));
    auto draw = [this](QStringList& out) {
        CDataBase mine;
        ConnectTo(mine, path);
        mine.SetBusyRetry(30000, 1);
        for (int i = 0; i < Draws; ++i)
            out << mine.KeyMaker().GenerateKey(QStringLiteral("VQ7_Responses"));
    };
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        int status = 1;
        try {
            QStringList keys;
            draw(keys);
            QFile file(childFile);
            if (file.open(QIODevice::WriteOnly)) {
                file.write(keys.join(QLatin1Char('\n')).toUtf8());
                status = 0;
            }
        } catch (...) {
        }
        _exit(status);
    }
    QStringList mine;
    draw(mine);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    QFile file(childFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList theirs = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QSet<QString> all(mine.begin(), mine.end());
    all.unite(QSet<QString>(theirs.begin(), theirs.end()));
    EXPECT_EQ(all.size(), 2 * Draws);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME='VQ7_Responses'")).toInt(),
              2 * Draws + 1);
}

} // namespace
