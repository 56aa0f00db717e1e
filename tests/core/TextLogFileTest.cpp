#include "core/TextLogFile.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// A stopwatch clock that moves on by itself, so waits end without waiting.
CStopWatch::TickSource RunningTicks()
{
    auto now = std::make_shared<int64_t>(0);
    return [now] { return *now += 50; };
}

TEST(TextLogFile, TenthMessageWritesTheBatchInADatedFile)
{
    TestWorld world;
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
        expected += QByteArray("15/03/2024 10:30:00\tstep ") + QByteArray::number(i) + "\r\n";
    expected += "15/03/2024 10:30:05\tstep 10\r\n";
    EXPECT_EQ(ReadBytes(file), expected);

    log.WriteToLog("step 11");
    EXPECT_EQ(ReadBytes(file), expected);
    log.CloseLogFile();
    EXPECT_EQ(ReadBytes(file), expected + "15/03/2024 10:30:05\tstep 11\r\n");
    EXPECT_FALSE(log.IsOpen());
}

TEST(TextLogFile, ABatchGoesToTheDayOfItsFirstEntry)
{
    TestWorld world;
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

TEST(TextLogFile, ClosedLogDropsMessagesAndRaisesNoEvent)
{
    TestWorld world;
    TextLogFile log;
    int events = 0;
    QObject::connect(&log, &TextLogFile::MessageWritten, [&] { ++events; });
    log.SetPathAndName(world.PathOf("fixed.log"));
    log.WriteToLog("dropped");
    log.CloseLogFile();
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(QFile::exists(world.PathOf("fixed.log")));
    EXPECT_EQ(log.GetPathAndName(), QString());
}

TEST(TextLogFile, MessageWrittenCarriesIdStampAndText)
{
    TestWorld world;
    TextLogFile log;
    QStringList seen;
    QObject::connect(&log, &TextLogFile::MessageWritten,
                     [&](const QString& id, const QString& stamp, const QString& message) {
                         seen << id << stamp << message;
                     });
    log.SetID("upgrade");
    log.SetBufferSize(1); // lines take the format in force when written out
    log.OpenLogFile(world.PathOf("fixed.log"));
    log.WriteToLog("one");
    log.SetTimeStampFormat("");
    log.WriteToLog("two");
    EXPECT_EQ(seen, QStringList({"upgrade", "15/03/2024 10:30:00", "one", "upgrade", "", "two"}));
    log.CloseLogFile();
    EXPECT_EQ(ReadBytes(world.PathOf("fixed.log")),
              QByteArray("15/03/2024 10:30:00\tone\r\ntwo\r\n"));
}

TEST(TextLogFile, MessagesHoldingTheSeparatorAreQuoted)
{
    TestWorld world;
    TextLogFile log;
    log.OpenLogFile(world.PathOf("fixed.log"));
    log.SetBufferSize(1);
    log.SetTimeStampFormat("hh:nn");
    log.WriteToLog("a\tb \"c\"");
    log.SetSeparator("\t"); // without the flag: bare
    log.WriteToLog("a\tb");
    log.SetSeparator(" | ", true);
    log.WriteToLog("x | y");
    log.WriteToLog("x y");
    log.CloseLogFile();
    EXPECT_EQ(ReadBytes(world.PathOf("fixed.log")), QByteArray("10:30\t\"a\tb \"c\"\"\r\n"
                                                               "10:30\ta\tb\r\n"
                                                               "10:30 | \"x | y\"\r\n"
                                                               "10:30 | x y\r\n"));
    EXPECT_EQ(log.Separator(), QString(" | "));
}

TEST(TextLogFile, AppendsAndErasesAFixedFile)
{
    TestWorld world;
    const QString path = world.PathOf("fixed.log");
    WriteBytes(path, "earlier\r\n");
    TextLogFile log;
    log.SetDatedPathAndName(world.Folder(), "Dated");
    log.OpenLogFile(path); // a name makes it a fixed-file log
    log.SetBufferSize(1);
    log.WriteToLog("now");
    EXPECT_EQ(ReadBytes(path), QByteArray("earlier\r\n15/03/2024 10:30:00\tnow\r\n"));
    log.SetBufferSize(3);
    log.WriteToLog("buffered");
    log.EraseLogFile();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_FALSE(QFile::exists(path));
    log.EraseLogFile(); // nothing left to erase: no harm
}

TEST(TextLogFile, ADatedLogIsNeverErased)
{
    TestWorld world;
    TextLogFile log;
    log.SetDatedPathAndName(world.Folder(), "Dated");
    log.OpenLogFile();
    log.WriteToLog("kept");
    log.EraseLogFile();
    EXPECT_TRUE(log.IsOpen());
    log.CloseLogFile();
    EXPECT_TRUE(QFile::exists(world.PathOf("Dated240315.LOG")));
}

TEST(TextLogFile, ReleasingAnOpenLogFlushesIt)
{
    TestWorld world;
    {
        TextLogFile log;
        log.OpenLogFile(world.PathOf("fixed.log"));
        log.WriteToLog("last words");
    }
    EXPECT_EQ(ReadBytes(world.PathOf("fixed.log")),
              QByteArray("15/03/2024 10:30:00\tlast words\r\n"));
}

TEST(TextLogFile, AnUnwritableFileLosesTheBatchButNotTheLog)
{
    TestWorld world;
    WriteBytes(world.PathOf("plain"), "a file, not a folder");
    TextLogFile log;
    log.SetBufferSize(1);
    log.OpenLogFile(world.PathOf("plain/fixed.log"));
    log.WriteToLog("lost");
    EXPECT_EQ(log.GetPathAndName(), world.PathOf("plain/fixed.log"));
    EXPECT_TRUE(log.IsOpen());
    log.SetPathAndName(world.PathOf("fixed.log"));
    log.WriteToLog("kept");
    EXPECT_EQ(ReadBytes(world.PathOf("fixed.log")), QByteArray("15/03/2024 10:30:00\tkept\r\n"));
}

TEST(TextLogFile, AWriteFromInsideAWriteWaitsThenIsDropped)
{
    TestWorld world;
    TextLogFile log(RunningTicks());
    bool nested = false;
    QObject::connect(&log, &TextLogFile::MessageWritten, [&] {
        if (nested)
            return;
        nested = true;
        log.WriteToLog("from the handler");
    });
    log.OpenLogFile(world.PathOf("fixed.log"));
    log.WriteToLog("outer");
    log.CloseLogFile();
    EXPECT_EQ(ReadBytes(world.PathOf("fixed.log")), QByteArray("15/03/2024 10:30:00\touter\r\n"));
    // Twenty waits of 200 ms, events pumped all along.
    EXPECT_GE(world.ui().pumps, 20);
}

TEST(TextLogFile, DatedNameWithoutAFolderIsThePrefixAlone)
{
    TestWorld world;
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
