#include "transfer/ExportTest.h"

#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/ExportSteps.h"
#include "transfer/VQ7Utils.h"

#include <QDir>

namespace {

// An unattended export killed at one of its steps (a child process that
// dies there as a kill -9 would), then what may happen before the next
// complete run on this computer.
enum class Between {
    Nothing,
    ElsewhereSeeing,       // a run of another computer that sees the folder
    ElsewhereBlind,        // a run of another computer that does not
    ElsewhereFileUnseen,   // a run of another computer that sees the folder but not the pending file
    SameShortNameBlind,    // the same, by a computer of this one's short name
    FolderAway,            // two runs here while the folder is moved away
    EmptyFolderInItsPlace, // a run here while an empty folder stands in for it
};

struct Kill {
    const char* name;
    ExportStep step;
    bool statements;
    Between between = Between::Nothing;
};

void PrintTo(const Kill& kill, std::ostream* os)
{
    *os << kill.name;
}

const QString Undecided = QStringLiteral(" is not known to have its name, so it is kept for the next export: ");

class ExportKill : public ExportTest, public ::testing::WithParamInterface<Kill> {
protected:
    ExportKill()
    {
        Configure("[System]\nConfigVersion=3\n", RunningMode::Automatic);
        Parameters(3);
        QDir(world.Folder()).mkpath("out");
        LogOn({{"AB001", "+out"}});
    }
    ~ExportKill() override { SetExportStepHook({}); }

    // The run's log lines of code 128.
    QStringList Run()
    {
        LogLines log;
        TransmissionResults results;
        log.BeginLogging("AUTOEXEC", "", "clerk");
        try {
            if (GetParam().statements)
                ExportDebsForUserEnquirers(db, log, results);
            else
                ExportVQ7s(db, log, results);
        } catch (const NevixError&) {
        }
        QStringList warnings;
        for (const auto& line : log) {
            if (line->EventCode() == EventCodes::Warning)
                warnings << line->EventText();
        }
        return warnings;
    }
    QStringList RunElsewhere(const QString& computerName, const QString& computerId)
    {
        auto context = std::make_shared<AppContext>(std::make_shared<FakeClock>(),
                                                    std::make_shared<FakeUserInteraction>(), world.Folder(),
                                                    computerName);
        context->SetComputerId(computerId);
        ScopedAppContext elsewhere(context);
        return Run();
    }
    bool Move(const QString& from, const QString& to) { return QDir(world.Folder()).rename(from, to); }

