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

struct ServiceCase {
    const char* name;
    const char* url;
    bool taken;
};

class ServiceAddress : public PrepareTool, public testing::WithParamInterface<ServiceCase> {
protected:
    QString Host() const
    {
        return INIFile().GetIniString(QStringLiteral("NevixServer"), QStringLiteral("NevixHost"), QString(),
                                      PathOf(QStringLiteral("Nevix.INI")));
    }
};

TEST_P(ServiceAddress, IsWrittenForAnHttpOneAndOtherwiseNothingIs)
{
    const ServiceCase& c = GetParam();
    const QString url = QString::fromLatin1(c.url);
    const QStringList arguments{QStringLiteral("--service"), url};

    const ProcessRun fresh = Prepare(arguments);
    if (c.taken) {
        EXPECT_EQ(fresh.exitCode, 0) << fresh.err.toStdString();
        EXPECT_EQ(Host(), url);
        EXPECT_TRUE(QFileInfo::exists(PathOf(QStringLiteral("Nevix.MDB"))));
        EXPECT_TRUE(fresh.out.contains(url)) << fresh.out.toStdString();
    } else {
        EXPECT_EQ(fresh.exitCode, 2);
        EXPECT_TRUE(fresh.err.contains(QStringLiteral("http or https"))) << fresh.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder)) << "nothing made";
    }

    // A folder made before keeps everything but the address it is given.
    ASSERT_EQ(Prepare({QStringLiteral("--service"), QStringLiteral("http://127.0.0.1:1/before")}).exitCode, 0);
    const QByteArray before = ReadBytes(PathOf(QStringLiteral("Nevix.INI")));
    const ProcessRun ready = Prepare(arguments);
    EXPECT_EQ(ready.exitCode, c.taken ? 0 : 2) << ready.err.toStdString();
    EXPECT_EQ(Host(), c.taken ? url : QStringLiteral("http://127.0.0.1:1/before"));
    if (!c.taken) {
        EXPECT_EQ(ReadBytes(PathOf(QStringLiteral("Nevix.INI"))), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Urls, ServiceAddress,
                         testing::Values(ServiceCase{"Http", "http://127.0.0.1:8080/nevix", true},
                                         ServiceCase{"Https", "https://service.example/nevix", true},
                                         ServiceCase{"Ftp", "ftp://x", false},
                                         ServiceCase{"NoScheme", "127.0.0.1:8080/nevix", false},
                                         ServiceCase{"NoHost", "http:///nevix", false},
                                         ServiceCase{"Empty", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
