// The program itself, started with "/immediate" or "/autostart" on a program folder of the
// standard fixture, against the stand-in service on loopback.
#include "StandardFixture.h"
#include "support/TestWorld.h"

#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "database/CDataBase.h"
#include "database/CommsLock.h"
#include "database/DatabaseSchema.h"
#include "database/RecordSet.h"
#include "database/SqliteConnection.h"
#include "platform/ConsoleUserInteraction.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int ProgramLimitMilliseconds = 60000;

// The stand-in service as its own program, on a free port.
class StandInProcess {
public:
    StandInProcess()
    {
        m_process.start(QStringLiteral(NEVIX_SERVICE_TOOL), {QStringLiteral("--port"), QStringLiteral("0")});
        while (m_url.isEmpty() && m_process.waitForReadyRead(10000)) {
            const QString line = QString::fromUtf8(m_process.readLine());
            const auto match = QRegularExpression(QStringLiteral("NevixHost=(\\S+)")).match(line);
            if (match.hasMatch())
                m_url = match.captured(1);
        }
    }
    ~StandInProcess() { Stop(); }

    QString Url() const { return m_url; }
    void Stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    // The message types of the requests it received since it started.
    QStringList Requests()
    {
        m_process.waitForReadyRead(100);
        return QString::fromUtf8(m_process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QProcess m_process;
    QString m_url;
};

class UnattendedStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = Fixture::Standard(world.Folder(), QDateTime::currentDateTime());
        ASSERT_FALSE(service.Url().isEmpty()) << "the stand-in service did not start";
        Settings().Load();
        Settings().SetNevixHost(service.Url());
    }

    // Starts the program in the program folder (the fixture's unless
    // given) with the switch.
    void StartProgram(QProcess& program, const QString& onSwitch, const QString& programFolder = {})
    {
        Settings().Apply();
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("NEVIX_HOME"), programFolder.isEmpty() ? world.Folder() : programFolder);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(NEVIX_PROGRAM), {onSwitch});
    }

    // Runs the program in the folder with "/immediate"; its exit code, -1
    // when it did not end in time.
    int RunProgram(const QString& programFolder = {})
    {
        QProcess program;
        StartProgram(program, QStringLiteral("/immediate"), programFolder);
        return EndOf(program);
    }

    // Waits for a program started with "/immediate"; as RunProgram.
    int EndOf(QProcess& program)
    {
        if (!program.waitForFinished(ProgramLimitMilliseconds)) {
            program.kill();
            program.waitForFinished();
            return -1;
        }
        output = QString::fromUtf8(program.readAllStandardError());
        Fixture::Connect(db, folder);
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    int64_t Count(const QString& from, const QString& where, const SqlValues& values = {})
    {
        RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT COUNT(*) FROM ") + from + QStringLiteral(" WHERE ") + where,
                                        values);
        const int64_t n = rs.Field(0).toLongLong();
        rs.Close();
        return n;
    }

    // The lines of the program's AUTOEXEC runs with the code.
    int64_t AutoExecLines(int code, const QString& text = QStringLiteral("%"))
    {
        return Count(QStringLiteral("Transmission_Log"),
                     QStringLiteral("ProcessCode='AUTOEXEC' AND Event_Code=? AND Event_Text LIKE ?"), {code, text});
    }

    // Every line of the runs since the fixture's, for failure messages.
    std::string Log()
    {
        std::string text;
        RecordSet rs = db.OpenRecordSet(QStringLiteral(
            "SELECT Run_Number, Event_Code, ProcessCode, Event_Text FROM Transmission_Log "
            "WHERE Run_Number > 3 ORDER BY Run_Number, Time_Of_Event, LogId"));
        for (; !rs.IsEOF(); rs.MoveNext())
            text += QStringLiteral("%1 %2 %3 %4\n")
                        .arg(rs.Field(0).toString(), rs.Field(1).toString(), rs.Field(2).toString(),
                             rs.Field(3).toString())
                        .toStdString();
        rs.Close();
        return text;
    }

    // The lines the program wrote on standard error, without its name.
    QStringList StandardErrorLines() const
    {
        QStringList lines;
        for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts))
            lines << (line.startsWith(QStringLiteral("Nevix: ")) ? line.mid(7) : line);
        return lines;
    }

    bool CommsLockFree()
    {
        CommsLock lock;
        lock.SetDataSource(&db);
        lock.Load(LockTypes::Communications);
        return lock.LockedBy().isEmpty();
    }

    TestWorld world;
    StandInProcess service;
    Fixture::Folder folder;
    CDataBase db;
    QString output;
};

