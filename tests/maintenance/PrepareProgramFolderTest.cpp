#include "PrepareProgramFolder.h"

#include "support/DatabaseTest.h"
#include "support/DiskFault.h"
#include "support/FileBytes.h"

#include "core/GlobalDeclarations.h"
#include "core/INIFile.h"
#include "database/DatabaseSchema.h"

#include <QDir>

namespace {

class PrepareFolder : public ::testing::Test {
protected:
    QString Ini() const { return world.PathOf(QStringLiteral("Nevix.INI")); }
    QString Mdb() const { return world.PathOf(QStringLiteral("Nevix.MDB")); }

    QStringList Files() const
    {
        return QDir(world.Folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // What the program needs of the folder: its settings name a database
    // that opens at the current schema (the information file aside).
    void ExpectWorkingFolder() const
    {
        QStringList files = Files();
        files.removeAll(QStringLiteral("IMPORTANT_INFORMATION.rtf"));
        EXPECT_EQ(files, (QStringList{QStringLiteral("Nevix.INI"), QStringLiteral("Nevix.MDB")}));
        EXPECT_EQ(INIFile().GetIniString(QStringLiteral("Database"), QStringLiteral("Database"), QString(), Ini()),
                  QStringLiteral("+Nevix.MDB"));
        CDataBase db;
        ConnectTo(db, Mdb());
        EXPECT_EQ(db.GetDatabaseSchemaVersion(), DatabaseSchemaVersion);
    }

    // What a run killed inside CreateNewDatabase, or inside the settings
    // write, leaves beside the real names.
    void LeaveTemporaryFiles(bool ofSettings) const
    {
        for (const char* name : {".Nevix.MDB.Ab3dE9", ".Nevix.MDB.Ab3dE9-journal"})
            WriteBytes(world.PathOf(QLatin1String(name)), "half");
        if (ofSettings)
            WriteBytes(world.PathOf(QStringLiteral(".Nevix.INI.x7k2.tmp")), "half");
    }

    TestWorld world;
};

TEST_F(PrepareFolder, AnEmptyFolderGetsItsDatabaseAndThenItsSettings)
{
    const QString info = world.PathOf(QStringLiteral("IMPORTANT_INFORMATION.rtf"));
    EXPECT_EQ(PrepareProgramFolder(world.Folder()), (QStringList{Mdb(), info, Ini()}));
    ExpectWorkingFolder();
    EXPECT_TRUE(ReadBytes(info).startsWith("{\\rtf1"));
}

TEST_F(PrepareFolder, AnInformationFileAlreadyThereIsKept)
{
    const QString info = world.PathOf(QStringLiteral("IMPORTANT_INFORMATION.rtf"));
    WriteBytes(info, "{\\rtf1 Our own}");
    EXPECT_EQ(PrepareProgramFolder(world.Folder()), (QStringList{Mdb(), Ini()}));
    EXPECT_EQ(ReadBytes(info), "{\\rtf1 Our own}");
}

TEST_F(PrepareFolder, AReadyFolderIsLeftAlone)
{
    PrepareProgramFolder(world.Folder());
    const QByteArray ini = ReadBytes(Ini());
    const QByteArray mdb = ReadBytes(Mdb());
    EXPECT_EQ(PrepareProgramFolder(world.Folder()), QStringList());
    EXPECT_EQ(ReadBytes(Ini()), ini);
    EXPECT_EQ(ReadBytes(Mdb()), mdb);
}

struct KilledCase {
    const char* name;
    bool database; // what the killed run had put in place
    bool settings;
};

class KilledRun : public PrepareFolder, public ::testing::WithParamInterface<KilledCase> {};

// Earlier versions wrote the settings first: a run killed before the
// database left a folder that every later run took as finished.
TEST_P(KilledRun, TheNextRunGivesAWorkingFolder)
{
    const KilledCase& c = GetParam();
    if (c.database)
        DatabaseSchema::CreateNewDatabase(Mdb());
    if (c.settings)
        INIFile().SetIniString(QStringLiteral("Database"), QStringLiteral("Database"), QStringLiteral("+Nevix.MDB"),
                               Ini());
    LeaveTemporaryFiles(!c.settings);
    const QByteArray database = ReadBytes(Mdb());
    // Settings without their database are also what a database deleted or
    // out of reach leaves: a new one is made only when asked.
    const bool ask = c.settings && !c.database;
    if (ask) {
        EXPECT_THROW(PrepareProgramFolder(world.Folder()), NevixError);
    }
    PrepareProgramFolder(world.Folder(), ask);
    ExpectWorkingFolder();
    if (c.database) {
        EXPECT_EQ(ReadBytes(Mdb()), database) << "a database in place is never made anew";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, KilledRun,
                         ::testing::Values(KilledCase{"Before_the_database", false, false},
                                           KilledCase{"Between_database_and_settings", true, false},
                                           KilledCase{"Settings_without_database", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailedCase {
    const char* name;
    const char* file;
    AtomicFile::Step step;
};

class FailedRun : public PrepareFolder, public ::testing::WithParamInterface<FailedCase> {};

TEST_P(FailedRun, LeavesNoHalfMadeFileAndTheNextRunFinishes)
{
    const FailedCase& c = GetParam();
    {
        DiskFault full(QLatin1String(c.file), c.step, ENOSPC, 10);
        EXPECT_THROW(PrepareProgramFolder(world.Folder()), NevixError);
    }
    // The information file is whole before the settings are begun.
    QStringList left = Files();
    left.removeAll(QStringLiteral("IMPORTANT_INFORMATION.rtf"));
    EXPECT_TRUE(left.isEmpty() || left == QStringList{QStringLiteral("Nevix.MDB")}) << left.join(' ').toStdString();
    PrepareProgramFolder(world.Folder());
    ExpectWorkingFolder();
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedRun,
                         ::testing::Values(FailedCase{"Database_not_synced", "Nevix.MDB", AtomicFile::Step::Sync},
                                           FailedCase{"Database_not_renamed", "Nevix.MDB", AtomicFile::Step::Place},
                                           FailedCase{"Settings_disk_full", "Nevix.INI", AtomicFile::Step::Write}),
                         [](const auto& info) { return std::string(info.param.name); });

// A client's database is a server's file: an empty one made in its place
// would hide the real one once the share is back.
TEST_F(PrepareFolder, AClientWhoseSharedDatabaseIsMissingGetsNoNewOne)
{
    const QString shared = world.PathOf(QStringLiteral("server/Nevix.MDB"));
    INIFile().SetIniString(QStringLiteral("Database"), QStringLiteral("Database"), shared, Ini());
    INIFile().SetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"), QStringLiteral("3"),
                           Ini());
    QDir().mkpath(world.PathOf(QStringLiteral("server")));
    EXPECT_THROW(PrepareProgramFolder(world.Folder()), NevixError);
    EXPECT_THROW(PrepareProgramFolder(world.Folder(), true), NevixError);
    EXPECT_FALSE(QFileInfo::exists(shared));

    INIFile().SetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"), QStringLiteral("1"),
                           Ini());
    EXPECT_EQ(PrepareProgramFolder(world.Folder(), true), QStringList{shared});
}

} // namespace
