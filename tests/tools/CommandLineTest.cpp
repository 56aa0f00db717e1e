#include "support/ProcessRun.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Tool {
    const char* name;
    const char* path;
};

void PrintTo(const Tool& tool, std::ostream* os)
{
    *os << tool.name;
}

class EveryTool : public testing::TestWithParam<Tool> {
protected:
    // Run where anything a tool made would show: its working folder is
    // the program folder.
    ProcessRun Run(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("NEVIX_HOME"), home.path());
        return RunProcess(QString::fromLatin1(GetParam().path), arguments, environment);
    }

    QStringList Made() const { return QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    QTemporaryDir home;
};

TEST_P(EveryTool, HelpPrintsTheUsageAndMakesNothing)
{
    const ProcessRun run = Run({QStringLiteral("--help")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: "))) << run.out.toStdString();
    EXPECT_TRUE(Made().isEmpty());
}

TEST_P(EveryTool, AnUnknownOptionIsRefusedWithCodeTwoAndMakesNothing)
{
    const ProcessRun run = Run({QStringLiteral("--no-such-option")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("no-such-option"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("--help"))) << run.err.toStdString();
    EXPECT_TRUE(Made().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Tools, EveryTool,
                         testing::Values(Tool{"prepare", NEVIX_PREPARE_TOOL}, Tool{"report", NEVIX_REPORT_TOOL},
                                         Tool{"service", NEVIX_SERVICE_TOOL}, Tool{"shot", NEVIX_SHOT_TOOL}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
