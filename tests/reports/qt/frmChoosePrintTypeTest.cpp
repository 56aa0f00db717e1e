#include "PrintToFile.h"

#include "support/FileBytes.h"
#include "support/LoggedOnTest.h"
#include "support/PdfTools.h"
#include "support/Printers.h"
#include "support/SettlingPrinters.h"

#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"
#include "reports/PrinterCatalog.h"
#include "reports/RecordingCanvas.h"
#include "reports/qt/CurrentPrinter.h"
#include "reports/qt/QtPrinterCanvas.h"
#include "reports/qt/frmChoosePrintType.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

// Records what is printed; `onJob` runs as each print job starts.
class WatchedCanvas : public RecordingCanvas {
public:
    std::function<void(int32_t job)> onJob;
    void StartJob(int16_t orientation, int32_t jobNumber) override
    {
        RecordingCanvas::StartJob(orientation, jobNumber);
        if (onJob)
            onJob(Count(Kind::StartJob));
    }
};

class PrintTypeDialog : public LoggedOnTest {
protected:
    PrintTypeDialog()
    {
        world.clock().Set(QDateTime(QDate(2026, 12, 6), QTime(10, 30)));
        Make();
        LogOn(Fixture::Manager);
        responses.SetDataSource(&GlobalDatabase(), false);
        dialog.SetCanvasMaker([this] {
            auto canvas = std::make_unique<WatchedCanvas>();
            canvas->onJob = onJob;
            lastCanvas = canvas.get();
            return canvas;
        });
    }

    // The lines of the last printing run in the transmission log.
    QStringList LastRunLines()
    {
        RecordSet rs = GlobalDatabase().OpenRecordSet(
            QStringLiteral("SELECT ProcessCode, Event_Text FROM Transmission_Log WHERE Run_Number = "
                           "(SELECT max(Run_Number) FROM Transmission_Log) AND Event_Code = 32 ORDER BY rowid"));
        QStringList lines;
        for (; !rs.IsEOF(); rs.MoveNext())
            lines << rs.Field(0).toString() + QStringLiteral(": ") + rs.Field(1).toString();
        rs.Close();
        return lines;
    }

    VQ7Responses responses;
    frmChoosePrintType dialog;
    std::function<void(int32_t)> onJob;
    WatchedCanvas* lastCanvas = nullptr;
};

TEST_F(PrintTypeDialog, MoreThanTwentyResponsesWarnOfThePagesInRed)
{
    for (const int count : {20, 21}) {
        VQ7Responses list;
        list.SetDataSource(&GlobalDatabase(), false);
        for (int i = 0; i < count; ++i)
            list.Add(std::make_shared<VQ7>());
        frmChoosePrintType shown;
        shown.SetForVQ7(nullptr, list);
        const QRadioButton* all = shown.OptWhatToPrintVq7(1);
        if (count == 20) {
            EXPECT_EQ(all->text(), QStringLiteral("All the responses in the list"));
            EXPECT_TRUE(all->styleSheet().isEmpty());
        } else {
            EXPECT_EQ(all->text(), QStringLiteral("All the responses in the list (21 pages)"));
            EXPECT_TRUE(all->styleSheet().contains(QStringLiteral("#ff0000")));
        }
    }
}

TEST_F(PrintTypeDialog, EachModeShowsItsOwnFrameAndThePeriodListSitsBesideItsOption)
{
    VQ3Enquiries enquiries;
    dialog.SetForVQ3(nullptr, enquiries);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("WHAT TO PRINT"));
    EXPECT_FALSE(dialog.FraPrintWhat(1)->isHidden());
    EXPECT_TRUE(dialog.FraPrintWhat(2)->isHidden());
    EXPECT_TRUE(dialog.FraPrintWhat(3)->isHidden());
    EXPECT_TRUE(dialog.OptWhatToPrintVq3(0)->isChecked());
    EXPECT_EQ(dialog.OptWhatToPrintVq3(1)->text(), QStringLiteral("All the enquiries in the list"));
    EXPECT_TRUE(dialog.LblPrinterName()->text().startsWith(QStringLiteral("Using printer: ")));

    frmChoosePrintType forResponses;
    forResponses.SetForVQ7(nullptr, responses);
    QComboBox* period = forResponses.CboVq7Selection();
    EXPECT_TRUE(period->isHidden());
    EXPECT_EQ(period->currentIndex(), -1);
    const struct {
        int option;
        bool shown;
    } cases[] = {{3, true}, {0, false}, {4, true}, {2, false}};
    for (const auto& c : cases) {
        period->setCurrentIndex(3);
        forResponses.OptWhatToPrintVq7(c.option)->click();
        EXPECT_EQ(!period->isHidden(), c.shown) << c.option;
        if (c.shown) {
            EXPECT_EQ(period->currentText(), QStringLiteral("this week")) << c.option;
            const QRect beside = forResponses.OptWhatToPrintVq7(c.option)->geometry();
            EXPECT_GE(period->x(), beside.left() + forResponses.OptWhatToPrintVq7(c.option)->sizeHint().width())
                << c.option;
            EXPECT_NEAR(period->geometry().center().y(), beside.center().y(), 2) << c.option;
        }
    }
    // Chosen without a click, as well.
    forResponses.OptWhatToPrintVq7(3)->setChecked(true);
    EXPECT_FALSE(period->isHidden());
    EXPECT_EQ(period->currentText(), QStringLiteral("this week"));
    forResponses.OptWhatToPrintVq7(1)->setChecked(true);
    EXPECT_TRUE(period->isHidden());
}

