#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "database/CDataBase.h"
#include "database/CommsLock.h"
#include "database/DatabaseSchema.h"
#include "database/GlobalDatabase.h"
#include "screens/admin/frmSplash.h"
#include "startup/GlobalObjects.h"
#include "startup/ProgramStart.h"
#include "startup/SingleInstanceLock.h"
#include "core/AskTellUser.h"
#include "database/SqliteConnection.h"
#include "support/DatabaseTest.h"
#include "support/DiskFault.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTimer>

namespace {

TEST(CommandLine, SwitchesAreWholeArgumentsOfAnyCase)
{
    const CommandLine line = CommandLine::Parse(
        {QStringLiteral("/SETCLIENT"), QStringLiteral("/UnlockAdmin"), QStringLiteral("x/immediate")});
    EXPECT_TRUE(line.SetClient);
    EXPECT_TRUE(line.UnlockAdmin);
    EXPECT_FALSE(line.Immediate);
    EXPECT_FALSE(line.AutoStart);
}

class ProgramStartTest : public ::testing::Test {
protected:
    ~ProgramStartTest() override
    {
        if (start && start->Splash())
            delete start->Splash();
        ReleaseGlobalObjects();
    }

    // A program folder with its settings file and database, as a first
    // start finds it.
    void Prepare(const QString& installMode = QStringLiteral("1"))
    {
        const QString ini = world.PathOf(QStringLiteral("Nevix.INI"));
        INIFile().SetIniString(QStringLiteral("Database"), QStringLiteral("Database"),
                               QStringLiteral("+Nevix.MDB"), ini);
        INIFile().SetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"),
                               installMode, ini);
        DatabaseSchema::CreateNewDatabase(world.PathOf(QStringLiteral("Nevix.MDB")));
    }

    bool Run(const QStringList& arguments)
    {
        StartupHooks hooks;
        hooks.AskInstallMode = [this](bool clientOnly) {
            installModeAsked.append(clientOnly);
            return 0;
        };
        hooks.ViewLog = [](const QString&) {};
        hooks.OpenLogon = [] {};
        start = std::make_unique<ProgramStart>(arguments, hooks);
        return start->Main();
    }

    TestWorld world;
    std::unique_ptr<ProgramStart> start;
    QList<bool> installModeAsked;
};

TEST_F(ProgramStartTest, NoSettingsFileStopsBeforeTheSplash)
{
    EXPECT_FALSE(Run({}));
    ASSERT_EQ(world.ui().boxes.size(), 1);
    // The box says where the program looked, and how a folder is made.
    EXPECT_EQ(world.ui().boxes.first().text,
              QStringLiteral("Unable to load the INI file for the program\rThe settings file looked for: ") +
                  world.PathOf(QStringLiteral("Nevix.INI")) +
                  QStringLiteral("\r\nTo make a program folder: nevix-prepare <folder>, then start Nevix with "
                                 "NEVIX_HOME=<folder>."));
    EXPECT_EQ(world.ui().boxes.first().style, 0x10u);
    EXPECT_EQ(start->Splash(), nullptr);
    EXPECT_EQ(start->Refusal(), StartRefusal::SettingsFileMissing);
}

TEST_F(ProgramStartTest, ASecondCopyIsRefused)
{
    Prepare();
    SingleInstanceLock first(world.Folder());
    EXPECT_FALSE(Run({}));
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes.first().text, QStringLiteral("Nevix is already running."));
    EXPECT_EQ(start->Splash(), nullptr);
    EXPECT_EQ(start->Refusal(), StartRefusal::AlreadyRunning);
}

// A lock that cannot be taken cannot show a second copy either.
TEST_F(ProgramStartTest, ALockFileThatCannotBeOpenedRefusesTheStart)
{
    Prepare();
    // A folder in its place: not even root can open it for writing.
    ASSERT_TRUE(QDir().mkpath(world.PathOf(QStringLiteral("Nevix.lock"))));
    EXPECT_FALSE(Run({}));
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes.first().text,
              QStringLiteral("Nevix cannot start: its lock file cannot be opened.\r") +
                  world.PathOf(QStringLiteral("Nevix.lock")) + QStringLiteral("\r\nIs a directory"));
    EXPECT_EQ(world.ui().boxes.first().style & MsgBox::IconMask, MsgBox::Critical);
    EXPECT_EQ(start->Splash(), nullptr);
    EXPECT_EQ(start->Refusal(), StartRefusal::LockFileUnusable);
}

