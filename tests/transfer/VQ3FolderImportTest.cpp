#include "ImportTest.h"

#include "accounts/User.h"
#include "core/DiskFunctions.h"
#include "transfer/VQ3FolderImport.h"

#include <QFile>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QByteArray GoodFile = "AB51ABC,20240301,R1,AB123,01AB\r\n";

struct FolderCase {
    const char* name;
    int16_t mode;
    const char* system;
    bool imported;
    bool archived;
};

const FolderCase Folders[] = {
    {"InteractiveArchives", RunningMode::Interactive, "AutomateImport=Yes", true, true},
    {"AutomaticDeletes", RunningMode::Automatic, "", true, false},
    {"InteractiveWithoutAutomateImportReadsNothing", RunningMode::Interactive, "", false, false},
};

class FolderImport : public ImportTest, public ::testing::WithParamInterface<FolderCase> {};

// AB123 imports from "+in"; CD456 "Beta" has no import folder.
TEST_P(FolderImport, ImportsEachReadableFileAndLeavesTheLockedOne)
{
    const FolderCase& c = GetParam();
    StoreEnquirerWithFolder(QStringLiteral("CD456"), QStringLiteral("Beta"), QString());
    StoreUser(QStringLiteral("alice"), QStringLiteral("Passw0rd1"), {}, QStringLiteral("AB123,CD456"));
    SetCurrentUser(LoadedUser(QStringLiteral("alice")));
    Settings().SetProgramRunningMode(c.mode);
    WriteSettings(QStringLiteral("ConfigVersion=3.0\r\n") + QLatin1String(c.system));

    const QString good = WriteImportFile(QStringLiteral("in/VQ3A.IMP"), GoodFile);
    const QString older = WriteImportFile(QStringLiteral("in/Archive/VQ3A.IMP"), "older\r\n");
    const QString locked = WriteImportFile(QStringLiteral("in/VQ3B.imp"), "AB52ABC,20240301,R2,AB123,01AB\r\n");
    const QString other = WriteImportFile(QStringLiteral("in/OTHER.IMP"), "AB53ABC,20240301,R3,AB123,01AB\r\n");
    const int holder = ::open(QFile::encodeName(locked).constData(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_SH), 0);

    RunEnquiryFileImport(log, results, nullptr, {&questions, 0});
    ::close(holder);

    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries")), c.imported ? 1 : 0);
    EXPECT_EQ(results.VQ3FilesImported(), c.imported ? 1 : 0);
    EXPECT_EQ(QFile::exists(good), !c.imported);
    EXPECT_EQ(ReadBytes(older), "older\r\n") << "an earlier archived file is kept";
    EXPECT_EQ(QFile::exists(world.PathOf(QStringLiteral("in/Archive/VQ3A-1.IMP"))), c.archived);
    EXPECT_TRUE(QFile::exists(locked));
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_TRUE(results.FatalVQ3ImportErrorMessage().isEmpty());
    EXPECT_EQ(Logged(locked + QStringLiteral(" is not accessible and has not been imported (could not open with "
                                             "file lock).")),
              c.imported);
    EXPECT_EQ(Logged(QStringLiteral("Beta not imported because there is no import folder specified.")), c.imported);
    EXPECT_EQ(results.VQ3ImportWarnings(), c.imported ? 1 : 0);
    if (c.imported) {
        EXPECT_TRUE(Logged(QStringLiteral("2 import files using ") + world.PathOf(QStringLiteral("in/VQ3*.IMP"))));
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, FolderImport, ::testing::ValuesIn(Folders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportTest, AnArchiveNameTakenTwiceKeepsEveryFile)
{
    Settings().SetProgramRunningMode(RunningMode::Interactive);
    WriteImportFile(QStringLiteral("in/Archive/VQ3A.IMP"), "first\r\n");
    WriteImportFile(QStringLiteral("in/Archive/VQ3A-1.IMP"), "second\r\n");
    WriteImportFile(QStringLiteral("in/Archive/VQ3B"), "third\r\n");
    WriteImportFile(QStringLiteral("in/VQ3A.IMP"), GoodFile);
    ImportVQ3FilesFromFolder(world.PathOf(QStringLiteral("in")), QStringLiteral("AB123"), log, results, nullptr,
                             {&questions, 0});
    EXPECT_TRUE(results.FatalVQ3ImportErrorMessage().isEmpty()) << results.FatalVQ3ImportErrorMessage().toStdString();
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("in/Archive/VQ3A.IMP"))), "first\r\n");
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("in/Archive/VQ3A-1.IMP"))), "second\r\n");
    EXPECT_EQ(ReadBytes(world.PathOf(QStringLiteral("in/Archive/VQ3A-2.IMP"))), GoodFile);
    EXPECT_FALSE(QFile::exists(world.PathOf(QStringLiteral("in/VQ3A.IMP"))));
}

TEST(NumberedFileName, TheNumberGoesBeforeTheExtension)
{
    EXPECT_EQ(NumberedFileName(QStringLiteral("in/Archive/VQ3A.IMP"), 1), QStringLiteral("in/Archive/VQ3A-1.IMP"));
    EXPECT_EQ(NumberedFileName(QStringLiteral("a.b/VQ3A"), 2), QStringLiteral("a.b/VQ3A-2"));
    EXPECT_EQ(NumberedFileName(QStringLiteral("C:\\in\\.hidden"), 3), QStringLiteral("C:\\in\\.hidden-3"));
    EXPECT_EQ(NumberedFileName(QStringLiteral("x.tar.gz"), 10), QStringLiteral("x.tar-10.gz"));
}

TEST_F(ImportTest, AGrowingFileIsSkippedAndTheRunGoesOn)
{
    const QString growing = WriteImportFile(QStringLiteral("in/VQ3A.IMP"), GoodFile);
    const QString good = WriteImportFile(QStringLiteral("in/VQ3B.IMP"), "AB52ABC,20240301,R2,AB123,01AB\r\n");
    QTimer writer; // another program still writing the first file
    QObject::connect(&writer, &QTimer::timeout, [&] {
        QFile f(growing);
        if (f.open(QIODevice::Append))
            f.write("#");
    });
    writer.start(0);
    ImportVQ3FilesFromFolder(world.PathOf(QStringLiteral("in")), QStringLiteral("AB123"), log, results, nullptr,
                             {&questions, 1});
    writer.stop();
    EXPECT_TRUE(results.FatalVQ3ImportErrorMessage().isEmpty());
    EXPECT_EQ(results.VQ3FilesImported(), 1);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT group_concat(VRM) FROM VQ3_Enquiries")).toString(), "AB52ABC");
    EXPECT_TRUE(QFile::exists(growing)) << "left for a later run";
    EXPECT_FALSE(QFile::exists(good));
    EXPECT_TRUE(Logged(growing + QStringLiteral(" is not accessible and has not been imported (could not open "
                                                "with file lock).")));
}

TEST_F(ImportTest, AFailedFileStaysAndStopsTheFolder)
{
    const QString bad = WriteImportFile(QStringLiteral("in/VQ3A.IMP"), "#" + QByteArray(201, 'x') + "\n");
    ImportVQ3FilesFromFolder(world.PathOf(QStringLiteral("in")), QStringLiteral("AB123"), log, results, nullptr,
                             {&questions, 0});
    EXPECT_TRUE(QFile::exists(bad));
    EXPECT_TRUE(results.UserCancelled());
    EXPECT_EQ(results.FatalVQ3ImportErrorMessage(), QStringLiteral("File import record size is too large"));
}

} // namespace
