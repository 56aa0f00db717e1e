#include "transfer/ExportTest.h"

#include "support/KeeperFiles.h"

#include "database/DatabaseMark.h"
#include "database/DatabaseSchema.h"
#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/ExportSteps.h"
#include "transfer/VQ7Utils.h"

#include <QDir>

#include <atomic>
#include <fcntl.h>
#include <optional>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>

namespace {

struct PlantedLink {
    const char* name;
    bool leadsToAFile;
};

// Another local user who may write an enquirer's export folder has put a
// symbolic link where the next export is to go.
class LinkInTheExportFolder : public ExportTest, public ::testing::WithParamInterface<PlantedLink> {
protected:
    LinkInTheExportFolder()
    {
        QDir(world.Folder()).mkpath("out");
        QDir(world.Folder()).mkpath("elsewhere");
        if (GetParam().leadsToAFile)
            WriteBytes(Target(), "not the program's\r\n");
    }
    QString Target() const { return world.PathOf("elsewhere/target"); }
    QString Plant(const QString& name) const
    {
        const QString link = world.PathOf("out/" + name);
        EXPECT_TRUE(QFile::link(Target(), link));
        return link;
    }
    void ExpectUntouched(const QString& link) const
    {
        EXPECT_EQ(LinkAt(link), Target()) << link.toStdString();
        EXPECT_EQ(ReadBytes(Target()), GetParam().leadsToAFile ? QByteArray("not the program's\r\n") : QByteArray());
        EXPECT_EQ(EntriesIn(world.PathOf("elsewhere")),
                  GetParam().leadsToAFile ? QStringList{"target"} : QStringList());
    }

