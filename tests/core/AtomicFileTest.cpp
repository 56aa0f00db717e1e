#include "core/AtomicFile.h"
#include "support/DiskFault.h"
#include "support/FileBytes.h"
#include "support/KeeperFiles.h"
#include "support/TestWorld.h"

#include <QDir>
#include <QFile>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using Step = AtomicFile::Step;

const QByteArray Old = "[Database]\nDatabase=+Nevix.MDB\n";
const QByteArray New = "[Database]\nDatabase=+Other.MDB\n[NevixClient]\nProgramInstallMode=3\n";

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

struct FaultCase {
    const char* name;
    Step step;
    int error;
    qint64 bytesBefore;
    const char* reason;
};

class DiskFailure : public ::testing::TestWithParam<FaultCase> {};

TEST_P(DiskFailure, LeavesTheOldFileByteForByteAndNoTemporaryFile)
{
    const FaultCase& c = GetParam();
    TestWorld world;
    const QString path = world.PathOf("Nevix.INI");
    WriteBytes(path, Old);
    DiskFault fault("Nevix.INI", c.step, c.error, c.bytesBefore);

    AtomicFile file(path);
    const bool written = file.Open() && file.WriteAll(New.left(10)) && file.WriteAll(New.mid(10));
    EXPECT_FALSE(written && file.Commit());
    EXPECT_FALSE(file.Commit()) << "a failure stays";
    EXPECT_EQ(fault.hits, 1);
    EXPECT_EQ(file.errorString(), QLatin1String(c.reason));
    EXPECT_EQ(file.DeviceFailure(), c.error != EACCES);
    EXPECT_EQ(ReadBytes(path), Old);
    EXPECT_EQ(FilesIn(world.Folder()), QStringList{"Nevix.INI"});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DiskFailure,
    ::testing::Values(FaultCase{"Refused_at_open", Step::Open, EACCES, 0, "Permission denied"},
                      FaultCase{"Full_before_the_first_byte", Step::Write, ENOSPC, 0, "No space left on device"},
                      FaultCase{"Full_after_4_bytes", Step::Write, ENOSPC, 4, "No space left on device"},
                      FaultCase{"Full_after_20_bytes", Step::Write, ENOSPC, 20, "No space left on device"},
                      FaultCase{"Sync_fails", Step::Sync, EIO, 0, "Input/output error"},
                      FaultCase{"Rename_fails", Step::Place, EIO, 0, "Input/output error"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicFile, ReplacesTheFileWholeAndKeepsItsPermissions)
{
    TestWorld world;
    const QString path = world.PathOf("Nevix.INI");
    WriteBytes(path, Old);
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    QString error;
    ASSERT_TRUE(AtomicFile::Write(path, New, &error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(path), New);
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFileDevice::Permissions(mode) & 0x7077);
    EXPECT_EQ(FilesIn(world.Folder()), QStringList{"Nevix.INI"});
}

TEST(AtomicFile, NothingReachesThePathBeforeCommitAndADiscardLeavesNothing)
{
    TestWorld world;
    const QString path = world.PathOf("export.txt");
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.WriteAll(New));
        EXPECT_FALSE(QFile::exists(path));
    } // dropped without Commit
    EXPECT_EQ(FilesIn(world.Folder()), QStringList());
    AtomicFile file(path);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.WriteAll(New));
    file.Discard();
    EXPECT_EQ(FilesIn(world.Folder()), QStringList());
}

TEST(AtomicFile, ANewOnlyFileNeverTakesTheNameOfAnother)
{
    TestWorld world;
    const QString path = world.PathOf("Duplicate_20240315-103000.csv");
    AtomicFile first(path, AtomicFile::Placement::NewOnly);
    ASSERT_TRUE(first.Open() && first.WriteAll(Old) && first.Commit());

    AtomicFile second(path, AtomicFile::Placement::NewOnly);
    ASSERT_TRUE(second.Open() && second.WriteAll(New));
    EXPECT_FALSE(second.Commit());
    EXPECT_TRUE(second.TargetExists());
    EXPECT_EQ(ReadBytes(path), Old);
    EXPECT_EQ(FilesIn(world.Folder()), QStringList{"Duplicate_20240315-103000.csv"});
}

TEST(AtomicFile, ASettingsFileReachedThroughALinkIsReplacedAndTheLinkKept)
{
    TestWorld world;
    QDir(world.Folder()).mkpath("real");
    const QString real = world.PathOf("real/Nevix.INI");
    const QString link = world.PathOf("Nevix.INI");
    WriteBytes(real, Old);
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(AtomicFile::Write(link, New, nullptr, AtomicFile::Placement::ReplaceExisting,
                                  AtomicFile::Content::Settings));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(real), New);
}

struct LinkCase {
    const char* name;
    bool leadsToAFile;
    AtomicFile::Placement placement;
};