TEST_F(PrintTypeDialog, OneSelectedResponseIsLoggedWithAnEmptyRange)
{
    responses.LoadByWhenReceived(QDate(2026, 11, 1), QDate(2026, 12, 6));
    ASSERT_GE(responses.Count(), 3);
    dialog.SetForVQ7(responses.Item(1), responses);
    dialog.CmdOk()->click();
    EXPECT_EQ(LastRunLines(), QStringList({QStringLiteral("VQ7PRN: Printing 1 in range  for ") + Fixture::PartyName,
                                           QStringLiteral("VQ7PRN: Printing individually")}));
    ASSERT_NE(lastCanvas, nullptr);
    EXPECT_EQ(lastCanvas->Count(RecordingCanvas::Kind::StartJob), 1);
    EXPECT_FALSE(dialog.Printing());
    EXPECT_TRUE(dialog.CmdOk()->isEnabled());
    EXPECT_TRUE(dialog.LblPrinterName()->text().startsWith(QStringLiteral("Using printer: ")));
}

TEST_F(PrintTypeDialog, AnEmptyWeekIsToldAndStillLoggedAndPrinted)
{
    world.clock().Set(QDateTime(QDate(2027, 6, 6), QTime(10, 30)));
    dialog.SetForVQ7(nullptr, responses);
    dialog.OptWhatToPrintVq7(3)->click();
    dialog.CmdOk()->click();
    EXPECT_EQ(world.ui().Texts(),
              QStringList{QStringLiteral("There were no Responses received between 31-May-2027 and 06-Jun-2027")});
    EXPECT_EQ(LastRunLines(),
              QStringList({QStringLiteral("VQ7PRN: Printing 0 in range 31-May-2027 to 06-Jun-2027 for ") +
                               Fixture::PartyName,
                           QStringLiteral("VQ7PRN: Printing individually")}));
    EXPECT_EQ(lastCanvas->Count(RecordingCanvas::Kind::StartJob), 0);
}

TEST_F(PrintTypeDialog, TheStatementSummaryCoversEverythingSinceRecordsBegan)
{
    DebitStatements statements;
    statements.SetDataSource(&GlobalDatabase(), false);
    dialog.SetForDebs(nullptr, statements);
    dialog.OptWhatToPrintDeb(2)->click();
    dialog.CmdOk()->click();
    EXPECT_EQ(LastRunLines(), QStringList({QStringLiteral("DEBPRN: Printing 4 in range  to 06-Dec-2026 for ") +
                                               Fixture::PartyName,
                                           QStringLiteral("DEBPRN: Printing summary")}));
}

TEST_F(PrintTypeDialog, CancelOrTheCloseBoxWhilePrintingStopsAfterTheCurrentRowAndKeepsTheWindow)
{
    responses.LoadByWhenReceived(QDate(2026, 11, 1), QDate(2026, 12, 6));
    ASSERT_GE(responses.Count(), 3);
    dialog.SetForVQ7(nullptr, responses);
    dialog.OptWhatToPrintVq7(1)->click();
    for (const bool closeBox : {false, true}) {
        dialog.show();
        QStringList labelDuringRun;
        onJob = [&](int32_t job) {
            labelDuringRun << dialog.LblPrinterName()->text();
            EXPECT_FALSE(dialog.CmdOk()->isEnabled());
            EXPECT_FALSE(dialog.CmdChangePrinter()->isEnabled());
            EXPECT_TRUE(dialog.CmdCancel()->isEnabled());
            if (job == 1) {
                if (closeBox)
                    dialog.close();
                else
                    dialog.CmdCancel()->click();
            }
        };
        dialog.CmdOk()->click();
        EXPECT_EQ(lastCanvas->Count(RecordingCanvas::Kind::StartJob), 1) << closeBox;
        EXPECT_EQ(labelDuringRun, QStringList{QStringLiteral("Preparing to print Vehicle Responses")});
        EXPECT_TRUE(dialog.isVisible()) << closeBox;
        EXPECT_FALSE(dialog.Printing());
        EXPECT_TRUE(dialog.CmdOk()->isEnabled());
        EXPECT_TRUE(dialog.LblPrinterName()->text().startsWith(QStringLiteral("Using printer: ")));
    }
    dialog.CmdCancel()->click();
    EXPECT_FALSE(dialog.isVisible()) << "idle, Cancel closes";
}

