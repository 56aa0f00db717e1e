#include "support/DatabaseTest.h"

#include "core/LoggingGlobals.h"
#include "database/LogLines.h"
#include "database/SaveLogToFile.h"
#include "database/SqliteError.h"
#include "support/DiskFault.h"
#include "support/FileBytes.h"
#include "support/KeeperFiles.h"

#include <QDir>

namespace {

class TransmissionLog : public DatabaseTest {
protected:
    TransmissionLog()
    {
        log.SetDataSource(&db);
        QObject::connect(&log, &LogLines::LogLineAdded,
                         [this](const std::shared_ptr<LogLine>& line, int32_t when) {
                             events << QStringLiteral("%1:%2").arg(when).arg(line->EventCode());
                         });
    }

    // One run of a start line, the given lines and an end line.
    void Run(const QDateTime& at, std::initializer_list<int32_t> codes)
    {
        world.clock().Set(at);
        log.BeginLogging(ProcessCodes::TBLMAINT, "Table Maintenance", "ANNE");
        for (const int32_t code : codes)
            log.AddToLog(code, "line");
        log.EndLogging();
    }

    LogLines log;
    QStringList events;
};

TEST_F(TransmissionLog, ARunIsStoredStartFirstAndTheRestAtItsEnd)
{
    log.AddToLog(256, "before the run: lost");
    log.EndLogging();
    log.LoadMostRecent(); // an empty table
    EXPECT_EQ(log.GetLogHeader(), nullptr);
    EXPECT_EQ(log.ErrorCount(), 0);

    Run(QDateTime(QDate(2024, 3, 14), QTime(9, 0)), {}); // run 1: lines L1 and L2
    const QString longText(300, 'x');
    log.BeginLogging(ProcessCodes::COMRUN, "Send and receive", "ANNE");
    EXPECT_EQ(log.GetLogHeader()->RunNumber(), 3) << "the start line's key number";
    EXPECT_EQ(CountRows("Transmission_Log", "Run_Number=3"), 1);

    for (const int32_t code : {128, 128, 256, 512, 32, 64})
        log.AddToLog(code, code == 256 ? longText : "line");
    EXPECT_EQ(CountRows("Transmission_Log"), 3) << "added lines wait for the end";
    EXPECT_EQ(log.WarningCount(), 2);
    EXPECT_EQ(log.ErrorCount(), 1);
    EXPECT_EQ(log.FatalCount(), 1);
    EXPECT_EQ(log.AllErrorsCount(), 2);
    EXPECT_EQ(log.Item(2)->ToString("\t"), "2024-03-14 09:00:00\tCOMRUN\t3\tANNE\tW\tline");
    EXPECT_THROW(log.AddToLog(32768, "too big"), NevixError);

    log.EndLogging();
    EXPECT_EQ(CountRows("Transmission_Log", "Run_Number=3"), 8);
    EXPECT_EQ(Scalar("SELECT length(Event_Text) FROM Transmission_Log WHERE Event_Code=256").toInt(), 255);
    EXPECT_EQ(log.Find(log.Item(4)->LogId())->EventText().size(), 300) << "memory keeps it all";
    EXPECT_EQ(events.mid(2), QStringList({"0:8", "1:128", "1:128", "1:256", "1:512", "1:32", "1:64", "2:16"}));

    LogLines loaded;
    loaded.SetDataSource(&db);
    EXPECT_EQ(loaded.GetLastRunNumber(), 3);
    loaded.LoadMostRecent();
    ASSERT_EQ(loaded.Count(), 8);
    EXPECT_EQ(loaded.GetLogHeader()->EventCode(), 8);
    EXPECT_EQ(loaded.Item(8)->EventText(), "Send and receive");
    EXPECT_EQ(loaded.Item(8)->ComputerName(), "TESTPC");
    EXPECT_EQ(loaded.CountWithoutLoading(), 10);
}

TEST_F(TransmissionLog, ARunEndsOnceHoweverManyOfItsUsersEndIt)
{
    log.BeginLogging(ProcessCodes::TBLMAINT, "Table Maintenance", "ANNE");
    EXPECT_TRUE(log.IsLogging());
    log.EndLogging();
    EXPECT_FALSE(log.IsLogging());
    log.EndLogging();
    EXPECT_EQ(CountRows("Transmission_Log", "Event_Code=16"), 1);
    log.BeginLogging(ProcessCodes::TBLMAINT, "Table Maintenance", "ANNE");
    log.EndLogging();
    EXPECT_EQ(CountRows("Transmission_Log", "Event_Code=16"), 2) << "the next run ends too";
}

TEST_F(TransmissionLog, AStartLineThatCannotBeStoredLeavesAnUnsavedHeader)
{
    db.Execute("DELETE FROM TKEYS WHERE TABLENAME='Transmission_Log'");
    EXPECT_THROW(log.BeginLogging(ProcessCodes::TBLMAINT, "x", "ANNE"), NevixError);
    EXPECT_TRUE(log.GetLogHeader()->IsNew());
    EXPECT_EQ(log.GetLogHeader()->RunNumber(), 0);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(TransmissionLog, LinesAreLoadedAndPurgedByDay)
{
    Run(QDateTime(QDate(2024, 3, 12), QTime(23, 59, 59)), {32});
    Run(QDateTime(QDate(2024, 3, 13), QTime(0, 0)), {});
    Run(QDateTime(QDate(2024, 3, 14), QTime(12, 0)), {});

    LogLines loaded;
    loaded.SetDataSource(&db);
    loaded.LoadFromDate(QDateTime(QDate(2024, 3, 13), QTime(0, 0)));
    EXPECT_EQ(loaded.Count(), 4);
    loaded.Load();
    EXPECT_EQ(loaded.Count(), 7);

    EXPECT_EQ(log.RemoveLogLines(QDateTime(QDate(2024, 3, 13), QTime(18, 0))), 3);
    EXPECT_EQ(log.RemoveLogLines(QDateTime(QDate(2024, 3, 13), QTime(18, 0))), 0);
    EXPECT_EQ(CountRows("Transmission_Log"), 4);
}

TEST_F(TransmissionLog, SavedLogHasOneTabbedLinePerLogLine)
{
    Run(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 5)), {128});
    SaveLogToFile(log.NewEnum());
    const QString file = world.PathOf("Log-20240315103005.log");
    EXPECT_EQ(ReadBytes(file),
              "2024-03-15 10:30:05\tTBLMAINT\t1\tANNE\tStart\tTable Maintenance\r\n"
              "2024-03-15 10:30:05\tTBLMAINT\t1\tANNE\tW\tline\r\n"
              "2024-03-15 10:30:05\tTBLMAINT\t1\tANNE\tEnd\tTable Maintenance\r\n");
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, "Log saved to: \r" + file);
    EXPECT_EQ(world.ui().boxes[0].style, MsgBox::Information);

    // A folder in the file's place cannot be replaced.
    world.clock().Advance(1);
    ASSERT_TRUE(QDir(world.Folder()).mkdir("Log-20240315103006.log"));
    SaveLogToFile(log.NewEnum());
    ASSERT_EQ(world.ui().boxes.size(), 2);
    EXPECT_TRUE(world.ui().boxes[1].text.startsWith("Error saving log file\r"));
    EXPECT_EQ(world.ui().boxes[1].style & MsgBox::IconMask, MsgBox::Exclamation);

    // A disk that fills part-way leaves no half log behind, and says so.
    world.clock().Advance(1);
    const QString full = world.PathOf("Log-20240315103007.log");
    {
        DiskFault fault("Log-20240315103007.log", AtomicFile::Step::Write, ENOSPC, 30);
        SaveLogToFile(log.NewEnum());
    }
    EXPECT_FALSE(QFile::exists(full));
    ASSERT_EQ(world.ui().boxes.size(), 3);
    EXPECT_EQ(world.ui().boxes[2].text, "Error saving log file\r" + full + ": No space left on device");
}

