#include "support/ProcessRun.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ReportTool, AFileThatCannotBeWrittenEndsWithAFailure)
{
    const ProcessRun run = RunProcess(QStringLiteral(NEVIX_REPORT_TOOL),
                                      {QStringLiteral("enquiries"), QStringLiteral("-o"),
                                       QStringLiteral("/nonexistent/dir/x.pdf")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("The printer could not start the document"))) << run.err.toStdString();
}

TEST(ReportTool, ADatabaseWithNothingOfTheKindPrintsNoFile)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_EQ(RunProcess(QStringLiteral(NEVIX_PREPARE_TOOL), {home}).exitCode, 0);
    const QString database = home + QStringLiteral("/Nevix.MDB");
    for (const auto& [kind, records] : {std::pair{"enquiries", "enquiries"}, std::pair{"responses", "responses"},
                                        std::pair{"statement-summary", "statements"}}) {
        const QString out = dir.filePath(QString::fromLatin1(kind) + QStringLiteral(".pdf"));
        const ProcessRun run = RunProcess(QStringLiteral(NEVIX_REPORT_TOOL), {QString::fromLatin1(kind),
                                          QStringLiteral("--db"), database, QStringLiteral("-o"), out});
        EXPECT_EQ(run.exitCode, 0) << kind;
        EXPECT_EQ(run.out, QStringLiteral("Nothing to print: no %1 in %2\n").arg(QLatin1String(records), database));
        EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.pdf")}).isEmpty()) << kind;
    }
}

} // namespace
