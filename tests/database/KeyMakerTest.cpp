#include "support/DatabaseTest.h"

#include "database/SimpleDBkeyMaker.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QSet>

#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(KeyFormat, PadsTheNumberToTheKeyLength)
{
    const std::tuple<const char*, int32_t, int64_t, const char*> cases[] = {
        {"L", 8, 1, "L0000001"}, {"L", 8, 124, "L0000124"}, {"L", 9, 10000000, "L10000000"},
        {"L", 8, 10000000, "L10000000"}, // a longer number is written whole
        {"ABC", 3, 7, "ABC7"},           // a prefix filling the length
    };
    for (const auto& [prefix, length, number, expected] : cases)
        EXPECT_EQ(SimpleDBkeyMaker::FormatKey(prefix, length, number), QLatin1String(expected));
    EXPECT_THROW(SimpleDBkeyMaker::FormatKey("ABC", 2, 1), NevixError) << "a length shorter than the prefix";
}

class KeyMaker : public DatabaseTest {
protected:
    QVariant Counters() const { return Scalar("SELECT group_concat(KEYVALUE) FROM TKEYS"); }
    int64_t Counter(const char* table) const
    {
        return Scalar("SELECT KEYVALUE FROM TKEYS WHERE TABLENAME=?", {table}).toLongLong();
    }
};

TEST_F(KeyMaker, DrawsKeysInTurnAndMovesTheCounterOn)
{
    EXPECT_EQ(db.KeyMaker().GenerateKey("Transmission_Log"), "L0000000001");
    EXPECT_EQ(db.KeyMaker().GenerateKey("transmission_log"), "L0000000002");
    EXPECT_EQ(Counter("Transmission_Log"), 3);
    EXPECT_EQ(db.TransactionCount(), 0);

    db.Execute("UPDATE TKEYS SET KEYVALUE=900 WHERE TABLENAME='SCHEDULER'");
    EXPECT_EQ(db.KeyMaker().GenerateKey("SCHEDULER", 500), "S0000000500") << "a given number";
    EXPECT_EQ(Counter("SCHEDULER"), 501);

    const QVariant before = Counters();
    EXPECT_EQ(db.KeyMaker().GenerateKeyGUID("USERS", 5).size(), 38);
    EXPECT_EQ(Counters(), before) << "GUIDs leave the counters alone";

    db.BeginTrans();
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000003");
    db.Rollback();
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000003") << "rolled back with its transaction";
}

TEST_F(KeyMaker, AMissingOrFullCounterFailsAndChangesNothing)
{
    db.Execute("UPDATE TKEYS SET KEYVALUE=2147483647 WHERE TABLENAME='SCHEDULER'");
    const QVariant before = Counters();
    try {
        db.KeyMaker().GenerateKey("NO_SUCH_TABLE");
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::NoKeys);
        EXPECT_EQ(e.Source(), "GenerateKey");
        EXPECT_EQ(e.Description(), "No Keys in TKEYS");
    }
    try {
        db.KeyMaker().GenerateKey("SCHEDULER");
        FAIL();
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::Overflow);
    }
    EXPECT_EQ(Counters(), before);
    EXPECT_EQ(db.TransactionCount(), 0);
}

// A block taken for a save leaves the counter where drawing key by key
// would have: the numbers not handed out go back, a named number ends the
// block, a rollback takes it all back, a counter near its end refuses it.
TEST_F(KeyMaker, AReservedBlockLeavesTheCounterAsKeyByKeyDrawsWould)
{
    db.Execute("UPDATE TKEYS SET KEYVALUE=10 WHERE TABLENAME='USERS'");
    db.BeginTrans();
    ASSERT_TRUE(db.KeyMaker().Reserve("USERS", 3));
    EXPECT_EQ(db.KeyMaker().GenerateKey("users"), "U0000000010");
    EXPECT_EQ(db.KeyMaker().GenerateKey("Transmission_Log"), "L0000000001") << "other counters draw alone";
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000011");
    db.KeyMaker().EndReserve();
    db.CommitTrans();
    EXPECT_EQ(Counter("USERS"), 12) << "the unused number is given back";
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000012");

    db.BeginTrans();
    ASSERT_TRUE(db.KeyMaker().Reserve("USERS", 3));
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000013");
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS", 500), "U0000000500");
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000501");
    db.KeyMaker().EndReserve(); // nothing left to give back
    db.CommitTrans();
    EXPECT_EQ(Counter("USERS"), 502);

    db.BeginTrans();
    ASSERT_TRUE(db.KeyMaker().Reserve("USERS", 5));
    EXPECT_FALSE(db.KeyMaker().Reserve("SCHEDULER", 2)) << "one block at a time";
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000502");
    db.Rollback();
    db.KeyMaker().DropReserve();
    EXPECT_EQ(Counter("USERS"), 502);
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U0000000502");

    db.Execute("UPDATE TKEYS SET KEYVALUE=2147483645 WHERE TABLENAME='USERS'");
    db.BeginTrans();
    EXPECT_FALSE(db.KeyMaker().Reserve("USERS", 3));
    EXPECT_TRUE(db.KeyMaker().Reserve("USERS", 2)) << "the last two numbers";
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U2147483645");
    EXPECT_EQ(db.KeyMaker().GenerateKey("USERS"), "U2147483646");
    EXPECT_THROW(db.KeyMaker().GenerateKey("USERS"), NevixError);
    db.CommitTrans();
    EXPECT_EQ(Counter("USERS"), 2147483647);
}

TEST_F(KeyMaker, TwoInstallationsDrawingInTurnNeverRepeatAKey)
{
    auto other = Other();
    other->SetIsSingleUserConnection(true); // one open file, one closing after each key
    QSet<QString> keys;
    for (int i = 0; i < 50; ++i) {
        keys.insert(db.KeyMaker().GenerateKey("VQ3_Enquiries"));
        keys.insert(other->KeyMaker().GenerateKey("VQ3_Enquiries"));
    }
    EXPECT_EQ(keys.size(), 100);
    EXPECT_TRUE(keys.contains("Q0000000100"));
}

// Two processes drawing at the same time, each waiting for the other's lock.
TEST_F(KeyMaker, TwoProcessesDrawingAtOnceNeverRepeatAKey)
{
    constexpr int Draws = 200;
    const QString childFile = world.PathOf("child-keys.txt");
    auto draw = [this](QStringList& out) {
        CDataBase mine;
        ConnectTo(mine, path);
        mine.SetBusyRetry(30000, 1);
        for (int i = 0; i < Draws; ++i)
            out << mine.KeyMaker().GenerateKey("VQ7_Responses");
    };
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        int status = 1;
        try {
            QStringList keys;
            draw(keys);
            QFile file(childFile);
            if (file.open(QIODevice::WriteOnly) && file.write(keys.join('\n').toUtf8()) > 0)
                status = 0;
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
    const QStringList theirs = QString::fromUtf8(ReadBytes(childFile)).split('\n');
    QSet<QString> all(mine.begin(), mine.end());
    all.unite(QSet<QString>(theirs.begin(), theirs.end()));
    EXPECT_EQ(all.size(), 2 * Draws);
    EXPECT_EQ(Counter("VQ7_Responses"), 2 * Draws + 1);
}

} // namespace
