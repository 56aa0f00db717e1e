#include "support/FileBytes.h"
#include "support/ProcessRun.h"

#include "core/INIFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PrepareTool : public testing::Test {
protected:
    ProcessRun Prepare(QStringList arguments = {})
    {
        return RunProcess(QStringLiteral(NEVIX_PREPARE_TOOL), arguments << folder);
    }

    QString PathOf(const QString& name) const { return folder + QLatin1Char('/') + name; }

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("home"));
};

TEST_F(PrepareTool, ADeletedDatabaseIsReportedAndMadeOnlyWithTheOption)
{
    ASSERT_EQ(Prepare().exitCode, 0);
    const QString database = PathOf(QStringLiteral("Nevix.MDB"));
    ASSERT_TRUE(QFile::remove(database));
    const QByteArray settings = ReadBytes(PathOf(QStringLiteral("Nevix.INI")));

    const ProcessRun refused = Prepare();
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(database)) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--new-database"))) << refused.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(database));
    EXPECT_EQ(ReadBytes(PathOf(QStringLiteral("Nevix.INI"))), settings);

    const ProcessRun asked = Prepare({QStringLiteral("--new-database")});
    EXPECT_EQ(asked.exitCode, 0) << asked.err.toStdString();
    EXPECT_EQ(asked.out, QStringLiteral("Made ") + database + QLatin1Char('\n'));
    EXPECT_TRUE(ReadBytes(database).startsWith("SQLite format 3"));
    // Asked again, the new database is kept: none is ever replaced.
    const QByteArray made = ReadBytes(database);
    EXPECT_NE(Prepare({QStringLiteral("--new-database")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(database), made);
}

TEST_F(PrepareTool, NothingIsMadeInAnEmptyFolderTheSettingsName)
{
    ASSERT_EQ(Prepare().exitCode, 0);
    const QString share = dir.filePath(QStringLiteral("share"));
    ASSERT_TRUE(QDir().mkpath(share));
    INIFile().SetIniString(QStringLiteral("Database"), QStringLiteral("Database"), share + QStringLiteral("/Nevix.MDB"),
                           PathOf(QStringLiteral("Nevix.INI")));
    const ProcessRun refused = Prepare();
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(share + QStringLiteral("/Nevix.MDB"))) << refused.err.toStdString();
    EXPECT_TRUE(QDir(share).isEmpty());
}

} // namespace