TEST_F(ProgramStartTest, AllowingSeveralCopiesNeedsNoLock)
{
    Prepare();
    INIFile().SetIniString(QStringLiteral("System"), QStringLiteral("DebugMode"), QStringLiteral("NNNNNN-NNNY"),
                           world.PathOf(QStringLiteral("Nevix.INI")));
    ASSERT_TRUE(QDir().mkpath(world.PathOf(QStringLiteral("Nevix.lock"))));
    EXPECT_TRUE(Run({}));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

// The forced repair used to run again at every start, without a word.
TEST_F(ProgramStartTest, ASettingsFileThatCannotBeWrittenIsReportedNotIgnored)
{
    Prepare();
    const QString ini = world.PathOf(QStringLiteral("Nevix.INI"));
    INIFile().SetIniString(QStringLiteral("Database"), QStringLiteral("ForceRepair"), QStringLiteral("Yes"), ini);
    const QByteArray before = ReadBytes(ini);
    DiskFault readOnly(QStringLiteral("Nevix.INI"), AtomicFile::Step::Open, EACCES);
    EXPECT_TRUE(Run({}));
    EXPECT_EQ(ReadBytes(ini), before);
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes.first().text,
              QStringLiteral("INIFile - Unable to write to INI file\rThe settings could not be saved in ") + ini);
    EXPECT_EQ(world.ui().boxes.first().style & MsgBox::IconMask, MsgBox::Exclamation);
    EXPECT_FALSE(start->Splash()->HasError());
}

TEST_F(ProgramStartTest, SetClientOnASettingsFileThatCannotBeWrittenWarnsAndStillAsks)
{
    Prepare();
    const QString ini = world.PathOf(QStringLiteral("Nevix.INI"));
    DiskFault full(QStringLiteral("Nevix.INI"), AtomicFile::Step::Write, ENOSPC, 10);
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    EXPECT_TRUE(Run({QStringLiteral("/setclient")}));
    EXPECT_EQ(INIFile().GetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"), QString(), ini),
              QStringLiteral("1"));
    ASSERT_EQ(world.ui().boxes.size(), 2);
    EXPECT_EQ(world.ui().boxes[0].text, QStringLiteral("INIFile - Could not write ") + ini +
                                            QStringLiteral(": No space left on device\rThe settings could not be saved in ") +
                                            ini);
    EXPECT_TRUE(world.ui().boxes[1].text.startsWith(QStringLiteral("Is this the first installation")));
}

TEST_F(ProgramStartTest, ADatabaseHeldByAnotherProgramIsWaitedForWithAWord)
{
    Prepare();
    auto holder = SqliteConnection::Open(world.PathOf(QStringLiteral("Nevix.MDB")));
    ASSERT_EQ(holder->TryExec("BEGIN EXCLUSIVE"), 0);
    QString seen;
    QTimer release;
    QObject::connect(&release, &QTimer::timeout, &release, [&] {
        if (!world.ui().waitVisible)
            return;
        seen = world.ui().waitMessage;
        holder->TryExec("COMMIT");
        release.stop();
    });
    release.start(0);
    EXPECT_TRUE(Run({}));
    EXPECT_EQ(seen,
              QStringLiteral("The database is busy: another program is using it. Waiting for it to be released..."));
    EXPECT_FALSE(world.ui().waitLoaded);
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_FALSE(start->Splash()->HasError());
}

TEST_F(ProgramStartTest, StartsAndHandsOverToTheLogon)
{
    Prepare();
    EXPECT_TRUE(Run({}));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    ASSERT_NE(start->Splash(), nullptr);
    EXPECT_TRUE(start->Splash()->GoAway());
    EXPECT_FALSE(start->Splash()->HasError());
    EXPECT_TRUE(GlobalDatabase().Source().endsWith(QStringLiteral("Nevix.MDB")));
    EXPECT_EQ(start->Refusal(), StartRefusal::None);
}