TEST_F(TransmissionLog, ASavedLogIsForOwnerAndGroupAndNeverGoesThroughALink)
{
    const ScopedUmask mask(022);
    Run(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 5)), {128});
    const QString link = world.PathOf("Log-20240315103005.log");
    ASSERT_TRUE(QFile::link(world.PathOf("gone.log"), link));
    SaveLogToFile(log.NewEnum());
    EXPECT_EQ(QFile::symLinkTarget(link), world.PathOf("gone.log"));
    EXPECT_FALSE(QFile::exists(world.PathOf("gone.log")));
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, "Error saving log file\r" + link +
                                            ": A symbolic link has that name; it is never written through");

    world.clock().Advance(1);
    SaveLogToFile(log.NewEnum());
    EXPECT_EQ(ModeOf(world.PathOf("Log-20240315103006.log")), 0660);
}

// A text from the service, a file or a box reaches the log as one line.
TEST_F(TransmissionLog, ControlCharactersAndLineBreaksOfATextBecomeBlanks)
{
    const struct {
        const char* name;
        QString text;
        QString stored;
    } cases[] = {
        {"CR LF", "Service said:\r\nline two", "Service said: line two"},
        {"LF and CR alone", "a\nb\rc", "a b c"},
        {"TAB", "a\tb", "a b"},
        {"other controls", QString("a") + QChar(1) + QChar(0x1b) + QChar(0x7f) + "b", "a   b"},
        {"next line", QString("a") + QChar(0x85) + "b", "a b"},
        {"line and paragraph separators", QString("a") + QChar(0x2028) + "b" + QChar(0x2029) + "c", "a b c"},
        {"printable text", QString::fromUtf8("Zoë – 1 £"), QString::fromUtf8("Zoë – 1 £")},
    };
    log.BeginLogging(ProcessCodes::TBLMAINT, "Table Maintenance", "ANNE");
    for (const auto& c : cases)
        log.AddToLog(EventCodes::Error, c.text);
    log.EndLogging();

    LogLines loaded;
    loaded.SetDataSource(&db);
    loaded.LoadMostRecent();
    ASSERT_EQ(loaded.Count(), int(std::size(cases)) + 2);
    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(loaded.Item(i + 2)->EventText(), cases[i].stored) << cases[i].name;
}

} // namespace