    LogLines log;
    TransmissionResults results;
};

TEST_P(LinkInTheExportFolder, TheAutomaticExportsTakeTheNextNameReadableByOwnerAndGroupOnly)
{
    const ScopedUmask mask(022);
    Configure("", RunningMode::Automatic);
    LogOn({{"AB001", "+out"}});
    Keeper("AB001");
    Statement("AB001");
    const QString responsesLink = Plant("VQ71503000.EXP");
    const QString statementsLink = Plant("DEB1503000.EXP");
    log.BeginLogging("AUTOEXEC", "", "clerk");
    ExportVQ7s(db, log, results);
    ExportDebsForUserEnquirers(db, log, results);

    EXPECT_EQ(EntriesIn(world.PathOf("out")),
              (QStringList{"DEB1503000.EXP", "DEB1503001.EXP", "VQ71503000.EXP", "VQ71503001.EXP"}));
    ExpectUntouched(responsesLink);
    ExpectUntouched(statementsLink);
    EXPECT_EQ(ModeOf(world.PathOf("out/VQ71503001.EXP")), 0660);
    EXPECT_EQ(ModeOf(world.PathOf("out/DEB1503001.EXP")), 0660);
    EXPECT_EQ(Exported("VQ7_Responses"), 1);
    EXPECT_EQ(Exported("Debit_Statements"), 1);
}

TEST_P(LinkInTheExportFolder, AChosenFileThatIsALinkIsRefusedWithTheReason)
{
    Configure("[System]\nConfigVersion=3\n");
    LogOn({{"AB001", ""}});
    Keeper("AB001");
    Statement("AB001");
    const QString link = Plant("chosen.txt");
    ExportVQ7sToFile(db, link, log, results, {"AB001"}, nullptr);
    ExportAllDebsToFile(db, link, log, results, {"AB001"}, nullptr);

    for (const QString& fatal : {results.FatalVQ7ExportErrorMessage(), results.FatalDebExportErrorMessage()})
        EXPECT_TRUE(fatal.contains("Could not create the export file " + link +
                                   ": A symbolic link has that name; it is never written through"))
            << fatal.toStdString();
    ExpectUntouched(link);
    EXPECT_EQ(EntriesIn(world.PathOf("out")), QStringList{"chosen.txt"});
    EXPECT_EQ(Exported("VQ7_Responses"), 0);
    EXPECT_EQ(Exported("Debit_Statements"), 0);
}

INSTANTIATE_TEST_SUITE_P(Links, LinkInTheExportFolder,
                         ::testing::Values(PlantedLink{"LeadingNowhere", false}, PlantedLink{"ToAFile", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// Other users of an export folder: what they put there never changes a file
// outside it, never stops a run and is never taken for the program's own.
class OthersInTheExportFolder : public ExportTest {
protected:
    OthersInTheExportFolder()
    {
        Configure("[System]\nConfigVersion=3\n");
        QDir(world.Folder()).mkpath("out");
        LogOn({{"AB001", "+out"}});
    }
    ~OthersInTheExportFolder() override { SetExportStepHook({}); }
    QString Chosen() const { return world.PathOf("out/chosen.txt"); }
    // The hidden file of the export being written whose name ends so.
    QString HiddenFile(const QString& suffix) const
    {
        const QStringList names = QDir(world.PathOf("out")).entryList({"*" + suffix}, QDir::Files | QDir::Hidden);
        return names.size() == 1 ? world.PathOf("out/" + names.front()) : QString();
    }
    static bool MakeFifo(const QString& path)
    {
        QFile::remove(path);
        return ::mkfifo(QFile::encodeName(path).constData(), 0666) == 0;
    }
    static bool IsFifo(const QString& path)
    {
        struct stat info {};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
    QString AllTexts() const { return Texts(log); }

    LogLines log;
    TransmissionResults results;
};

struct ModeCase {
    const char* name;
    bool ownedByAnother;
    int earlierMode;
    int mode;
};

class EarlierFileMode : public OthersInTheExportFolder, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(EarlierFileMode, IsKeptOnlyForTheSameOwnerWithoutSetIdBitsOrWriteForOthers)
{
    if (GetParam().ownedByAnother && ::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    Keeper();
    WriteBytes(Chosen(), "EARLIER\r\n");
    if (GetParam().ownedByAnother) {
        ASSERT_EQ(::chown(QFile::encodeName(Chosen()).constData(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(Chosen()).constData(), mode_t(GetParam().earlierMode)), 0);
    ExportVQ7sToFile(db, Chosen(), log, results, {"AB001"}, nullptr);

    EXPECT_EQ(ReadBytes(Chosen()).count("\r\n"), 2);
    EXPECT_EQ(ModeOf(Chosen()), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(Modes, EarlierFileMode,
                         ::testing::Values(ModeCase{"AnothersSetUidFileForAll", true, 04666, 0660},
                                           ModeCase{"OwnSetUidFileForAll", false, 04666, 0664},
                                           ModeCase{"OwnFileForOwnerAndGroup", false, 0640, 0640},
                                           ModeCase{"OwnPrivateFile", false, 0600, 0600}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OthersInTheExportFolder, ALinkSwappedInForAnAppendedExportsFilesNeverReachesItsTarget)
{
    const QString target = world.PathOf("private");
    WriteBytes(target, "PRIVATE\r\n");
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
    WriteBytes(Chosen(), "EARLIER\r\n");
    ASSERT_TRUE(QFile::setPermissions(Chosen(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const auto swap = [&](const QString& file) {
        return !file.isEmpty() && QFile::remove(file) && QFile::link(target, file);
    };

    // As soon as another user sees them appear, many times over, and at
    // the moment they are whole.
    {
        const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        ASSERT_GE(watch, 0);
        ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(world.PathOf("out")).constData(),
                                      IN_CREATE | IN_MOVED_TO),
                  0);
        std::atomic<bool> done = false;
        std::thread otherUser([&] {
            alignas(inotify_event) char events[4096];
            while (!done) {
                const ssize_t length = ::read(watch, events, sizeof events);
                if (length <= 0)
                    std::this_thread::yield();
                for (ssize_t at = 0; at < length;) {
                    const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                    const QString name = QFile::decodeName(event->name);
                    if (name.endsWith(".pending") || name.endsWith(".placing"))
                        swap(world.PathOf("out/" + name));
                    at += ssize_t(sizeof(inotify_event) + event->len);
                }
            }
        });
        for (int i = 0; i < 50; ++i) {
            Keeper();
            ExportVQ7sToFile(db, Chosen(), log, results, {"AB001"}, nullptr);
        }
        done = true;
        otherUser.join();
        ::close(watch);
    }
    // What the race left is cleared, so the next export's files are the only ones.
    for (const QString& name : QDir(world.PathOf("out")).entryList({".*"}, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(world.PathOf("out/" + name));
    db.Execute("DELETE FROM PENDING_EXPORTS");
    Keeper();
    SetExportStepHook([&](ExportStep step) {
        if (step == ExportStep::FileWhole) {
            EXPECT_TRUE(swap(HiddenFile(".pending")) && swap(HiddenFile(".placing")));
        }
    });
    ExportVQ7sToFile(db, Chosen(), log, results, {"AB001"}, nullptr);
    SetExportStepHook({});
    EXPECT_TRUE(AllTexts().contains("A symbolic link has that name; it is never written through"))
        << AllTexts().toStdString();
    EXPECT_EQ(ReadBytes(target), "PRIVATE\r\n");
    EXPECT_EQ(ModeOf(target), 0600);
}

struct FifoCase {
    const char* name;
    // Where the FIFO stands: the export's own hidden file ("pending",
    // "placing"), found at the step, or the chosen file.
    const char* at;
    std::optional<ExportStep> killedAt;
    bool appended;
};

class FifoInTheExportFolder : public OthersInTheExportFolder, public ::testing::WithParamInterface<FifoCase> {
protected:
    void Export()
    {
        if (GetParam().appended)
            ExportVQ7sToFile(db, Chosen(), log, results, {"AB001"}, nullptr);
        else
            ExportVQ7s(db, log, results);
    }
};

TEST_P(FifoInTheExportFolder, IsRefusedWithALineNamingItAndTheExportEnds)
{
    Configure("[System]\nConfigVersion=3\n",
              GetParam().appended ? RunningMode::Interactive : RunningMode::Automatic);
    log.BeginLogging("AUTOEXEC", "", "clerk");
    Keeper();
    const QString at = GetParam().at;
    QString fifo;
    const auto plant = [&] {
        fifo = at == "chosen" ? Chosen() : HiddenFile("." + at);
        EXPECT_TRUE(MakeFifo(fifo)) << fifo.toStdString();
    };
    if (GetParam().killedAt) {
        ASSERT_TRUE(RunsUntilKilled([&] {
            SetExportStepHook([](ExportStep step) {
                if (step == *GetParam().killedAt)
                    Die();
            });
            Export();
        }));
        plant();
    } else if (at == "chosen") {
        plant();
    } else {
        SetExportStepHook([&](ExportStep step) {
            if (step == ExportStep::FileWhole)
                plant();
        });
    }
    Export(); // returns: nothing waits on the FIFO
    SetExportStepHook({});
    Export();

    EXPECT_TRUE(AllTexts().contains(fifo + ": Something other than a regular file")) << AllTexts().toStdString();
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_EQ(QDir(world.PathOf("out")).entryList({"*.EXP"}, QDir::Files | QDir::System), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Fifos, FifoInTheExportFolder,
    ::testing::Values(FifoCase{"AtThePendingNameOfANewFile", "pending", std::nullopt, false},
                      FifoCase{"AtThePendingNameOfAFileAppendedTo", "pending", std::nullopt, true},
                      FifoCase{"AtThePlacingNameOfAFileAppendedTo", "placing", std::nullopt, true},
                      FifoCase{"AtThePendingNameAKilledRunLeft", "pending", ExportStep::MarksCommitted, false},
                      FifoCase{"AtTheChosenFile", "chosen", std::nullopt, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OthersInTheExportFolder, OnlyThisDatabasesOldLeftoversNoRowNamesGoEachWithALineAlsoWithNothingToExport)
{
    const QString mark = DatabaseMark(db);
    const QString anotherDatabase = mark == "0123456789ab" ? "ba9876543210" : "0123456789ab";
    struct Leftover {
        QString name;
        int hours;
        bool goes;
    };
    const Leftover leftovers[] = {
        {".VQ71403000.EXP." + mark + "-k3x9q1.pending", 48, true},
        {".chosen.txt." + mark + "-k3x9q1.placing", 2, true},
        {"..VQ71403001.EXP." + mark + "-a1.pending.7zz.tmp", 2, true},
        {".VQ71503000.EXP." + mark + "-b2.pending", 0, false},  // young
        {".VQ71403002.EXP." + mark + "-c3.pending", 48, false}, // named by a row
        {".VQ71403003.EXP." + anotherDatabase + "-d4.pending", 48, false},
        {".VQ71403004.EXP.e5.pending", 48, false}, // an earlier build's, which carries no mark
        {".budget.xlsx.tmp", 2, false},
        {".x.y.pending", 2, false},
        {".profile", 48, false},
    };
    for (const Leftover& leftover : leftovers) {
        WriteBytes(world.PathOf("out/" + leftover.name), "KEEPER DATA\r\n");
        Age(world.PathOf("out/" + leftover.name), leftover.hours);
    }
    // Of this database's form, but not a regular file of this user.
    const QString fifo = world.PathOf("out/.VQ71403005.EXP." + mark + "-f6.pending");
    ASSERT_TRUE(MakeFifo(fifo));
    Age(fifo, 2);
    QString anotherUsers;
    if (::geteuid() == 0) {
        anotherUsers = world.PathOf("out/.VQ71403006.EXP." + mark + "-g7.pending");
        WriteBytes(anotherUsers, "KEEPER DATA\r\n");
        ASSERT_EQ(::chown(QFile::encodeName(anotherUsers).constData(), 65534, 65534), 0);
        Age(anotherUsers, 2);
    }
    db.Execute("INSERT INTO PENDING_EXPORTS (PendingFile, ExportFile, NewFile, PendingId) VALUES (?, ?, 1, '1:1')",
               {world.PathOf("out/" + leftovers[4].name), world.PathOf("out/VQ71403002.EXP")});
    Configure("[System]\nConfigVersion=3\n", RunningMode::Automatic);
    log.BeginLogging("AUTOEXEC", "", "clerk");
    ExportVQ7s(db, log, results); // nothing to export

    for (const Leftover& leftover : leftovers) {
        const QString path = world.PathOf("out/" + leftover.name);
        EXPECT_EQ(QFile::exists(path), !leftover.goes) << path.toStdString();
        EXPECT_EQ(AllTexts().contains("Removed a file an export left unfinished, which no export names: " + path),
                  leftover.goes)
            << path.toStdString();
    }
    EXPECT_TRUE(IsFifo(fifo));
    if (!anotherUsers.isEmpty()) {
        EXPECT_TRUE(QFile::exists(anotherUsers));
    }
}

TEST_F(OthersInTheExportFolder, AnotherDatabasesExportsIntoTheFolderLeaveAKilledExportsFileForItsOwnNextRun)
{
    Configure("[System]\nConfigVersion=3\n", RunningMode::Automatic);
    const QStringList ours = Records("OURS-", 2);
    const auto run = [&](CDataBase& database) {
        LogLines runLog;
        TransmissionResults runResults;
        runLog.BeginLogging("AUTOEXEC", "", "clerk");
        ExportVQ7s(database, runLog, runResults);
        return Texts(runLog);
    };
    ASSERT_TRUE(KilledAt(ExportStep::MarksCommitted, [&] { run(db); }));
    // This installation does not run again within the hour; another
    // office, with a database of its own, exports into the same folder.
    const QString pending = HiddenFile(".pending");
    ASSERT_FALSE(pending.isEmpty());
    Age(pending, 2);
    const QString theirs = world.PathOf("Theirs.MDB");
    DatabaseSchema::CreateNewDatabase(theirs);
    CDataBase other;
    ConnectTo(other, theirs);
    Keeper("AB001", &other)->SetEnquiryReference("THEIRS-1");
    run(other);
    const QString texts = run(db);

    QByteArray lines;
    for (const QString& name : QDir(world.PathOf("out")).entryList({"*.EXP"}, QDir::Files))
        lines += ReadBytes(world.PathOf("out/" + name));
    for (const QString& reference : ours)
        EXPECT_EQ(lines.count(reference.toLatin1()), 1) << reference.toStdString() << '\n' << lines.constData();
    EXPECT_FALSE(texts.contains("taken from its folder")) << texts.toStdString();
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

struct PlacedCase {
    const char* name;
    QByteArray earlier;
    // What another program appends while the records are placed.
    QByteArray appendedMeanwhile;
    QByteArray before; // what the file holds before the new records
};

class RecordsAppended : public OthersInTheExportFolder, public ::testing::WithParamInterface<PlacedCase> {};

TEST_P(RecordsAppended, FollowWhatTheFileHeldWhenPlacedEachOnALineOfItsOwn)
{
    WriteBytes(Chosen(), GetParam().earlier);
    const QStringList references = Records("NEW-", 2);
    bool reached = false;
    SetExportStepHook([&](ExportStep step) {
        if (step != ExportStep::ChosenFileRead || std::exchange(reached, true) ||
            GetParam().appendedMeanwhile.isEmpty())
            return;
        QFile file(Chosen());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(GetParam().appendedMeanwhile);
    });
    ExportVQ7sToFile(db, Chosen(), log, results, {"AB001"}, nullptr);

    EXPECT_TRUE(reached);
    const QByteArray content = ReadBytes(Chosen());
    ASSERT_TRUE(content.startsWith(GetParam().before)) << content.constData();
    const QByteArray added = content.mid(GetParam().before.size());
    EXPECT_EQ(added.count("\r\n"), references.size()) << content.constData();
    for (const QString& reference : references)
        EXPECT_EQ(added.count(reference.toLatin1()), 1) << reference.toStdString() << '\n' << content.constData();
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Placed, RecordsAppended,
    ::testing::Values(PlacedCase{"ToAFileWithoutAFinalLineEnd", "EARLIER LINE", {}, "EARLIER LINE\r\n"},
                      PlacedCase{"ToAFileEndingInACarriageReturn", "EARLIER LINE\r", {}, "EARLIER LINE\r\n"},
                      PlacedCase{"AfterALineAnotherProgramAppendedWhileTheyWerePlaced", "EARLIER LINE\r\n",
                                 "ANOTHER PROGRAM'S LINE\r\n", "EARLIER LINE\r\nANOTHER PROGRAM'S LINE\r\n"},
                      PlacedCase{"AfterAnUnendedLineAppendedWhileTheyWerePlaced", "EARLIER LINE\r\n", "UNENDED",
                                 "EARLIER LINE\r\nUNENDED\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OthersInTheExportFolder, TwoExportsPlacingIntoOneChosenFileAtOnceKeepEveryRecordOfBoth)
{
    WriteBytes(Chosen(), "EARLIER LINE\r\n");
    const QStringList responses = Records("RESPONSE-", 2);
    const QStringList statements = Records("STATEMENT-", 2, true);
    int waiting[2];
    ASSERT_EQ(::pipe(waiting), 0);
    bool second = false;
    bool told = false;
    pid_t secondExport = -1;
    // At the first export's placement, a second installation's whole
    // export of the statements into the same file; the first goes on once
    // the second waits for the file, or has ended.
    SetExportStepHook([&](ExportStep step) {
        if (second) {
            if (step == ExportStep::ChosenFileBusy && !std::exchange(told, true)) {
                EXPECT_EQ(::write(waiting[1], "w", 1), 1);
            }
            return;
        }
        if (step != ExportStep::ChosenFileReplacing || secondExport != -1)
            return;
        std::fflush(nullptr);
        secondExport = ::fork();
        if (secondExport == 0) {
            second = true;
            ::close(waiting[0]);
            // A process of its own holds none of the first one's files, nor their locks.
            const QByteArray folder = QFile::encodeName(QFileInfo(Chosen()).canonicalPath()) + '/';
            for (int fd = 3; fd < 1024; ++fd) {
                char target[4096];
                const ssize_t length =
                    ::readlink(QByteArray("/proc/self/fd/" + QByteArray::number(fd)).constData(), target, sizeof target);
                if (length > 0 && QByteArray(target, int(length)).startsWith(folder))
                    ::close(fd);
            }
            const auto installation = Other();
            LogLines secondLog;
            TransmissionResults secondResults;
            ExportAllDebsToFile(*installation, Chosen(), secondLog, secondResults, {"AB001"}, nullptr);
            ::_exit(secondResults.DebsExported() == 2 && secondResults.FatalDebExportErrorMessage().isEmpty() ? 0
                                                                                                               : 1);
        }
        ::close(waiting[1]);
        char waits = 0;
        EXPECT_GE(::read(waiting[0], &waits, 1), 0);
        ::close(waiting[0]);
    });
    ExportVQ7sToFile(db, Chosen(), log, results, {"AB001"}, nullptr);
    SetExportStepHook({});
    ASSERT_GT(secondExport, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(secondExport, &status, 0), secondExport);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const QByteArray content = ReadBytes(Chosen());
    EXPECT_EQ(content.count("EARLIER LINE"), 1) << content.constData();
    for (const QString& reference : responses + statements)
        EXPECT_EQ(content.count(reference.toLatin1()), 1) << reference.toStdString() << '\n' << content.constData();
    EXPECT_EQ(content.count("\r\n"), 1 + responses.size() + statements.size());
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

} // namespace
