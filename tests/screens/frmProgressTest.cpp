#include "MenuTest.h"
#include "WhenShown.h"
#include "support/FileBytes.h"
#include "support/Printers.h"

#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "screens/admin/frmProgress.h"
#include "transfer/VQ3FileImport.h"
#include "transfer/VQ7Utils.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

class ProgressTest : public MenuTest {
protected:
    ProgressTest()
    {
        Make();
        LogOn(Fixture::Admin);
        Settings().SetProgramRunningMode(RunningMode::Interactive);
    }

    int64_t Enquiries()
    {
        RecordSet rs = db().OpenRecordSet(QStringLiteral("SELECT COUNT(*) FROM VQ3_Enquiries"));
        const int64_t n = rs.Field(0).toLongLong();
        rs.Close();
        return n;
    }

    // Imports two good enquiries; the progress window is pressed `presses`
    // times as soon as it is up (closed from its title bar when asked).
    TransmissionResults Import(int presses, bool closeBox = false)
    {
        const QString file = world.PathOf(QStringLiteral("VQ3TWO.IMP"));
        WriteBytes(file, "AB51ABC,20240301,ref1,AB123,01PK\r\nAB52ABC,20240302,ref2,AB123,01PK\r\n");
        Press(presses, closeBox);
        TransmissionResults results;
        LogLines log;
        log.BeginLogging(QStringLiteral("VQ3IMP"), QStringLiteral("Import"), Fixture::Admin);
        ImportSeams seams;
        seams.settleMilliseconds = 1;
        ImportVQ3FromFile(file, &progress, log, false, results, Fixture::FirstEnquirer, seams);
        return results;
    }

    // Exports the responses (all the second enquirer's) into a file of the
    // test.
    TransmissionResults Export(int presses, bool closeBox = false)
    {
        Press(presses, closeBox);
        TransmissionResults results;
        ExportVQ7sToFile(db(), exportFile, exportLog, results, {Fixture::SecondEnquirer}, &progress);
        return results;
    }

    void Press(int presses, bool closeBox)
    {
        if (presses == 0)
            return;
        WhenShown<frmProgress>([presses, closeBox](frmProgress& window) {
            for (int i = 0; i < presses; ++i) {
                if (closeBox)
                    window.close();
                else
                    window.CancelBtn()->click();
            }
        });
    }

    int CancelLines()
    {
        int n = 0;
        for (const auto& line : exportLog)
            n += line->EventText() == QStringLiteral("User Cancelled export");
        return n;
    }

    frmProgress progress;
    LogLines exportLog;
    QString exportFile = world.PathOf(QStringLiteral("responses.EXP"));
};

TEST_F(ProgressTest, AnImportCancelledAtItsFirstStepStoresNothing)
{
    const int64_t before = Enquiries();
    const TransmissionResults cancelled = Import(1);
    EXPECT_EQ(Enquiries(), before);
    EXPECT_EQ(cancelled.VQ3sImported(), 0);
    EXPECT_FALSE(progress.IsLoaded()) << "the work unloads it";
    EXPECT_FALSE(progress.isVisible());

    const TransmissionResults whole = Import(0);
    EXPECT_EQ(Enquiries(), before + 2) << "the same file, not cancelled";
    EXPECT_EQ(whole.VQ3sImported(), 2);
    EXPECT_EQ(progress.StatusLbl()->text(), "") << "emptied when loaded again";
}

TEST_F(ProgressTest, CancelTwiceStopsTheExportOnce)
{
    exportLog.BeginLogging(QStringLiteral("VQ7AEX"), QStringLiteral("Export"), Fixture::Admin);
    const TransmissionResults results = Export(2);
    EXPECT_TRUE(results.UserCancelled());
    EXPECT_EQ(results.VQ7sExported(), 0);
    EXPECT_EQ(CancelLines(), 1);
    EXPECT_EQ(progress.StatusLbl()->text(), "CANCEL");
    EXPECT_FALSE(QFileInfo::exists(exportFile)) << "nothing half-written";
}

TEST_F(ProgressTest, TheCloseBoxActsAsCancel)
{
    exportLog.BeginLogging(QStringLiteral("VQ7AEX"), QStringLiteral("Export"), Fixture::Admin);
    const TransmissionResults results = Export(1, true);
    EXPECT_TRUE(results.UserCancelled());
    EXPECT_EQ(CancelLines(), 1);
    EXPECT_FALSE(progress.isVisible()) << "the work, not the close box, unloaded it";
    EXPECT_FALSE(progress.IsLoaded());
}

TEST_F(ProgressTest, AnExportRunToItsEndLeavesTheWindowUnloaded)
{
    exportLog.BeginLogging(QStringLiteral("VQ7AEX"), QStringLiteral("Export"), Fixture::Admin);
    const TransmissionResults results = Export(0);
    EXPECT_FALSE(results.UserCancelled());
    EXPECT_GT(results.VQ7sExported(), 0);
    EXPECT_TRUE(QFileInfo::exists(exportFile));
    EXPECT_EQ(progress.windowTitle(), "Response Export");
    EXPECT_EQ(progress.StatusPnl()->value(), 100);
    EXPECT_FALSE(progress.IsLoaded());
    EXPECT_FALSE(progress.isVisible());
}

} // namespace