    // The export files as their readers see them: hidden files are not theirs.
    QByteArray ExportLines() const
    {
        QByteArray lines;
        for (const QString& name : QDir(world.PathOf("out")).entryList({"*.EXP"}, QDir::Files))
            lines += ReadBytes(world.PathOf("out/" + name));
        return lines;
    }
};

TEST_P(ExportKill, AfterTheNextCompleteRunEveryRecordIsInExactlyOneFile)
{
    const QStringList references = Records("KILLED-", 3, GetParam().statements);
    ASSERT_TRUE(RunsUntilKilled([&] {
        SetExportStepHook([](ExportStep step) {
            if (step == GetParam().step)
                Die();
        });
        Run();
    })) << "the export never reached the step";

    // What could not be decided is said in every run until it is.
    const bool rowLeft = GetParam().step != ExportStep::FileWhole;
    const auto expectUndecided = [&](const QStringList& warnings) {
        EXPECT_EQ(warnings.filter(Undecided).size(), rowLeft ? 1 : 0) << warnings.join('\n').toStdString();
    };
    switch (GetParam().between) {
    case Between::Nothing:
        break;
    case Between::ElsewhereSeeing:
        RunElsewhere("OTHERPC", "machine-2/OTHERPC");
        break;
    case Between::ElsewhereBlind:
    case Between::SameShortNameBlind:
        ASSERT_TRUE(Move("out", "hidden"));
        expectUndecided(GetParam().between == Between::ElsewhereBlind
                            ? RunElsewhere("OTHERPC", "machine-2/OTHERPC")
                            : RunElsewhere(AppContext::Current().computerName(), "machine-2/TESTPC"));
        ASSERT_TRUE(Move("hidden", "out"));
        break;
    case Between::ElsewhereFileUnseen: {
        const QStringList pending = QDir(world.PathOf("out")).entryList({".*.pending"}, QDir::Files | QDir::Hidden);
        ASSERT_EQ(pending.size(), 1);
        ASSERT_TRUE(Move("out/" + pending.front(), pending.front()));
        expectUndecided(RunElsewhere("OTHERPC", "machine-2/OTHERPC"));
        ASSERT_TRUE(Move(pending.front(), "out/" + pending.front()));
        break;
    }
    case Between::FolderAway:
        ASSERT_TRUE(Move("out", "hidden"));
        expectUndecided(Run());
        expectUndecided(Run());
        ASSERT_TRUE(Move("hidden", "out"));
        break;
    case Between::EmptyFolderInItsPlace:
        ASSERT_TRUE(Move("out", "hidden"));
        ASSERT_TRUE(QDir(world.Folder()).mkdir("out"));
        expectUndecided(Run());
        ASSERT_TRUE(QDir(world.Folder()).rmdir("out"));
        ASSERT_TRUE(Move("hidden", "out"));
        break;
    }
    EXPECT_EQ(Run().filter(Undecided), QStringList());

    const QByteArray lines = ExportLines();
    EXPECT_EQ(lines.count("\r\n"), references.size()) << lines.constData();
    for (const QString& reference : references)
        EXPECT_EQ(lines.count(reference.toLatin1()), 1) << reference.toStdString();
    EXPECT_EQ(Exported(GetParam().statements ? "Debit_Statements" : "VQ7_Responses"), references.size());
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
    // A file killed before its marks is left until it is old enough to go.
    EXPECT_EQ(QDir(world.PathOf("out")).entryList(QDir::Hidden | QDir::Files).filter(QRegularExpression("^\\.")).size(),
              rowLeft ? 0 : 1);
}

const Kill Kills[] = {
    {"Responses_file_whole_marks_not_committed", ExportStep::FileWhole, false},
    {"Responses_marks_committed_file_not_named", ExportStep::MarksCommitted, false},
    {"Responses_file_named_entry_not_removed", ExportStep::FileNamed, false},
    {"Statements_file_whole_marks_not_committed", ExportStep::FileWhole, true},
    {"Statements_marks_committed_file_not_named", ExportStep::MarksCommitted, true},
    {"Statements_file_named_entry_not_removed", ExportStep::FileNamed, true},
    {"Responses_marks_committed_next_run_elsewhere", ExportStep::MarksCommitted, false, Between::ElsewhereSeeing},
    {"Responses_file_named_next_run_elsewhere", ExportStep::FileNamed, false, Between::ElsewhereSeeing},
    {"Statements_marks_committed_next_run_where_the_folder_is_not_seen", ExportStep::MarksCommitted, true,
     Between::ElsewhereBlind},
    {"Responses_marks_committed_next_run_on_a_computer_of_the_same_short_name", ExportStep::MarksCommitted, false,
     Between::SameShortNameBlind},
    {"Responses_marks_committed_next_run_elsewhere_without_the_file", ExportStep::MarksCommitted, false,
     Between::ElsewhereFileUnseen},
    {"Responses_marks_committed_folder_moved_away", ExportStep::MarksCommitted, false, Between::FolderAway},
    {"Statements_file_named_folder_moved_away", ExportStep::FileNamed, true, Between::FolderAway},
    {"Responses_marks_committed_empty_folder_in_its_place", ExportStep::MarksCommitted, false,
     Between::EmptyFolderInItsPlace},
    {"Statements_file_named_empty_folder_in_its_place", ExportStep::FileNamed, true, Between::EmptyFolderInItsPlace},
};

INSTANTIATE_TEST_SUITE_P(Steps, ExportKill, ::testing::ValuesIn(Kills),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
