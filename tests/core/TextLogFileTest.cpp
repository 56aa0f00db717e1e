#include "core/TextLogFile.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QByteArray Stamp = "15/03/2024 10:30:00\t";

class TextLog : public ::testing::Test {
protected:
    QString Fixed() const { return world.PathOf("fixed.log"); }
    QByteArray Written() const { return ReadBytes(Fixed()); }

    TestWorld world;
};

TEST_F(TextLog, TenthMessageWritesTheBatchInADatedFile)
{
    TextLogFile log;
    log.SetDatedPathAndName(world.Folder(), "UpgradeLog");
    log.OpenLogFile();
    for (int i = 1; i <= 9; ++i)
        log.WriteToLog(QStringLiteral("step %1").arg(i));
    EXPECT_EQ(log.GetPathAndName(), QString());
    EXPECT_EQ(QDir(world.Folder()).entryList(QDir::Files), QStringList());

    world.clock().Advance(5);
    log.WriteToLog("step 10");
    const QString file = world.PathOf("UpgradeLog240315.LOG");
    EXPECT_EQ(log.GetPathAndName(), file);
    QByteArray expected;
    for (int i = 1; i <= 9; ++i)
        expected += Stamp + "step " + QByteArray::number(i) + "\r\n";
    expected += "15/03/2024 10:30:05\tstep 10\r\n";
    EXPECT_EQ(ReadBytes(file), expected);

    log.WriteToLog("step 11");
    EXPECT_EQ(ReadBytes(file), expected);
    log.CloseLogFile();
    EXPECT_EQ(ReadBytes(file), expected + "15/03/2024 10:30:05\tstep 11\r\n");
    EXPECT_FALSE(log.IsOpen());
}

TEST_F(TextLog, ABatchGoesToTheDayOfItsFirstEntry)
{
    world.clock().Set(QDateTime(QDate(2024, 3, 5), QTime(23, 59, 59)));
    TextLogFile log;
    log.SetDatedPathAndName(world.Folder() + "/", "Up");
    log.OpenLogFile();
    log.WriteToLog("before midnight");
    world.clock().Advance(2);
    log.WriteToLog("after midnight");
    log.CloseLogFile();
    EXPECT_EQ(log.GetPathAndName(), world.PathOf("Up240305.LOG"));
    EXPECT_EQ(ReadBytes(world.PathOf("Up240305.LOG")),
              QByteArray("05/03/2024 23:59:59\tbefore midnight\r\n"
                         "06/03/2024 00:00:01\tafter midnight\r\n"));

    log.OpenLogFile(); // reopened: the next day's file
    log.WriteToLog("next day");
    log.CloseLogFile();
    EXPECT_EQ(log.GetPathAndName(), world.PathOf("Up240306.LOG"));
}

TEST_F(TextLog, MessageWrittenCarriesIdStampAndTextButNotWhenClosed)
{
    TextLogFile log;
    QStringList seen;
    QObject::connect(&log, &TextLogFile::MessageWritten,
                     [&](const QString& id, const QString& stamp, const QString& message) {
                         seen << id << stamp << message;
                     });
    log.SetID("upgrade");
    log.SetPathAndName(Fixed());
    log.WriteToLog("dropped");
    log.CloseLogFile();
    EXPECT_FALSE(QFile::exists(Fixed()));
    EXPECT_EQ(log.GetPathAndName(), QString());

    log.SetBufferSize(1); // lines take the format in force when written out
    log.OpenLogFile(Fixed());
    log.WriteToLog("one");
    log.SetTimeStampFormat("");
    log.WriteToLog("two");
    EXPECT_EQ(seen, QStringList({"upgrade", "15/03/2024 10:30:00", "one", "upgrade", "", "two"}));
    log.CloseLogFile();
    EXPECT_EQ(Written(), Stamp + "one\r\ntwo\r\n");
}