const QString UnsentWithoutErrors = QStringLiteral(
    "IsTest=0 AND When_Sent IS NULL AND JuxMsgReference NOT IN (SELECT JuxMsgReference FROM JUX_MSG_ERROR)");

TEST_F(UnattendedStart, AnImmediateRunSendsReceivesAndExportsEverythingAndEndsWithZero)
{
    CDataBase before;
    Fixture::Connect(before, folder);
    QStringList unsent;
    {
        RecordSet rs = before.OpenRecordSet(QStringLiteral("SELECT VQ3ID FROM VQ3_Enquiries WHERE ") +
                                            UnsentWithoutErrors);
        while (!rs.IsEOF()) {
            unsent << rs.Field(0).toString();
            rs.MoveNext();
        }
        rs.Close();
    }
    before.Disconnect();
    ASSERT_EQ(unsent.size(), Fixture::Counts::UnsentEnquiries);

    ASSERT_EQ(RunProgram(), 0) << output.toStdString();

    for (const QString& id : unsent)
        EXPECT_EQ(Count(QStringLiteral("VQ3_Enquiries"),
                        QStringLiteral("VQ3ID=? AND When_Sent IS NOT NULL AND Response_Received=1"), {id}),
                  1)
            << id.toStdString();
    for (const QString& enquirer : {Fixture::FirstEnquirer, Fixture::SecondEnquirer}) {
        const QDir exports(world.Folder() + QStringLiteral("/") + enquirer + QStringLiteral("/Export"));
        EXPECT_FALSE(exports.entryList(QDir::Files).isEmpty()) << exports.path().toStdString();
    }
    EXPECT_EQ(AutoExecLines(8, QStringLiteral("Immediate execution in AutoExecute")), 1);
    EXPECT_EQ(Count(QStringLiteral("Transmission_Log"),
                    QStringLiteral("ProcessCode='AUTOEXEC' AND Event_Code=8 AND UserName='AUTOEXECUTE'")),
              1);
    EXPECT_EQ(AutoExecLines(16), 1) << Log();
    EXPECT_EQ(AutoExecLines(512), 0) << Log();
    EXPECT_TRUE(CommsLockFree());
}

TEST_F(UnattendedStart, AnImmediateRunInSchedulerTestModeLogsItsLineAndAsksTheServiceNothing)
{
    Settings().SetDebugMode(QStringLiteral("NNNNNN-NNY"));
    ASSERT_TRUE(Settings().SchedulerTestMode());
    ASSERT_EQ(RunProgram(), 0) << output.toStdString();
    EXPECT_EQ(AutoExecLines(32, QStringLiteral("SCHEDULER TEST MODE - Immediate Execution")), 1);
    EXPECT_EQ(service.Requests(), QStringList());
    EXPECT_EQ(Count(QStringLiteral("VQ3_Enquiries"), UnsentWithoutErrors), Fixture::Counts::UnsentEnquiries);
}

TEST_F(UnattendedStart, AnImmediateRunWithTheServiceStoppedLogsAFatalLineAndEndsWithOne)
{
    service.Stop();
    ASSERT_EQ(RunProgram(), 1) << output.toStdString() << Log();
    EXPECT_GE(AutoExecLines(512), 1);
    EXPECT_EQ(AutoExecLines(16), 1) << "the run was closed";
    EXPECT_TRUE(CommsLockFree());
}

