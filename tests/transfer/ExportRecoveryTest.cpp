#include "transfer/ExportTest.h"

#include "core/AtomicFile.h"
#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/ExportSteps.h"
#include "transfer/PendingExports.h"
#include "transfer/VQ7Utils.h"

#include <QDir>

#include <sys/stat.h>

namespace {

// Exports killed part-way and finished by the next export, on file systems
// with and without the no-replace rename, beside other installations and
// other writers of the folder.
class ExportRecovery : public ExportTest {
protected:
    ~ExportRecovery() override
    {
        SetExportStepHook({});
        AtomicFile::SetFaultHook({});
    }

    void Automatic()
    {
        Configure("[System]\nConfigVersion=3\n", RunningMode::Automatic);
        QDir(world.Folder()).mkpath("out");
        LogOn({{"AB001", "+out"}});
    }
    // The run's log.
    QString RunAutomatic(bool statements = false)
    {
        LogLines log;
        TransmissionResults results;
        log.BeginLogging("AUTOEXEC", "", "clerk");
        try {
            if (statements)
                ExportDebsForUserEnquirers(db, log, results);
            else
                ExportVQ7s(db, log, results);
        } catch (const NevixError&) {
        }
        return Texts(log);
    }
    void KillAfterTheMarks(bool statements = false)
    {
        ASSERT_TRUE(KilledAt(ExportStep::MarksCommitted, [&] { RunAutomatic(statements); }));
    }
    // A file system without the no-replace rename: files take their names
    // by a link, then lose the pending one. `linked` runs between the two
    // for an export file.
    void WithoutNoReplaceRename(std::function<void()> linked = {})
    {
        AtomicFile::SetFaultHook([linked](const QString& target, AtomicFile::Step step, qint64&) {
            if (step == AtomicFile::Step::NoReplaceRename)
                return EINVAL;
            if (step == AtomicFile::Step::Linked && linked && target.endsWith(".EXP"))
                linked();
            return 0;
        });
    }
    QStringList Visible(const QString& folder = "out") const
    {
        return QDir(world.PathOf(folder)).entryList(QDir::Files);
    }
    QStringList Hidden(const QString& folder = "out") const
    {
        return QDir(world.PathOf(folder)).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression("^\\."));
    }
    QByteArray Content(const QString& folder = "out") const
    {
        QByteArray all;
        for (const QString& name : Visible(folder))
            all += ReadBytes(world.PathOf(folder + "/" + name));
        return all;
    }
    void ExpectEachOnce(const QByteArray& content, const QStringList& references) const
    {
        for (const QString& reference : references)
            EXPECT_EQ(content.count(reference.toLatin1()), 1) << reference.toStdString() << '\n' << content.constData();
    }
};

