#include "transfer/ExportTest.h"

#include "support/DiskFault.h"

#include "database/TransmissionResults.h"
#include "transfer/DEBUtils.h"
#include "transfer/ExportRecordWriter.h"
#include "transfer/VQ7Utils.h"

#include <QBuffer>
#include <QDir>

namespace {

// A device whose disk is full.
class FullDisk : public QIODevice {
public:
    FullDisk()
    {
        open(WriteOnly);
        setErrorString("No space left on device");
    }
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

TEST(ExportRecordWriterTest, WritesWindows1252LinesAndRaisesTheDevicesFailure)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(ExportRecordWriter(buffer).Write(QString::fromUtf8("Zoë,Ω"), "x")) << "a character written as ?";
    EXPECT_TRUE(ExportRecordWriter(buffer).Write(QString::fromUtf8("O’Neil,€5"), "x"));
    EXPECT_EQ(buffer.data(), QByteArray("Zo\xeb,?\r\nO\x92Neil,\x80" "5\r\n"));

    FullDisk disk;
    try {
        ExportRecordWriter(disk).Write("A", "out.EXP");
        FAIL() << "no error";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Description(), "Could not write to the export file out.EXP: No space left on device");
    }
}

class ExportRun : public ExportTest {
protected:
    QStringList Files(const QString& folder) const
    {
        return QDir(world.PathOf(folder)).entryList(QDir::Files, QDir::Name);
    }
    LogLines log;
    TransmissionResults results;
};

class SequenceRun : public ExportRun, public ::testing::WithParamInterface<bool> {};

TEST_P(SequenceRun, NumbersCarryOnAcrossEnquirersOnlyWhenExplicit)
{
    const bool explicitSequence = GetParam();
    Configure(explicitSequence ? "[NevixClient]\nExplicitExportSequence=Yes\n" : "",
              RunningMode::Automatic);
    QDir(world.Folder()).mkpath("a");
    QDir(world.Folder()).mkpath("b");
    WriteBytes(world.PathOf("a/VQ71503000.EXP"), "taken\r\n");
    LogOn({{"AB001", "+a"}, {"CD002", "+b"}, {"EF003", ""}, {"GH004", "+b"}});
    Keeper("AB001"), Keeper("CD002");
    log.BeginLogging("AUTOEXEC", "", "clerk");
    ExportVQ7s(db, log, results);

    EXPECT_EQ(Files("a").join(','), "VQ71503000.EXP,VQ71503001.EXP");
    EXPECT_EQ(Files("b").join(','), explicitSequence ? "VQ71503001.EXP" : "VQ71503000.EXP");
    EXPECT_EQ(results.VQ7sExported(), 2);
    EXPECT_EQ(results.VQ7FilesExported(), 2);
    EXPECT_EQ(results.VQ7ExportWarnings(), 1);
    EXPECT_EQ(Exported("VQ7_Responses"), 2);
    const QString texts = Texts(log);
    EXPECT_TRUE(texts.contains("No Export path is available for Enquirer EF003 so no Responses were exported"));
    EXPECT_TRUE(texts.contains("No Responses found to export for this enquirer"));
    EXPECT_TRUE(texts.contains("1VQ7 responses were exported"));
}

INSTANTIATE_TEST_SUITE_P(Explicit, SequenceRun, ::testing::Bool());

TEST_F(ExportRun, InteractiveRunWithoutAutomateImportExportsNothing)
{
    Configure("");
    LogOn({{"AB001", "+a"}});
    Keeper();
    log.BeginLogging("COMRUN", "", "clerk");
    ExportVQ7s(db, log, results);
    EXPECT_EQ(log.Count(), 1);
    EXPECT_EQ(Exported("VQ7_Responses"), 0);
}

TEST_F(ExportRun, ManualExportAppendsAndMarksOnlyAWholeFile)
{
    Configure("[System]\nConfigVersion=3\n");
    Parameters(1);
    LogOn({{"AB001", ""}});
    Keeper(), Keeper(), Keeper();
    const QString out = world.PathOf("chosen.txt");
    WriteBytes(out, "earlier\r\n");

    CancellingProgress cancel(2);
    ExportVQ7sToFile(db, out, log, results, {"AB001"}, &cancel);
    EXPECT_EQ(ReadBytes(out), "earlier\r\n");
    EXPECT_EQ(Exported("VQ7_Responses"), 0);
    EXPECT_TRUE(results.UserCancelled());
    EXPECT_TRUE(cancel.finished);
    EXPECT_EQ(cancel.caption, "Response Export");
    EXPECT_TRUE(Texts(log).contains("User Cancelled export"));
    EXPECT_EQ(log.GetLogHeader()->ProcessCode(), "VQ7AEX");

    CancellingProgress never(0);
    ExportVQ7sToFile(db, out, log, results, {"AB001"}, &never);
    EXPECT_EQ(ReadBytes(out).count("\r\n"), 4);
    EXPECT_TRUE(ReadBytes(out).startsWith("earlier\r\nAB12CDE,"));
    EXPECT_EQ(never.steps, (QList<int>{33, 66, 100}));
    EXPECT_EQ(Exported("VQ7_Responses"), 3);
    EXPECT_EQ(results.FatalVQ7ExportErrorMessage(), "");
}