// A table left by another tool, checked by a function only that tool has:
// the program works beside it but cannot rebuild the file around it.
void AddTableThatCannotBeCompacted(const QString& database)
{
    auto tool = SqliteConnection::Open(database);
    const auto yes = [](sqlite3_context* context, int, sqlite3_value**) { sqlite3_result_int(context, 1); };
    ASSERT_EQ(sqlite3_create_function(tool->Handle(), "othertoolcheck", 1, SQLITE_UTF8, nullptr, yes, nullptr,
                                      nullptr),
              SQLITE_OK);
    ASSERT_EQ(tool->TryExec("CREATE TABLE OTHER_TOOL (Item TEXT CHECK (othertoolcheck(Item)));"
                            "INSERT INTO OTHER_TOOL VALUES ('kept');"),
              SQLITE_OK);
}

TEST_F(UnattendedStart, AnImmediateRunWhoseCompactionFailsEndsWithOneAndSaysWhyOnStandardError)
{
    AddTableThatCannotBeCompacted(folder.Database);
    ASSERT_EQ(RunProgram(), 1) << output.toStdString() << Log();
    const QStringList said = StandardErrorLines().filter(QStringLiteral("Table maintenance failed because:"));
    ASSERT_EQ(said.size(), 1) << output.toStdString();
    EXPECT_TRUE(said.first().endsWith(QStringLiteral("no such function: othertoolcheck"))) << output.toStdString();
    EXPECT_EQ(AutoExecLines(32, said.first()), 1) << "the text stands once in its run\n" << Log();
    EXPECT_EQ(AutoExecLines(512), 0) << Log();
}

TEST_F(UnattendedStart, AnImmediateRunRefusedTheCommsLockLogsItOnceAndSaysSoOnStandardError)
{
    {
        CDataBase other;
        Fixture::Connect(other, folder);
        other.Execute(QStringLiteral("UPDATE COMMSLOCK SET LockedBy='ANNE', ComputerName='OTHERPC', "
                                     "LockedOn='2024-03-14 09:00:00' WHERE LockType=1"));
        other.Disconnect();
    }
    ASSERT_EQ(RunProgram(), 1) << output.toStdString() << Log();
    const QString refusal = QStringLiteral("Could not lock the communications to run Import, Transmission and Export");
    EXPECT_EQ(Count(QStringLiteral("Transmission_Log"), QStringLiteral("ProcessCode='AUTOEXEC' AND Event_Text=?"),
                    {refusal}),
              1)
        << Log();
    EXPECT_EQ(StandardErrorLines().filter(refusal), QStringList{refusal}) << output.toStdString();
    EXPECT_EQ(service.Requests(), QStringList()) << "nothing was sent";
}

// Scheduled: the console stays and runs a due row by itself.
TEST_F(UnattendedStart, AnAutomaticStartRunsADueRowAndKeepsTheConsole)
{
    Settings().SetDebugMode(QStringLiteral("NNNNNN-NNY"));
    {
        CDataBase setUp;
        Fixture::Connect(setUp, folder);
        Fixture::ScheduleRow due;
        due.DaysToRun = QStringLiteral("1111111");
        due.Every60Mins = true;
        due.FirstTime = QStringLiteral("00:00");
        due.LastTime = QStringLiteral("23:00");
        due.NextRunDateTime = QDateTime::currentDateTime().addSecs(-60);
        Fixture::SetScheduleRow(setUp, QStringLiteral("HEXCOM"), due);
        setUp.Disconnect();
    }
    QProcess program;
    StartProgram(program, QStringLiteral("/autostart"));
    Fixture::Connect(db, folder);
    const QString line = QStringLiteral("SCHEDULER TEST MODE - DoTransmissionAndExport");
    bool ran = false;
    for (int wait = 0; wait < ProgramLimitMilliseconds && !ran; wait += 250) {
        ran = AutoExecLines(32, line) == 1;
        if (!ran)
            program.waitForFinished(250);
        ASSERT_EQ(program.state(), QProcess::Running) << QString::fromUtf8(program.readAllStandardError()).toStdString();
    }
    EXPECT_TRUE(ran);
    EXPECT_EQ(AutoExecLines(8, QStringLiteral("Scheduled execution in AutoExecute")), 1);
    program.kill();
    program.waitForFinished();
}