class LinkAtTheName : public ::testing::TestWithParam<LinkCase> {};

// Someone who may write the folder put a link where keeper data is to go.
TEST_P(LinkAtTheName, IsNeverWrittenThroughAndStaysAsItWas)
{
    TestWorld world;
    QDir(world.Folder()).mkpath("elsewhere");
    QDir(world.Folder()).mkpath("out");
    const QString target = world.PathOf("elsewhere/target");
    if (GetParam().leadsToAFile)
        WriteBytes(target, Old);
    const QString link = world.PathOf("out/VQ71503000.EXP");
    ASSERT_TRUE(QFile::link(target, link));

    AtomicFile file(link, GetParam().placement);
    EXPECT_FALSE(file.Open() && file.WriteAll(New) && file.Commit());
    EXPECT_EQ(file.SystemError(), ELOOP);
    EXPECT_EQ(file.errorString(), "A symbolic link has that name; it is never written through");
    EXPECT_EQ(LinkAt(link), target);
    EXPECT_EQ(EntriesIn(world.PathOf("out")), QStringList{"VQ71503000.EXP"});
    EXPECT_EQ(EntriesIn(world.PathOf("elsewhere")), GetParam().leadsToAFile ? QStringList{"target"} : QStringList());
    EXPECT_EQ(ReadBytes(target), GetParam().leadsToAFile ? Old : QByteArray());
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkAtTheName,
    ::testing::Values(LinkCase{"Dangling_replacing", false, AtomicFile::Placement::ReplaceExisting},
                      LinkCase{"Dangling_new_only", false, AtomicFile::Placement::NewOnly},
                      LinkCase{"Live_replacing", true, AtomicFile::Placement::ReplaceExisting},
                      LinkCase{"Live_new_only", true, AtomicFile::Placement::NewOnly}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicFile, ANewFileOfKeeperDataIsForOwnerAndGroupOnlyWhateverTheUmask)
{
    const ScopedUmask mask(022);
    TestWorld world;
    const struct {
        const char* name;
        AtomicFile::Placement placement;
        AtomicFile::Content content;
        int mode;
    } cases[] = {{"keeper.EXP", AtomicFile::Placement::ReplaceExisting, AtomicFile::Content::KeeperData, 0660},
                 {"Duplicate_1.csv", AtomicFile::Placement::NewOnly, AtomicFile::Content::KeeperData, 0660},
                 {"Nevix.INI", AtomicFile::Placement::ReplaceExisting, AtomicFile::Content::Settings, 0644}};
    for (const auto& c : cases) {
        ASSERT_TRUE(AtomicFile::Write(world.PathOf(c.name), New, nullptr, c.placement, c.content)) << c.name;
        EXPECT_EQ(ModeOf(world.PathOf(c.name)), c.mode) << c.name;
    }
}

TEST(AtomicFile, PutInPlaceMovesAWrittenFileAndRefusesATakenName)
{
    TestWorld world;
    const QString built = world.PathOf(".Nevix.MDB.abc123");
    const QString target = world.PathOf("Nevix.MDB");
    WriteBytes(built, New);
    QString error;
    ASSERT_TRUE(AtomicFile::PutInPlace(built, target, AtomicFile::Placement::NewOnly, &error));
    EXPECT_EQ(ReadBytes(target), New);
    EXPECT_FALSE(QFile::exists(built));

    WriteBytes(built, Old);
    EXPECT_FALSE(AtomicFile::PutInPlace(built, target, AtomicFile::Placement::NewOnly, &error));
    EXPECT_EQ(error, "File exists");
    EXPECT_EQ(ReadBytes(target), New);
    DiskFault fault("Other.MDB", Step::Sync, EIO);
    EXPECT_FALSE(AtomicFile::PutInPlace(built, world.PathOf("Other.MDB"),
                                        AtomicFile::Placement::ReplaceExisting, &error));
    EXPECT_EQ(error, "Input/output error");
    EXPECT_FALSE(QFile::exists(world.PathOf("Other.MDB")));
}

// Past the first buffer's worth a failure shows at the write itself.
TEST(AtomicFile, ALargeFileFailsAtTheWriteThatFillsTheDisk)
{
    TestWorld world;
    const QString path = world.PathOf("export.txt");
    WriteBytes(path, Old);
    DiskFault fault("export.txt", Step::Write, ENOSPC, 100000);
    AtomicFile file(path);
    ASSERT_TRUE(file.Open());
    const QByteArray record = QByteArray(78, 'x') + "\r\n";
    int written = 0;
    while (written < 10000 && file.WriteAll(record))
        ++written;
    EXPECT_GT(written, 100000 / 80 - 1);
    EXPECT_LT(written, 10000);
    EXPECT_FALSE(file.WriteAll(record)) << "a failure stays";
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(ReadBytes(path), Old);
    EXPECT_EQ(FilesIn(world.Folder()), QStringList{"export.txt"});
}

TEST(AtomicFile, RemoveUnfinishedTakesOnlyTheTemporaryFilesOfThatPath)
{
    TestWorld world;
    const QString path = world.PathOf("Nevix.INI");
    for (const char* name : {".Nevix.INI.k3j2.tmp", ".Nevix.INI.9.tmp", "Nevix.INI", ".Other.INI.k3j2.tmp",
                             "Nevix.INI.tmp"})
        WriteBytes(world.PathOf(name), Old);
    AtomicFile::RemoveUnfinished(path);
    EXPECT_EQ(FilesIn(world.Folder()), (QStringList{".Other.INI.k3j2.tmp", "Nevix.INI", "Nevix.INI.tmp"}));
}

// Others who may write the folder put a FIFO or a folder at the name: the
// file never replaces it, and nothing waits on a FIFO.
TEST(AtomicFile, SomethingOtherThanAFileAtTheNameIsNeverReplacedNorWaitedOn)
{
    TestWorld world;
    const QString fifo = world.PathOf("fifo.log");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    ASSERT_TRUE(QDir(world.Folder()).mkdir("folder.log"));
    for (const QString& name : {fifo, world.PathOf("folder.log")}) {
        AtomicFile file(name);
        EXPECT_FALSE(file.Open()) << name.toStdString();
        EXPECT_EQ(file.errorString(),
                  "Something other than a regular file (a FIFO, a device or a folder) has that name");
        AtomicFile newOnly(name, AtomicFile::Placement::NewOnly);
        EXPECT_FALSE(newOnly.Open() && newOnly.WriteAll(New) && newOnly.Commit());
        EXPECT_TRUE(newOnly.TargetExists());
    }
    QString error;
    EXPECT_FALSE(AtomicFile::PutInPlace(fifo, world.PathOf("placed.log"), AtomicFile::Placement::NewOnly, &error));
    EXPECT_EQ(error, "Something other than a regular file (a FIFO, a device or a folder) has that name");
    EXPECT_EQ(EntriesIn(world.Folder()), (QStringList{"fifo.log", "folder.log"}));
}

TEST(AtomicFile, KeeperDataKeepsOnlyItsOwnersPermissionsWithoutSetIdOrWriteForOthers)
{
    const struct {
        int mode;
        bool mine;
        AtomicFile::Content content;
        std::optional<int> becomes;
    } cases[] = {{0640, true, AtomicFile::Content::KeeperData, 0640},
                 {04666, true, AtomicFile::Content::KeeperData, 0664},
                 {02770, true, AtomicFile::Content::KeeperData, 0770},
                 {0600, false, AtomicFile::Content::KeeperData, 0660},
                 {04666, false, AtomicFile::Content::KeeperData, 0660},
                 {06755, true, AtomicFile::Content::Settings, 0755}};
    for (const auto& c : cases) {
        struct stat replaced {};
        replaced.st_mode = S_IFREG | mode_t(c.mode);
        replaced.st_uid = c.mine ? ::geteuid() : ::geteuid() + 1;
        const std::optional<mode_t> mode = AtomicFile::ModeFor(c.content, &replaced);
        EXPECT_EQ(mode ? std::optional<int>(int(*mode)) : std::nullopt, c.becomes) << std::oct << c.mode;
    }
    EXPECT_EQ(AtomicFile::ModeFor(AtomicFile::Content::KeeperData, nullptr), mode_t(AtomicFile::KeeperDataMode));
    EXPECT_EQ(AtomicFile::ModeFor(AtomicFile::Content::Settings, nullptr), std::nullopt);
}

// Where a file system lacks the no-replace rename, a file may already have
// its name by a link when it is placed again (a killed run, or two
// installations at once): it keeps that one name.
TEST(AtomicFile, AFileAlreadyLinkedToItsNameKeepsOneName)
{
    TestWorld world;
    const QString written = world.PathOf(".VQ71503000.EXP.x.pending");
    const QString target = world.PathOf("VQ71503000.EXP");
    WriteBytes(written, New);
    ASSERT_TRUE(::link(QFile::encodeName(written).constData(), QFile::encodeName(target).constData()) == 0);
    DiskFault noRename("VQ71503000.EXP", Step::NoReplaceRename, EINVAL);
    EXPECT_EQ(AtomicFile::Rename(written, target, AtomicFile::Placement::NewOnly), 0);
    EXPECT_EQ(FilesIn(world.Folder()), QStringList{"VQ71503000.EXP"});
    WriteBytes(written, Old);
    EXPECT_EQ(AtomicFile::Rename(written, target, AtomicFile::Placement::NewOnly), EEXIST);
    EXPECT_EQ(ReadBytes(target), New);
}

} // namespace