TEST_F(TextLog, MessagesHoldingTheSeparatorAreQuoted)
{
    TextLogFile log;
    log.OpenLogFile(Fixed());
    log.SetBufferSize(1);
    log.SetTimeStampFormat("hh:nn");
    log.WriteToLog("a\tb \"c\"");
    log.SetSeparator("\t"); // without the flag: bare
    log.WriteToLog("a\tb");
    log.SetSeparator(" | ", true);
    log.WriteToLog("x | y");
    log.WriteToLog("x y");
    log.CloseLogFile();
    EXPECT_EQ(Written(), QByteArray("10:30\t\"a\tb \"c\"\"\r\n10:30\ta\tb\r\n"
                                    "10:30 | \"x | y\"\r\n10:30 | x y\r\n"));
}

TEST_F(TextLog, AppendsAndErasesAFixedFileButNeverADatedOne)
{
    WriteBytes(Fixed(), "earlier\r\n");
    TextLogFile log;
    log.SetDatedPathAndName(world.Folder(), "Dated");
    log.OpenLogFile(Fixed()); // a name makes it a fixed-file log
    log.SetBufferSize(1);
    log.WriteToLog("now");
    EXPECT_EQ(Written(), "earlier\r\n" + Stamp + "now\r\n");
    log.SetBufferSize(3);
    log.WriteToLog("buffered");
    log.EraseLogFile();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_FALSE(QFile::exists(Fixed()));
    log.EraseLogFile(); // nothing left to erase: no harm

    TextLogFile dated;
    dated.SetDatedPathAndName(world.Folder(), "Dated");
    dated.OpenLogFile();
    dated.WriteToLog("kept");
    dated.EraseLogFile();
    EXPECT_TRUE(dated.IsOpen());
    dated.CloseLogFile();
    EXPECT_TRUE(QFile::exists(world.PathOf("Dated240315.LOG")));
}

TEST_F(TextLog, ReleasingAnOpenLogFlushesIt)
{
    {
        TextLogFile log;
        log.OpenLogFile(Fixed());
        log.WriteToLog("last words");
    }
    EXPECT_EQ(Written(), Stamp + "last words\r\n");
}

TEST_F(TextLog, AnUnwritableFileLosesTheBatchButNotTheLog)
{
    WriteBytes(world.PathOf("plain"), "a file, not a folder");
    TextLogFile log;
    log.SetBufferSize(1);
    log.OpenLogFile(world.PathOf("plain/fixed.log"));
    log.WriteToLog("lost");
    EXPECT_EQ(log.GetPathAndName(), world.PathOf("plain/fixed.log"));
    EXPECT_TRUE(log.IsOpen());
    log.SetPathAndName(Fixed());
    log.WriteToLog("kept");
    EXPECT_EQ(Written(), Stamp + "kept\r\n");
}

TEST_F(TextLog, AWriteFromInsideAWriteWaitsThenIsDropped)
{
    // A stopwatch clock that moves on by itself, so waits end without waiting.
    auto now = std::make_shared<int64_t>(0);
    TextLogFile log([now] { return *now += 50; });
    bool nested = false;
    QObject::connect(&log, &TextLogFile::MessageWritten, [&] {
        if (nested)
            return;
        nested = true;
        log.WriteToLog("from the handler");
    });
    log.OpenLogFile(Fixed());
    log.WriteToLog("outer");
    log.CloseLogFile();
    EXPECT_EQ(Written(), Stamp + "outer\r\n");
    // Twenty waits of 200 ms, events pumped all along.
    EXPECT_GE(world.ui().pumps, 20);
}

TEST_F(TextLog, DatedNameWithoutAFolderIsThePrefixAlone)
{
    TextLogFile log;
    log.SetDatedPathAndName("", "Prefix");
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(world.Folder()));
    log.OpenLogFile();
    log.WriteToLog("here");
    log.CloseLogFile();
    QDir::setCurrent(saved);
    EXPECT_EQ(log.GetPathAndName(), QString("Prefix240315.LOG"));
    EXPECT_TRUE(QFile::exists(world.PathOf("Prefix240315.LOG")));
}

} // namespace