// A second program folder whose settings name the fixture's database, as
// a second installation of the same computer has; each folder imports and
// exports through its own folders ("+" paths).
class TwoFoldersOnOneDatabase : public UnattendedStart {
protected:
    void SetUp() override
    {
        UnattendedStart::SetUp();
        second = world.PathOf(QStringLiteral("second"));
        QDir().mkpath(second);
        Settings().Apply();
        ASSERT_TRUE(QFile::copy(folder.SettingsFile, second + QStringLiteral("/Nevix.INI")));
        INIFile().SetIniString(QStringLiteral("Database"), QStringLiteral("Database"), folder.Database,
                               second + QStringLiteral("/Nevix.INI"));
        Fixture::Connect(db, folder);
        db.Execute(QStringLiteral("UPDATE ENQUIRER SET ImportFolder='+' || EnquirerId || '/Import', "
                                  "ExportFolder='+' || EnquirerId || '/Export'"));
        for (const QString& programFolder : {folder.Path, second})
            for (const QString& enquirer : {Fixture::FirstEnquirer, Fixture::SecondEnquirer})
                for (const char* kind : {"/Import", "/Export"})
                    QDir().mkpath(programFolder + u'/' + enquirer + QLatin1String(kind));
    }

    // An enquiry file of `lines` enquiries of the first enquirer, named
    // and marked after the folder and the round.
    void WriteEnquiryFile(int folderNumber, int round, int lines)
    {
        const QString programFolder = folderNumber == 0 ? folder.Path : second;
        QFile file(programFolder + u'/' + Fixture::FirstEnquirer + QStringLiteral("/Import/VQ3R%1.IMP").arg(round));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QString letters = QStringLiteral("ABCDEFGHJKLMNPRSTUVWXY");
        const QString yesterday = QDate::currentDate().addDays(-1).toString(QStringLiteral("yyyyMMdd"));
        for (int line = 0; line < lines; ++line)
            file.write(QStringLiteral("AB51%1%2%3,%4,TOGETHER %1%2%3\r\n")
                           .arg(letters[folderNumber], letters[round], letters[line], yesterday)
                           .toUtf8());
    }

    // Every enquiry statement's charges, and the statements stored more than once.
    int64_t Charges()
    {
        RecordSet rs = db.OpenRecordSet(QStringLiteral("SELECT TOTAL(Number_Of_Charges) FROM Debit_Statements"));
        const int64_t n = rs.Field(0).toLongLong();
        rs.Close();
        return n;
    }

    QString second;
};