TEST_F(PrintTypeDialog, AnotherPrinterPrintsAtOnceOnlyWhenConfirmed)
{
    SettlingPrinters printers{{QStringLiteral("DEFAULT"), QStringLiteral("OFFICE")}};
    dialog.SetPrinterCatalog(&printers);
    dialog.SetForVQ7(nullptr, responses);
    world.ui().ScriptPrinter(std::nullopt);
    dialog.CmdChangePrinter()->click();
    EXPECT_EQ(lastCanvas, nullptr) << "nothing printed";
    PrinterChoice office;
    office.deviceName = QStringLiteral("OFFICE");
    world.ui().ScriptPrinter(office);
    dialog.CmdChangePrinter()->click();
    EXPECT_EQ(printers.current, 1);
    EXPECT_NE(lastCanvas, nullptr);
    EXPECT_EQ(LastRunLines().value(1), QStringLiteral("VQ7PRN: Printing individually"));
}

TEST_F(PrintTypeDialog, PrintWithoutAModeIsAnErrorAndPrintsNothing)
{
    dialog.CmdOk()->click();
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, QStringLiteral("Error getting and printing\rNo document printer selection defined"));
    EXPECT_EQ(lastCanvas, nullptr);
    EXPECT_FALSE(dialog.Printing());
    EXPECT_TRUE(dialog.CmdOk()->isEnabled());
}

TEST_F(PrintTypeDialog, TheWholeEnquiryListIsReloadedInReportOrder)
{
    VQ3Enquiries enquiries;
    enquiries.SetDataSource(&GlobalDatabase(), false);
    enquiries.Load({}, "", false, {}, false, "", "", "100");
    dialog.SetForVQ3(nullptr, enquiries);
    dialog.OptWhatToPrintVq3(1)->click();
    dialog.CmdOk()->click();
    EXPECT_TRUE(enquiries.Resorted());
    EXPECT_EQ(enquiries.Count(), Fixture::Counts::LiveEnquiries);
    ASSERT_NE(lastCanvas, nullptr);
    EXPECT_TRUE(lastCanvas->Texts().contains(QStringLiteral("NEVIX Enquiries")));
}

// Prints of single records, each to a file of the program's own naming,
// beside a print made earlier.
TEST_F(PrintTypeDialog, TwoPrintsToFileInARowLeaveTwoFilesEachNamedInItsLog)
{
    const PrintToFile toFile;
    const QString earlier = CurrentPrinter::FileName();
    WriteBytes(earlier, "an earlier print");
    const QString folder = QFileInfo(earlier).absolutePath();
    dialog.SetCanvasMaker([] { return std::make_unique<QtPrinterCanvas>(); });

    responses.LoadByWhenReceived(QDate(2026, 11, 1), QDate(2026, 12, 6));
    ASSERT_GE(responses.Count(), 1);
    dialog.SetForVQ7(responses.Item(1), responses);
    dialog.CmdOk()->click();
    EXPECT_EQ(LastRunLines().value(2), "VQ7PRN: Printed to file: " + folder + "/Nevix report-001.pdf");

    DebitStatements statements;
    statements.SetDataSource(&GlobalDatabase(), false);
    statements.Load({});
    ASSERT_GE(statements.Count(), 1);
    frmChoosePrintType second;
    second.SetCanvasMaker([] { return std::make_unique<QtPrinterCanvas>(); });
    second.SetForDebs(statements.Item(1), statements);
    second.CmdOk()->click();
    EXPECT_EQ(LastRunLines().value(2), "DEBPRN: Printed to file: " + folder + "/Nevix report-002.pdf");

    EXPECT_EQ(QDir(folder).entryList({"Nevix report*"}, QDir::Files),
              (QStringList{"Nevix report-001.pdf", "Nevix report-002.pdf", "Nevix report.pdf"}));
    EXPECT_EQ(ReadBytes(earlier), "an earlier print");
    EXPECT_TRUE(ReadBytes(folder + "/Nevix report-001.pdf").startsWith("%PDF"));
    EXPECT_TRUE(ReadBytes(folder + "/Nevix report-002.pdf").startsWith("%PDF"));
}

TEST_F(PrintTypeDialog, TheEnquiryListPrintsToAPdfInLandscape)
{
    if (!HasPdfToText())
        GTEST_SKIP() << "poppler-utils is not installed (scripts/common.sh installs it)";
    const QString pdf = world.PathOf(QStringLiteral("enquiries.pdf"));
    dialog.SetCanvasMaker([pdf] { return std::make_unique<QtPrinterCanvas>(pdf); });
    VQ3Enquiries enquiries;
    enquiries.SetDataSource(&GlobalDatabase(), false);
    enquiries.Load({});
    dialog.SetForVQ3(nullptr, enquiries);
    dialog.OptWhatToPrintVq3(1)->click();
    dialog.CmdOk()->click();
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf}).value_or(QString());
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595 pts")))) << info.toStdString();
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).value_or(QString());
    // The typed box round the header is drawn, not text: the title comes first.
    EXPECT_TRUE(text.trimmed().startsWith(QStringLiteral("NEVIX Enquiries\n") + Fixture::PartyName))
        << text.left(200).toStdString();
    EXPECT_FALSE(text.contains(u'_') || text.contains(u'|')) << text.left(200).toStdString();
    EXPECT_TRUE(enquiries.Resorted());
}

} // namespace