TEST_F(ExportRecovery, AFileKilledWhileItHadItsNameAndItsPendingOneKeepsOneName)
{
    Automatic();
    const QStringList references = Records("KILLED-", 3);
    ASSERT_TRUE(RunsUntilKilled([&] {
        WithoutNoReplaceRename([] { Die(); });
        RunAutomatic();
    }));
    WithoutNoReplaceRename();
    RunAutomatic();

    EXPECT_EQ(Visible(), QStringList{"VQ71503000.EXP"});
    EXPECT_EQ(Hidden(), QStringList());
    ExpectEachOnce(Content(), references);
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

TEST_F(ExportRecovery, TwoInstallationsFinishingOneFileAtOnceGiveItOneName)
{
    Automatic();
    const QStringList references = Records("KILLED-", 3);
    ASSERT_TRUE(RunsUntilKilled([&] {
        SetExportStepHook([](ExportStep step) {
            if (step == ExportStep::MarksCommitted)
                Die();
        });
        RunAutomatic();
    }));
    // While this installation has the file under both names, another one
    // finishes the same row.
    bool once = false;
    WithoutNoReplaceRename([&] {
        if (std::exchange(once, true))
            return;
        const auto other = Other();
        LogLines log;
        NamePendingExports(*other, log);
    });
    LogLines log;
    NamePendingExports(db, log);

    EXPECT_TRUE(once);
    EXPECT_EQ(Visible(), QStringList{"VQ71503000.EXP"});
    EXPECT_EQ(Hidden(), QStringList());
    ExpectEachOnce(Content(), references);
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

struct TakenCase {
    const char* name;
    bool recovering;
    bool statements;
};

class TakenName : public ExportRecovery, public ::testing::WithParamInterface<TakenCase> {};

TEST_P(TakenName, GivesTheNextNumberOfThePatternWhichTheLogNames)
{
    const bool recovering = GetParam().recovering;
    const bool statements = GetParam().statements;
    const QString prefix = statements ? "DEB" : "VQ7";
    Automatic();
    const QStringList references = Records("OURS-", 2, statements);
    const auto takeTheName = [&] { WriteBytes(world.PathOf("out/" + prefix + "1503000.EXP"), "SOMEONE ELSE'S\r\n"); };
    if (recovering) {
        KillAfterTheMarks(statements);
        takeTheName();
    } else {
        SetExportStepHook([&](ExportStep step) {
            if (step == ExportStep::MarksCommitted)
                takeTheName();
        });
    }
    const QString log = RunAutomatic(statements);

    EXPECT_EQ(Visible(), (QStringList{prefix + "1503000.EXP", prefix + "1503001.EXP"}));
    EXPECT_EQ(ReadBytes(world.PathOf("out/" + prefix + "1503000.EXP")), "SOMEONE ELSE'S\r\n");
    ExpectEachOnce(ReadBytes(world.PathOf("out/" + prefix + "1503001.EXP")), references);
    EXPECT_TRUE(log.contains(world.PathOf("out/" + prefix + "1503001.EXP"))) << log.toStdString();
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

INSTANTIATE_TEST_SUITE_P(Names, TakenName,
                         ::testing::Values(TakenCase{"Live_responses", false, false},
                                           TakenCase{"Live_statements", false, true},
                                           TakenCase{"Recovered_responses", true, false},
                                           TakenCase{"Recovered_statements", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportRecovery, AFileWhoseEveryNameIsTakenWaitsUnderItsHiddenNameUntilOneIsFree)
{
    Automatic();
    const QStringList references = Records("LAST-", 2);
    const auto name = [&](int number) {
        return world.PathOf("out/VQ71503" + QString::number(number).rightJustified(3, '0') + ".EXP");
    };
    for (int number = 0; number <= 999; ++number)
        WriteBytes(name(number), "SOMEONE ELSE'S\r\n");
    EXPECT_TRUE(RunAutomatic().contains("Export path has reached the maximum number of files so no export has been done"));
    EXPECT_EQ(Exported("VQ7_Responses"), 0);

    // The last name is free when the run looks, and taken before the file takes it.
    ASSERT_TRUE(QFile::remove(name(999)));
    SetExportStepHook([&](ExportStep step) {
        if (step == ExportStep::MarksCommitted)
            WriteBytes(name(999), "SOMEONE ELSE'S\r\n");
    });
    RunAutomatic();
    SetExportStepHook({});
    EXPECT_EQ(Visible().size(), 1000);
    EXPECT_EQ(Hidden().size(), 1);
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 1);
    EXPECT_TRUE(RunAutomatic().contains("is not known to have its name, so it is kept for the next export: every "
                                        "name of its pattern is taken"));

    ASSERT_TRUE(QFile::remove(name(500)));
    RunAutomatic();
    ExpectEachOnce(ReadBytes(name(500)), references);
    EXPECT_EQ(Hidden(), QStringList());
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
    EXPECT_EQ(Exported("VQ7_Responses"), references.size());
}

TEST_F(ExportRecovery, ASecondLinkToAKilledExportsFileOutsideItsFolderNamesNothing)
{
    Automatic();
    const QStringList references = Records("KILLED-", 3);
    KillAfterTheMarks();
    // A backup made by hard links, or a user of the group, gives the file
    // another name elsewhere.
    ASSERT_EQ(Hidden().size(), 1);
    ASSERT_TRUE(QDir(world.Folder()).mkpath("backup"));
    ASSERT_EQ(::link(QFile::encodeName(world.PathOf("out/" + Hidden().front())).constData(),
                     QFile::encodeName(world.PathOf("backup/copy")).constData()),
              0);
    RunAutomatic();

    EXPECT_EQ(Visible(), QStringList{"VQ71503000.EXP"});
    ExpectEachOnce(Content(), references);
    EXPECT_EQ(Hidden(), QStringList());
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

TEST_F(ExportRecovery, AnotherFileGivenTheRecordedInodeNumberIsNotTakenForTheOneWritten)
{
    Automatic();
    Records("KILLED-", 3);
    KillAfterTheMarks();
    ASSERT_EQ(Hidden().size(), 1);
    ASSERT_TRUE(QFile::remove(world.PathOf("out/" + Hidden().front())));
    // The file system gave the removed file's number to a file of the
    // pattern that another writer made.
    const QString another = world.PathOf("out/VQ71503000.EXP");
    WriteBytes(another, "SOMEONE ELSE'S\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(another).constData(), &info), 0);
    db.Execute("UPDATE PENDING_EXPORTS SET PendingId=?",
               {QString::number(info.st_dev) + ':' + QString::number(info.st_ino)});
    const QString log = RunAutomatic();

    EXPECT_TRUE(log.contains("The export file " + world.PathOf("out/VQ71503000.EXP") +
                             " (or the next free name) of 3 records was named and has since been taken from its folder"))
        << log.toStdString();
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

// What happens to the chosen file of an export appended to between a kill
// and the next export.
enum class Chosen { LeftAlone, TakenAway, AppendedTo };

struct AppendKill {
    const char* name;
    ExportStep step;
    Chosen then;
    bool statements = false;
};

void PrintTo(const AppendKill& kill, std::ostream* os)
{
    *os << kill.name;
}

class AppendedExportKilled : public ExportRecovery, public ::testing::WithParamInterface<AppendKill> {
protected:
    AppendedExportKilled()
    {
        Configure("[System]\nConfigVersion=3\n");
        LogOn({{"AB001", ""}});
        QDir(world.Folder()).mkpath("out");
        QDir(world.Folder()).mkpath("taken");
    }
    void ExportToChosen()
    {
        LogLines log;
        TransmissionResults results;
        if (GetParam().statements)
            ExportAllDebsToFile(db, Chosen(), log, results, {"AB001"}, nullptr);
        else
            ExportVQ7sToFile(db, Chosen(), log, results, {"AB001"}, nullptr);
    }
    QString Chosen() const { return world.PathOf("out/chosen.txt"); }
};

TEST_P(AppendedExportKilled, NeverWritesAnEarlierLineAgainNorLosesAnothersAndPlacesEachRecordOnce)
{
    const bool statements = GetParam().statements;
    WriteBytes(Chosen(), "EARLIER LINE\r\n");
    const QStringList killed = Records("KILLED-", 2, statements);
    ASSERT_TRUE(RunsUntilKilled([&] {
        SetExportStepHook([](ExportStep step) {
            if (step == GetParam().step)
                Die();
        });
        ExportToChosen();
    }));
    switch (GetParam().then) {
    case Chosen::LeftAlone:
        break;
    case Chosen::TakenAway:
        ASSERT_TRUE(QFile::rename(Chosen(), world.PathOf("taken/chosen.txt")));
        break;
    case Chosen::AppendedTo:
        QFile file(Chosen());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("ANOTHER WRITER'S LINE\r\n");
        break;
    }
    const QStringList later = Records("LATER-", 1, statements);
    ExportToChosen();

    // Every line delivered, wherever it went, once.
    const QByteArray all = Content("taken") + Content("out");
    const bool taken = GetParam().then == Chosen::TakenAway;
    EXPECT_EQ(all.count("EARLIER LINE"), 1) << all.constData();
    EXPECT_EQ(Content("out").count("EARLIER LINE"), taken ? 0 : 1) << all.constData();
    EXPECT_EQ(all.count("ANOTHER WRITER'S LINE"), GetParam().then == Chosen::AppendedTo ? 1 : 0);
    ExpectEachOnce(all, killed + later);
    EXPECT_EQ(all.count("\r\n"), 1 + killed.size() + later.size() + (GetParam().then == Chosen::AppendedTo ? 1 : 0));
    EXPECT_EQ(Visible(), QStringList{"chosen.txt"});
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

const AppendKill AppendKills[] = {
    {"Marks_committed_file_left_alone", ExportStep::MarksCommitted, Chosen::LeftAlone},
    {"Marks_committed_file_taken_away", ExportStep::MarksCommitted, Chosen::TakenAway},
    {"Marks_committed_file_appended_to", ExportStep::MarksCommitted, Chosen::AppendedTo},
    {"Statements_marks_committed_file_taken_away", ExportStep::MarksCommitted, Chosen::TakenAway, true},
    {"Statements_marks_committed_file_appended_to", ExportStep::MarksCommitted, Chosen::AppendedTo, true},
    {"File_named_then_taken_away", ExportStep::FileNamed, Chosen::TakenAway},
    {"File_whole_then_appended_to", ExportStep::FileWhole, Chosen::AppendedTo},
};

INSTANTIATE_TEST_SUITE_P(Kills, AppendedExportKilled, ::testing::ValuesIn(AppendKills),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
