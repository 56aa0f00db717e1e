#include "support/FileBytes.h"
#include "support/ProcessRun.h"

#include "core/INIFile.h"
#include "startup/SingleInstanceLock.h"
#include "startup/StartRefusal.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The program as its users start it, unattended so that no box waits: on a
// folder made by nevix-prepare, spoilt in one way.
struct RefusalCase {
    const char* name;
    std::function<void(const QString& folder)> spoil;
    StartRefusal refusal;
    const char* message; // on standard error
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

QMap<QString, QByteArray> FilesIn(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files.insert(path, ReadBytes(path));
    }
    return files;
}

class StartRefused : public testing::TestWithParam<RefusalCase> {
protected:
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
};

TEST_P(StartRefused, EndsAtOnceWithItsCodeAndEveryFileAsItWas)
{
    const RefusalCase& c = GetParam();
    ASSERT_EQ(RunProcess(QStringLiteral(NEVIX_PREPARE_TOOL), {home}).exitCode, 0);
    // Installed as a standalone, so that the start reaches its database.
    INIFile().SetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"), QStringLiteral("1"),
                           home + QStringLiteral("/Nevix.INI"));
    c.spoil(home);
    const QMap<QString, QByteArray> before = FilesIn(home);
    // A copy that runs holds the folder's lock.
    std::unique_ptr<SingleInstanceLock> running;
    if (c.refusal == StartRefusal::AlreadyRunning)
        running = std::make_unique<SingleInstanceLock>(home);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NEVIX_HOME"), home);
    const ProcessRun run = RunProcess(QStringLiteral(NEVIX_PROGRAM), {QStringLiteral("/immediate")}, environment);
    QFile::setPermissions(home + QStringLiteral("/Nevix.MDB"), QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(home + QStringLiteral("/data"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(run.finished) << "a start that nobody watches must not wait";
    EXPECT_EQ(run.exitCode, int(c.refusal));
    EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
    const QMap<QString, QByteArray> after = FilesIn(home);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StartRefused,
    testing::Values(
        RefusalCase{"Already_running", [](const QString&) {}, StartRefusal::AlreadyRunning,
                    "Nevix is already running."},
        RefusalCase{"Lock_file_unopenable",
                    [](const QString& home) { QDir().mkpath(home + QStringLiteral("/Nevix.lock")); },
                    StartRefusal::LockFileUnusable, "its lock file cannot be opened"},
        // Refused as it is for any user, also for root.
        RefusalCase{"Lock_file_read_only",
                    [](const QString& home) {
                        const QString lock = home + QStringLiteral("/Nevix.lock");
                        WriteBytes(lock, QByteArray());
                        QFile::setPermissions(lock, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
                    },
                    StartRefusal::LockFileUnusable, "Permission denied"},
        RefusalCase{"Program_folder_read_only",
                    [](const QString& home) { QFile::setPermissions(home, QFile::ReadOwner | QFile::ExeOwner); },
                    StartRefusal::LockFileUnusable, "Permission denied"},
        RefusalCase{"Settings_file_missing",
                    [](const QString& home) { QFile::remove(home + QStringLiteral("/Nevix.INI")); },
                    StartRefusal::SettingsFileMissing, "Unable to load the INI file for the program"},
        RefusalCase{"Database_missing",
                    [](const QString& home) { QFile::remove(home + QStringLiteral("/Nevix.MDB")); },
                    StartRefusal::DatabaseMissing, "Could not find the database:"},
        RefusalCase{"Database_not_a_database",
                    [](const QString& home) { WriteBytes(home + QStringLiteral("/Nevix.MDB"), QByteArray(8192, 'x')); },
                    StartRefusal::DatabaseUnusable, "Unable to complete database initialisation because:"},
        RefusalCase{"Database_read_only",
                    [](const QString& home) {
                        QFile::setPermissions(home + QStringLiteral("/Nevix.MDB"), QFile::ReadOwner | QFile::ReadGroup);
                    },
                    StartRefusal::DatabaseUnusable, "The database cannot be written:"},
        // Its journal would go beside it.
        RefusalCase{"Database_in_a_read_only_folder",
                    [](const QString& home) {
                        const QString data = home + QStringLiteral("/data");
                        QDir().mkpath(data);
                        QFile::rename(home + QStringLiteral("/Nevix.MDB"), data + QStringLiteral("/Nevix.MDB"));
                        INIFile().SetIniString(QStringLiteral("Database"), QStringLiteral("Database"),
                                               data + QStringLiteral("/Nevix.MDB"), home + QStringLiteral("/Nevix.INI"));
                        QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner);
                    },
                    StartRefusal::DatabaseUnusable, "The database cannot be written:"}),
    [](const auto& info) { return std::string(info.param.name); });

// Started from the build folder, nothing but the program's own folder.
TEST(StartWithoutFolder, SaysWhereItLookedOnStandardError)
{
    QTemporaryDir empty;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NEVIX_HOME"), empty.path());
    const ProcessRun run = RunProcess(QStringLiteral(NEVIX_PROGRAM), {QStringLiteral("/autostart")}, environment);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, int(StartRefusal::SettingsFileMissing));
    EXPECT_TRUE(run.err.contains(empty.filePath(QStringLiteral("Nevix.INI")))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("nevix-prepare <folder>"))) << run.err.toStdString();
}

// Under cron there is no display; the immediate run shows no window.
TEST(StartWithoutDisplay, AnImmediateStartRunsAndSaysWhyItEnds)
{
    QTemporaryDir empty;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("NEVIX_HOME"), empty.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(NEVIX_PROGRAM), {QStringLiteral("/immediate")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), int(StartRefusal::SettingsFileMissing));
    EXPECT_TRUE(program.readAllStandardError().contains("Unable to load the INI file for the program"));
}

} // namespace
