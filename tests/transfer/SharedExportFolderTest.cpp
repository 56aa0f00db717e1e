#include "transfer/ExportTest.h"

#include "support/KeeperFiles.h"

#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/VQ7Utils.h"

#include <QDir>

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
