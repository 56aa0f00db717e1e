#include "transfer/ExportTest.h"

#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/ExportSteps.h"
#include "transfer/VQ7Utils.h"

#include <QDir>

#include <map>
#include <optional>
#include <stdexcept>

namespace {

// An unattended export killed at one of its steps, then run again. The
// kill is a hook that takes an image of the disk at that step (the
// database with its journal, the export folder with its hidden files) and
// stops the export; whatever the stopped export does after that is
// undone by putting the image back, which is what the next run finds.

// An installation on another computer sharing the database runs before
// the killed one runs again; it sees the export folder under the same
// path, or does not see it at all.
enum class Elsewhere { None, Seeing, Blind };

struct Kill {
    const char* name;
    ExportStep step;
    bool statements;
    Elsewhere elsewhere = Elsewhere::None;
};

void PrintTo(const Kill& kill, std::ostream* os)
{
    *os << kill.name;
}

class ExportKill : public ExportTest, public ::testing::WithParamInterface<Kill> {
protected:
    using Image = std::map<QString, QByteArray>;

    ExportKill()
    {
        Configure("[System]\nConfigVersion=3\n", RunningMode::Automatic);
        Parameters(3);
        QDir(world.Folder()).mkpath("out");
        LogOn({{"AB001", "+out"}});
    }
    ~ExportKill() override { SetExportStepHook({}); }

    QStringList DiskFiles() const
    {
        QStringList files;
        for (const QString& name : QDir(world.PathOf("out")).entryList(QDir::Files | QDir::Hidden))
            files << world.PathOf("out/" + name);
        for (const QString& file : {path, path + "-journal"}) {
            if (QFile::exists(file))
                files << file;
        }
        return files;
    }
    Image Take() const
    {
        Image image;
        for (const QString& file : DiskFiles())
            image[file] = ReadBytes(file);
        return image;
    }
    void PutBack(const Image& image)
    {
        db.Disconnect();
        for (const QString& file : DiskFiles())
            QFile::remove(file);
        for (const auto& [file, bytes] : image)
            WriteBytes(file, bytes);
    }

    void Run()
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
    }

    // The export files as their readers see them: hidden files are not theirs.
    QByteArray ExportLines() const
    {
        QByteArray lines;
        for (const QString& name : QDir(world.PathOf("out")).entryList({"*.EXP"}, QDir::Files))
            lines += ReadBytes(world.PathOf("out/" + name));
        return lines;
    }
};

TEST_P(ExportKill, AfterTheNextRunEveryRecordIsInExactlyOneFile)
{
    QStringList references;
    for (int i = 1; i <= 3; ++i) {
        references << QStringLiteral("KILLED-%1").arg(i);
        if (GetParam().statements) {
            auto statement = Statement("AB001");
            statement->SetDEBSTAReference(references.last());
            statement->Apply();
        } else {
            auto response = Keeper();
            response->SetEnquiryReference(references.last());
            response->Apply();
        }
    }

    std::optional<Image> image;
    SetExportStepHook([&](ExportStep step) {
        if (step != GetParam().step || image)
            return;
        image = Take();
        throw std::runtime_error("killed");
    });
    Run();
    SetExportStepHook({});
    ASSERT_TRUE(image) << "the export never reached the step";
    PutBack(*image);
    if (GetParam().elsewhere != Elsewhere::None) {
        ScopedAppContext elsewhere(std::make_shared<AppContext>(
            std::make_shared<FakeClock>(), std::make_shared<FakeUserInteraction>(), world.Folder(), "OTHERPC"));
        const bool blind = GetParam().elsewhere == Elsewhere::Blind;
        ASSERT_TRUE(!blind || QDir(world.Folder()).rename("out", "hidden"));
        Run();
        ASSERT_TRUE(!blind || QDir(world.Folder()).rename("hidden", "out"));
    }
    Run();

    const QByteArray lines = ExportLines();
    EXPECT_EQ(lines.count("\r\n"), references.size()) << lines.constData();
    for (const QString& reference : references)
        EXPECT_EQ(lines.count(reference.toLatin1()), 1) << reference.toStdString();
    EXPECT_EQ(Exported(GetParam().statements ? "Debit_Statements" : "VQ7_Responses"), references.size());
    EXPECT_EQ(CountRows("PENDING_EXPORTS"), 0);
}

const Kill Kills[] = {
    {"Responses_file_whole_marks_not_committed", ExportStep::FileWhole, false},
    {"Responses_marks_committed_file_not_named", ExportStep::MarksCommitted, false},
    {"Responses_file_named_entry_not_removed", ExportStep::FileNamed, false},
    {"Statements_file_whole_marks_not_committed", ExportStep::FileWhole, true},
    {"Statements_marks_committed_file_not_named", ExportStep::MarksCommitted, true},
    {"Statements_file_named_entry_not_removed", ExportStep::FileNamed, true},
    {"Responses_marks_committed_next_run_elsewhere", ExportStep::MarksCommitted, false, Elsewhere::Seeing},
    {"Statements_marks_committed_next_run_where_the_folder_is_not_seen", ExportStep::MarksCommitted, true,
     Elsewhere::Blind},
};

INSTANTIATE_TEST_SUITE_P(Steps, ExportKill, ::testing::ValuesIn(Kills),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
