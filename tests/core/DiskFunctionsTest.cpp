#include "core/DiskFunctions.h"
#include "platform/NevixError.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

TEST(PathParts, TrailingAndLeadingSeparators)
{
    EXPECT_EQ(RemoveTrailingBackslash("C:\\"), "C:");
    EXPECT_EQ(RemoveTrailingBackslash("a\\"), "a\\");
    EXPECT_EQ(RemoveTrailingBackslash("C:\\data\\"), "C:\\data");
    EXPECT_EQ(RemoveTrailingBackslash("/srv/in/"), "/srv/in");
    EXPECT_EQ(RemoveTrailingBackslash("/"), "/");
    EXPECT_EQ(AddTrailingBackslash(QString()), QString());
    EXPECT_EQ(AddTrailingBackslash("/srv/data"), "/srv/data/");
    EXPECT_EQ(AddTrailingBackslash("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(RemoveLeadingBackslash("\\x"), "x");
    EXPECT_EQ(TrimBackslashes("\\Data\\"), "Data");
}

TEST(PathParts, TrimBackslashesTakesOneSeparatorFromEachEndWhateverTheLength)
{
    const struct {
        const char* path;
        const char* trimmed;
    } cases[] = {{"/a/", "a"}, {"\\a\\", "a"}, {"a/", "a"}, {"/a", "a"}, {"//", ""},
                 {"/", ""},    {"", ""},         {"//a//", "/a/"}, {"C:/", "C:"}};
    for (const auto& c : cases)
        EXPECT_EQ(TrimBackslashes(c.path), c.trimmed) << c.path;
}

TEST(PathParts, FileNameAndFolder)
{
    EXPECT_EQ(GetFileNamePart("C:\\data\\file.txt"), "file.txt");
    EXPECT_EQ(GetFileNamePart("/srv/data/file.txt"), "file.txt");
    EXPECT_EQ(GetFileNamePart("file.txt"), "file.txt");
    EXPECT_EQ(GetFileNamePart("C:\\data\\"), QString());
    EXPECT_EQ(GetFileNamePart("  "), QString());
    // ":" is an ordinary character in a file name here.
    EXPECT_EQ(GetFileNamePart("/in/a:b.txt"), "a:b.txt");
    EXPECT_EQ(GetFolderFromPath("C:\\data\\file.txt"), "C:\\data\\");
    EXPECT_EQ(GetFolderFromPath("/srv/file.txt"), "/srv/");
    EXPECT_EQ(GetFolderFromPath("file.txt"), QString());
}

TEST(PathParts, NoDriveLetters)
{
    EXPECT_TRUE(DriveExists("/srv"));
    EXPECT_FALSE(DriveExists(QString()));
    EXPECT_FALSE(IsValidDriveLetter("C:\\data"));
}

TEST(CheckFolderAccess, CreatesMissingFoldersOrSaysWhyNot)
{
    TestWorld world;
    const QString file = world.PathOf("plain.txt");
    WriteBytes(file, "x");
    const struct {
        QString folder;
        bool create;
        QString expected;
    } cases[] = {
        {world.PathOf("a/b/c/"), true, ""}, {world.Folder() + "\\in\\enq", true, ""},
        {world.PathOf("nope"), false, "Folder does not exist"},
        {file, true, "Cannot access (write) the required folder: " + file},
        {file + "/sub", true, "Cannot create the required folder: " + file + "/sub"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckFolderAccess(c.folder, c.create), c.expected) << c.folder.toStdString();
    EXPECT_TRUE(QDir(world.PathOf("a/b/c")).exists());
    EXPECT_TRUE(QDir(world.PathOf("in/enq")).exists());
    EXPECT_FALSE(QFile::exists(world.PathOf("a/b/c/QRLTEST.$$$")));
}

TEST(EnsureFolderAccessible, WarnsOnlyWhenAsked)
{
    TestWorld world;
    const QString missing = world.PathOf("missing");
    EXPECT_FALSE(EnsureFolderAccessible(missing, false, false));
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_FALSE(EnsureFolderAccessible(missing, false, true));
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes.first().text, "Folder does not exist");
    EXPECT_EQ(world.ui().boxes.first().style, 0x30u);
    EXPECT_TRUE(EnsureFolderAccessible(missing, true, true));
}

TEST(Files, DeleteExistsAndMarker)
{
    TestWorld world;
    const QString marker = world.PathOf("marker.txt");
    WriteMarkerFile(marker);
    EXPECT_EQ(ReadBytes(marker), QByteArray("MARKER-FILE\r\n"));
    EXPECT_TRUE(FileExists(marker));
    EXPECT_FALSE(FileExists(world.Folder()));
    EXPECT_EQ(DeleteFileChecked(marker), QString());
    EXPECT_FALSE(FileExists(marker));
    EXPECT_EQ(DeleteFileChecked(marker), QString());
    EXPECT_THROW(WriteMarkerFile(world.PathOf("none/marker.txt")), NevixError);
}

TEST(Files, CanBeOpenedOnlyWhenNobodyHoldsALock)
{
    TestWorld world;
    const QString path = world.PathOf("VQ3001.IMP");
    WriteBytes(path, "line\r\n");
    EXPECT_TRUE(FileCanBeOpened(path, std::chrono::milliseconds(0)));

    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_SH), 0);
    EXPECT_FALSE(FileCanBeOpened(path, std::chrono::milliseconds(0)));
    ::close(fd);
    EXPECT_TRUE(FileCanBeOpened(path, std::chrono::milliseconds(0)));
    EXPECT_FALSE(FileCanBeOpened(world.PathOf("missing"), std::chrono::milliseconds(0)));
}

TEST(ShowFileDialog, SplitsFolderNameAndExtension)
{
    TestWorld world;
    world.ui().ScriptFile("/in/orders.edi");
    QString name = "C:\\in\\orders.edi";
    QString filter;
    EXPECT_EQ(ShowFileDialog(1, "Import", name, filter), "/in/orders.edi");
    ASSERT_EQ(world.ui().fileRequests.size(), 1);
    const FileDialogRequest& r = world.ui().fileRequests.first();
    EXPECT_EQ(r.mode, FileDialogMode::Open);
    EXPECT_EQ(r.initialFolder, "C:/in");
    EXPECT_EQ(r.fileName, "orders.edi");
    EXPECT_EQ(name, "orders");
    EXPECT_EQ(filter, "All files (*.*) | *.*");
}

TEST(ShowFileDialog, CancelReturnsEmptyWithoutAMessage)
{
    TestWorld world;
    QString name;
    QString filter = "Logs (*.log)|*.log";
    EXPECT_EQ(ShowFileDialog(2, "Save", name, filter), QString());
    EXPECT_EQ(world.ui().fileRequests.first().mode, FileDialogMode::Save);
    EXPECT_EQ(world.ui().fileRequests.first().fileName, "*.*");
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

} // namespace