TEST_F(ProgramStartTest, SetClientAsksTheInstallModeAgainAndNoChoiceStops)
{
    Prepare();
    world.ui().ScriptAnswer(7); // a server is already installed
    EXPECT_TRUE(Run({QStringLiteral("/SETCLIENT")}));
    EXPECT_EQ(installModeAsked, (QList<bool>{true}));
    EXPECT_EQ(INIFile().GetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"),
                                     QString(), world.PathOf(QStringLiteral("Nevix.INI"))),
              QStringLiteral("0"));
    ASSERT_EQ(world.ui().boxes.size(), 2);
    EXPECT_TRUE(world.ui().boxes[0].text.startsWith(
        QStringLiteral("Is this the first installation of NEVIX on your network?")));
    EXPECT_EQ(world.ui().boxes[1].text,
              QStringLiteral("Initialisation cancelled - no install mode selected.\rInitialise Application"));
    EXPECT_TRUE(start->Splash()->HasError());
    EXPECT_TRUE(start->Splash()->GoAway());
    EXPECT_EQ(start->Refusal(), StartRefusal::StartCancelled);
}

TEST_F(ProgramStartTest, UnlockAdminClearsTheAdministrationLockAfterStartUp)
{
    Prepare();
    {
        TestWorld elsewhere(QStringLiteral("OTHERPC"));
        CDataBase other;
        ConnectTo(other, world.PathOf(QStringLiteral("Nevix.MDB")));
        CommsLock lock;
        lock.AquireAdminLock(QStringLiteral("Carol"), &other);
    }
    EXPECT_TRUE(Run({QStringLiteral("/unlockadmin"), QStringLiteral("/immediate")}));
    CommsLock lock;
    lock.SetDataSource(&GlobalDatabase());
    lock.Load(LockTypes::Administration);
    EXPECT_EQ(lock.LockedBy(), QString());
    EXPECT_TRUE(Settings().IsInAutoExecuteModeImmediateExecute());
    EXPECT_TRUE(Settings().BypassLogonSecurity());
    EXPECT_FALSE(Settings().IsInAutoExecuteMode());
}

TEST_F(ProgramStartTest, UnattendedMessagesGoToTheDatedLog)
{
    Prepare();
    EXPECT_TRUE(Run({}));
    Settings().SetProgramRunningMode(RunningMode::Automatic);
    TellUserWarning(QStringLiteral("Cannot access folder"), QStringLiteral("/in"));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    const QByteArray log = ReadBytes(world.PathOf(QStringLiteral("NevixAuto240315.LOG")));
    EXPECT_TRUE(log.endsWith("\tWarning: Cannot access folder /in\r\n")) << log.constData();
}

// A start that nobody watches (cron, a service) must end, not wait at a box.
TEST_F(ProgramStartTest, AnUnattendedStartWithoutSettingsAsksNobodyAndWritesWhy)
{
    EXPECT_FALSE(Run({QStringLiteral("/immediate")}));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_EQ(start->Refusal(), StartRefusal::SettingsFileMissing);
    const QByteArray log = ReadBytes(world.PathOf(QStringLiteral("NevixAuto240315.LOG")));
    EXPECT_TRUE(log.contains("\tCritical: Unable to load the INI file for the program The settings file looked for: "))
        << log.constData();
}

struct UnattendedCase {
    const char* name;
    const char* installMode;
    const char* message;
};

class UnattendedStart : public ProgramStartTest, public ::testing::WithParamInterface<UnattendedCase> {};

// Where only a person could go on (choose the installation, finish the
// set-up), or where the logon would refuse, the unattended start ends at
// once, and changes nothing.
TEST_P(UnattendedStart, WherePersonIsNeededItEndsWithItsCode)
{
    const UnattendedCase& c = GetParam();
    Prepare(QLatin1String(c.installMode));
    const QByteArray database = ReadBytes(world.PathOf(QStringLiteral("Nevix.MDB")));
    const QByteArray settings = ReadBytes(world.PathOf(QStringLiteral("Nevix.INI")));
    EXPECT_TRUE(Run({QStringLiteral("/autostart")}));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_TRUE(installModeAsked.isEmpty());
    EXPECT_TRUE(start->Splash()->HasError());
    EXPECT_EQ(start->Refusal(), StartRefusal::UnattendedNotPossible);
    EXPECT_TRUE(ReadBytes(world.PathOf(QStringLiteral("NevixAuto240315.LOG"))).contains(c.message));
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("Nevix.MDB"))), database);
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("Nevix.INI"))), settings);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnattendedStart,
    ::testing::Values(UnattendedCase{"Install_mode_not_chosen", "0", "before its installation is chosen"},
                      UnattendedCase{"Set_up_not_complete", "1", "until its set-up is complete"},
                      UnattendedCase{"Client", "3", "this install is a client"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
