#include "ImportTest.h"

#include "accounts/User.h"
#include "transfer/VQ3FolderImport.h"

#include <QFile>

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
    EXPECT_EQ(ReadBytes(older), c.archived ? GoodFile : QByteArray("older\r\n"));
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