TEST_F(TwoFoldersOnOneDatabase, RunsOfOneUserStartedTogetherExchangeOneAtATime)
{
    constexpr int Rounds = 6;
    constexpr int PerFile = 3;
    const int64_t chargesBefore = Charges();
    const QString refusal = QStringLiteral("Could not lock the communications to run Import, Transmission and Export");
    for (int round = 0; round < Rounds; ++round) {
        WriteEnquiryFile(0, round, PerFile);
        WriteEnquiryFile(1, round, PerFile);
        QProcess first, other;
        StartProgram(first, QStringLiteral("/immediate"));
        StartProgram(other, QStringLiteral("/immediate"), second);
        for (QProcess* program : {&first, &other}) {
            const int exitCode = EndOf(*program);
            EXPECT_TRUE(exitCode == 0 || (exitCode == 1 && StandardErrorLines().contains(refusal)))
                << "round " << round << ": " << exitCode << ' ' << output.toStdString();
        }
    }
    // What a refused run left is imported now.
    EXPECT_EQ(RunProgram(), 0) << output.toStdString();
    EXPECT_EQ(RunProgram(second), 0) << output.toStdString();

    const int64_t imported = 2 * Rounds * PerFile;
    EXPECT_EQ(Count(QStringLiteral("VQ3_Enquiries"), QStringLiteral("Enquiry_Reference LIKE 'TOGETHER %'")), imported);
    EXPECT_EQ(Count(QStringLiteral("VQ3_Enquiries"), UnsentWithoutErrors), 0) << Log();
    // Each enquiry went in exactly one batch the service accepted: each
    // batch sent once, each enquiry answered once and charged once.
    EXPECT_EQ(Count(QStringLiteral("Transmission_Log L"),
                    QStringLiteral("L.Event_Text LIKE 'Sending % Enquiries with Control Reference %' AND "
                                   "(SELECT COUNT(*) FROM Transmission_Log M WHERE M.Event_Text LIKE 'Sending %' AND "
                                   "substr(M.Event_Text, instr(M.Event_Text, 'Control Reference')) = "
                                   "substr(L.Event_Text, instr(L.Event_Text, 'Control Reference'))) > 1")),
              0)
        << Log();
    const int64_t sent = Fixture::Counts::UnsentEnquiries + imported;
    EXPECT_EQ(Count(QStringLiteral("VQ7_Responses"), QStringLiteral("1")), Fixture::Counts::Responses + sent) << Log();
    EXPECT_EQ(Count(QStringLiteral("VQ7_Responses R"),
                    QStringLiteral("(SELECT COUNT(*) FROM VQ7_Responses S WHERE S.VRM = R.VRM AND "
                                   "S.Enquiry_Reference = R.Enquiry_Reference) > 1")),
              0);
    EXPECT_EQ(Count(QStringLiteral("Debit_Statements D"),
                    QStringLiteral("(SELECT COUNT(*) FROM Debit_Statements E WHERE E.DEBSTA_Reference = "
                                   "D.DEBSTA_Reference) > 1")),
              0);
    EXPECT_EQ(Charges() - chargesBefore, sent);
    EXPECT_EQ(Count(QStringLiteral("Transmission_Log"),
                    QStringLiteral("Event_Text LIKE '%Concurrency prevented%' OR "
                                   "Event_Text LIKE 'Could not clear lock%'")),
              0)
        << Log();
    EXPECT_TRUE(CommsLockFree());
}

// A process of the unattended user on this computer that holds the lock
// and waits on a pipe until the test lets it go or kills it.
class LockHoldingProcess {
public:
    explicit LockHoldingProcess(const Fixture::Folder& folder)
    {
        int held[2];
        if (::pipe(held) != 0 || ::pipe(m_go) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(held[0]);
            ::close(m_go[1]);
            ScopedAppContext thisComputer(AppContext::MakeDefault(std::make_shared<ConsoleUserInteraction>()));
            CDataBase db;
            Fixture::Connect(db, folder);
            CommsLock lock;
            char answer = '0';
            try {
                lock.AquireCommsLock(DatabaseSchema::AutoExecuteUserName, &db);
                answer = '1';
            } catch (...) {
            }
            char ignored;
            if (::write(held[1], &answer, 1) == 1)
                (void)::read(m_go[0], &ignored, 1);
            ::_exit(0);
        }
        ::close(held[1]);
        ::close(m_go[0]);
        char answer = '0';
        m_holds = m_pid > 0 && ::read(held[0], &answer, 1) == 1 && answer == '1';
        ::close(held[0]);
    }
    ~LockHoldingProcess() { Kill(); }

    bool Holds() const { return m_holds; }
    void Kill()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        ::close(m_go[1]);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    int m_go[2] = {-1, -1};
    bool m_holds = false;
};

TEST_F(UnattendedStart, ARunIsRefusedWhileAnotherOfThisComputerHoldsTheLockAndTakesItWhenThatOneIsKilled)
{
    Settings().Apply();
    LockHoldingProcess holder(folder);
    ASSERT_TRUE(holder.Holds());
    ASSERT_EQ(RunProgram(), 1) << output.toStdString() << Log();
    EXPECT_EQ(StandardErrorLines().filter(QStringLiteral("Could not lock the communications")).size(), 1)
        << output.toStdString();
    EXPECT_FALSE(CommsLockFree());

    holder.Kill();
    EXPECT_EQ(RunProgram(), 0) << output.toStdString() << Log();
    EXPECT_EQ(Count(QStringLiteral("VQ3_Enquiries"), UnsentWithoutErrors), 0) << Log();
    EXPECT_TRUE(CommsLockFree());
}

} // namespace