TEST_F(ExportRun, AFailedSaveOrDiskLeavesNoFileAndMarksNothing)
{
    Configure("[System]\nConfigVersion=3\n");
    LogOn({{"AB001", ""}});
    Keeper();
    const auto changed = Keeper();
    // Another installation changes a response while the file is written.
    CancellingProgress progress(0);
    progress.onStep = [&](int step) {
        if (step == 1)
            Other()->Execute("UPDATE VQ7_Responses SET TmStamp='x' WHERE VQ7ID='" + changed->ID() + "'");
    };
    const QString out = world.PathOf("out.txt");
    ExportVQ7sToFile(db, out, log, results, {}, &progress);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(Exported("VQ7_Responses"), 0);
    EXPECT_EQ(results.FatalVQ7ExportErrorMessage(), "Concurrency prevented update.");

    // The folder is a file: the file cannot be made.
    WriteBytes(world.PathOf("file"), "x");
    TransmissionResults second;
    ExportVQ7sToFile(db, world.PathOf("file/out.txt"), log, second, {}, nullptr);
    EXPECT_TRUE(second.FatalVQ7ExportErrorMessage().startsWith("Could not create the export file "));
    EXPECT_EQ(Exported("VQ7_Responses"), 0);
    EXPECT_EQ(log.ErrorCount(), 1); // each manual export is a run of its own
    EXPECT_TRUE(Texts(log).contains("Could not create the export file "));
}

TEST_F(ExportRun, ADiskThatFillsLeavesTheEarlierFileWholeAndNothingMarkedExported)
{
    Configure("[System]\nConfigVersion=3\n");
    LogOn({{"AB001", ""}});
    Keeper();
    const QString out = world.PathOf("out.txt");
    const QByteArray earlier = "an earlier export, line one\r\nline two\r\n";
    WriteBytes(out, earlier);
    {
        // The file is written under its pending name until it is whole.
        DiskFault full(".pending", AtomicFile::Step::Write, ENOSPC, earlier.size() + 3);
        ExportVQ7sToFile(db, out, log, results, {}, nullptr);
        EXPECT_EQ(full.hits, 1);
    }
    EXPECT_EQ(ReadBytes(out), earlier);
    EXPECT_EQ(Exported("VQ7_Responses"), 0);
    EXPECT_TRUE(results.FatalVQ7ExportErrorMessage().endsWith(": No space left on device"))
        << results.FatalVQ7ExportErrorMessage().toStdString();
    EXPECT_EQ(QDir(world.Folder()).entryList({"*out.txt*"}, QDir::Files | QDir::Hidden), QStringList{"out.txt"});
}

TEST_F(ExportRun, DebitStatementsPerEnquirerAndCancelledManualExport)
{
    Configure("[System]\nConfigVersion=3\n", RunningMode::Automatic);
    Parameters(3);
    QDir(world.Folder()).mkpath("a");
    QDir(world.Folder()).mkpath("b");
    LogOn({{"AB001", "+a"}, {"CD002", "+b"}, {"EF003", ""}});
    Statement("AB001");
    log.BeginLogging("AUTOEXEC", "", "clerk");
    ExportDebsForUserEnquirers(db, log, results);
    EXPECT_EQ(Files("a").join(','), "DEB1503000.EXP");
    EXPECT_EQ(ReadBytes(world.PathOf("a/DEB1503000.EXP")).size(), 135);
    EXPECT_EQ(Files("b").join(','), "");
    EXPECT_EQ(results.DebsExported(), 1);
    EXPECT_EQ(results.DebExportWarnings(), 1);
    EXPECT_EQ(Exported("Debit_Statements"), 1);
    EXPECT_EQ(log.Count(), 3); // start, the file, the enquirer without a folder

    Statement("CD002");
    CancellingProgress cancel(1);
    TransmissionResults manual;
    ExportAllDebsToFile(db, world.PathOf("deb.txt"), log, manual, {}, &cancel);
    EXPECT_FALSE(QFile::exists(world.PathOf("deb.txt")));
    EXPECT_TRUE(manual.UserCancelled());
    EXPECT_TRUE(Texts(log).endsWith("Export cancelled"));
    EXPECT_EQ(Exported("Debit_Statements"), 1);
}

} // namespace
