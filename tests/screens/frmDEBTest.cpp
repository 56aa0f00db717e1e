#include "ClerkExports.h"
#include "ScriptedChooser.h"
#include "WhenShown.h"
#include "support/LoggedOnTest.h"

#include "records/DebitStatements.h"
#include "reports/RecordingCanvas.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/records/StatementDetails.h"
#include "screens/records/StatementListModel.h"
#include "screens/records/frmDEB.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

// The statement screen on the standard fixture: two statements for each
// enquirer (February's exported, March's not), charges 10, 20, 30, 40.
class StatementScreen : public LoggedOnTest {
protected:
    StatementScreen() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    ~StatementScreen() override { QLocale::setDefault(m_locale); }

    void Open(const QString& user = Fixture::Admin)
    {
        if (folder.Path.isEmpty())
            Make();
        LogOn(user);
        RecordScreenTools tools;
        tools.ChooseEnquirer = chooser;
        tools.ScreenHeight = screenHeight;
        window = std::make_unique<frmDEB>(nullptr, tools);
        window->InitialiseForm();
        window->show();
        QApplication::setActiveWindow(window.get());
        QCoreApplication::processEvents();
    }
    QString Text(const char* box) const { return window->findChild<QLineEdit*>(QLatin1String(box))->text(); }
    QPushButton* Button(const char* name) const { return window->findChild<QPushButton*>(QLatin1String(name)); }
    QStringList Headings() const
    {
        return {window->ListModel().headerData(1, Qt::Horizontal).toString(),
                window->ListModel().headerData(2, Qt::Horizontal).toString()};
    }
    QStringList References() const
    {
        QStringList references;
        for (const auto& statement : window->Statements())
            references << statement->DEBSTAReference();
        return references;
    }
    // The lines of the most recent run of the process, as "code: text".
    QStringList RunLines(const QString& processCode)
    {
        RecordSet rs = db().OpenRecordSet(
            "SELECT Event_Code, Event_Text FROM Transmission_Log WHERE Run_Number = (SELECT max(Run_Number) FROM "
            "Transmission_Log WHERE ProcessCode = ?) ORDER BY rowid",
            {processCode});
        QStringList lines;
        for (; !rs.IsEOF(); rs.MoveNext())
            lines << rs.Field(0).toString() + ": " + rs.Field(1).toString();
        rs.Close();
        return lines;
    }

    int screenHeight = 0; // 0: the window's screen
    std::shared_ptr<ScriptedChooser> chooser = std::make_shared<ScriptedChooser>();
    std::unique_ptr<frmDEB> window;

private:
    QLocale m_locale;
};

TEST(StatementDetails, TheVarianceIsHowFarTheChargesAndEnquiriesLieApart)
{
    EXPECT_EQ(VarianceText(12, 10), "2");
    EXPECT_EQ(VarianceText(10, 12), "2");
    EXPECT_EQ(VarianceText(10, 10), "");
}

TEST_F(StatementScreen, OpensOnTheStatementsByPeriodStartWithTheFirstShown)
{
    Open();
    EXPECT_EQ(window->windowTitle(), "NEVIX - DEBIT STATEMENTS");
    EXPECT_EQ(Headings(), QStringList({"From", "To"}));
    EXPECT_TRUE(window->grdDEB()->isColumnHidden(0));
    EXPECT_EQ(window->grdDEB()->columnWidth(1), 1640 / 15);
    EXPECT_EQ(References(), QStringList({"AB123/0001", "CD456/0003", "AB123/0002", "CD456/0004"}));
    EXPECT_EQ(window->ListModel().Key(0), "AB12320240202");
    EXPECT_EQ(window->ListModel().data(window->ListModel().index(0, 1)).toString(), "01/02/2024");
    EXPECT_EQ(Text("txtDEBSTAReference"), "AB123/0001");
    EXPECT_EQ(Text("txtPeriodEnd"), "29/02/2024");
    EXPECT_EQ(Text("txtTotalAmount"), "£25.00");
    EXPECT_EQ(Text("txtRateOfCharge"), "£2.50");
    EXPECT_EQ(Text("txtCharges"), "10");
    EXPECT_EQ(Text("txtWhenPrepared"), "02/02/2024 06:00:00");
    EXPECT_EQ(Text("txtTPAccountSortCode"), "20-30-40");
    EXPECT_TRUE(window->findChild<QLineEdit*>("txtVariance")->isReadOnly());
    EXPECT_TRUE(Button("cmdPrint")->isEnabled() && Button("cmdExport")->isEnabled());
}

TEST_F(StatementScreen, ALowScreenShowsTheWindowWithoutItsBanner)
{
    screenHeight = 729;
    Open();
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("picBanner"))->isHidden());
    screenHeight = 730;
    Open();
    EXPECT_FALSE(window->findChild<QLabel*>(QStringLiteral("picBanner"))->isHidden());
}

TEST_F(StatementScreen, TheEnquiriesOfThePeriodAreCountedAndAMissingEndCountsNone)
{
    Make();
    DebitStatements statements;
    statements.SetDataSource(&db(), false);
    auto open = std::make_shared<DebitStatement>();
    open->SetDEBSTAReference("AB123/0009");
    open->SetEnquirerId(Fixture::FirstEnquirer);
    open->SetChargePeriodStart(QDateTime(QDate(2023, 1, 1), QTime(0, 0)));
    open->SetNumberOfCharges(3);
    statements.Add(open);
    statements.Apply();
    Open();
    ASSERT_EQ(References().first(), "AB123/0009");
    EXPECT_EQ(Text("txtEnquiries"), "0");
    EXPECT_EQ(Text("txtVariance"), "3");
    window->grdDEB()->setCurrentIndex(window->ListModel().index(int(References().indexOf("CD456/0004")), 1));
    EXPECT_EQ(Text("txtDEBSTAReference"), "CD456/0004");
    RecordSet sent = db().OpenRecordSet("SELECT count(*) FROM VQ3_Enquiries WHERE IsTest=0 AND When_Sent BETWEEN "
                                        "'2024-03-01 00:00:00' AND '2024-03-31 23:59:59'");
    const int32_t enquiries = sent.Field(0).toInt();
    sent.Close();
    EXPECT_GT(enquiries, 0);
    EXPECT_EQ(Text("txtEnquiries"), QString::number(enquiries));
    EXPECT_EQ(Text("txtVariance"), VarianceText(40, enquiries)) << "its 40 charges";
}

TEST_F(StatementScreen, AStatementDeletedElsewhereIsNeverShownBlank)
{
    Open();
    CDataBase other;
    Fixture::Connect(other, folder);
    other.Execute("DELETE FROM Debit_Statements WHERE DEBSTA_Reference=?", {"CD456/0004"});
    other.Disconnect();
    window->grdDEB()->setCurrentIndex(window->ListModel().index(int(References().indexOf("CD456/0004")), 1));
    EXPECT_EQ(Text("txtDEBSTAReference"), "CD456/0004");
    EXPECT_EQ(Text("txtPeriodEnd"), "31/03/2024");
    EXPECT_TRUE(world.ui().Texts().isEmpty()) << world.ui().Texts().join('|').toStdString();
}

TEST_F(StatementScreen, EachHeadingFirstSortsZToAAndOnlyTheLastOneIsMarked)
{
    Open();
    QHeaderView* heading = window->grdDEB()->horizontalHeader();
    emit heading->sectionClicked(1);
    EXPECT_EQ(Headings(), QStringList({"From (Z to A)", "To"}));
    EXPECT_EQ(window->Statements().Item(1)->ChargePeriodStart()->date(), QDate(2024, 3, 1));
    EXPECT_EQ(window->Statements().Item(4)->ChargePeriodStart()->date(), QDate(2024, 2, 1));
    EXPECT_EQ(Text("txtDEBSTAReference"), References().first());
    emit heading->sectionClicked(2);
    EXPECT_EQ(Headings(), QStringList({"From", "To (Z to A)"}));
    emit heading->sectionClicked(1);
    EXPECT_EQ(Headings(), QStringList({"From (A to Z)", "To"}));
}

class StatementExport : public StatementScreen {
protected:
    // clerk1's one enquirer exports into "+exports".
    void OpenForClerk()
    {
        Make();
        MakeClerkExportFolder(db(), folder.Path);
        Open(Fixture::Clerk);
    }
    QString Proposed() const { return folder.Path + "/exports/DEB_150324_1030.EXP"; }
};

TEST_F(StatementExport, NoToReplacingAnExistingFileCancelsAndTheRunIsLogged)
{
    OpenForClerk();
    QFile(Proposed()).open(QIODevice::WriteOnly);
    world.ui().ScriptFile(Proposed());
    world.ui().ScriptAnswer(MsgBox::AnswerNo);
    Button("cmdExport")->click();
    EXPECT_EQ(world.ui().Texts(), QStringList({"The file " + Proposed() + " already exists.\rDo you want to over-write it?",
                                               "Export cancelled."}));
    EXPECT_EQ(RunLines("DEBEXP"), QStringList({"8: Debit Statement Export", "16: Debit Statement Export"}));
}

TEST_F(StatementExport, ExportingTheOneStatementReportsItAndDisablesExport)
{
    OpenForClerk();
    world.ui().ScriptFile(Proposed());
    Button("cmdExport")->click();
    const FileDialogRequest& request = world.ui().fileRequests.first();
    EXPECT_EQ(request.initialFolder + "/" + request.fileName, Proposed()) << "the folder's \"+\" resolved";
    EXPECT_EQ(request.title, "Export Debit Statements");
    EXPECT_EQ(request.filter, "Export files (*.EXP)|*.EXP");
    EXPECT_EQ(world.ui().Texts(), QStringList{"1 Debit Statements exported successfuly."});
    EXPECT_FALSE(Button("cmdExport")->isEnabled());
    EXPECT_TRUE(QFile::exists(Proposed()));
}

TEST_F(StatementExport, AFailingExportIsReportedAndItsRunEnded)
{
    OpenForClerk();
    world.ui().onFileDialog = [](const FileDialogRequest&) {
        throw NevixError(ErrorNumbers::DeviceUnavailable, "Device unavailable");
    };
    Button("cmdExport")->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Error doing export:\rDevice unavailable"});
    EXPECT_EQ(world.ui().boxes.first().style, MsgBox::Critical);
    EXPECT_EQ(RunLines("DEBEXP").size(), 2) << "started and ended";
}

TEST_F(StatementScreen, TheSummaryPrintsTheStatementsReceivedUpToToday)
{
    Open();
    WhenShown<frmChoosePrintType>([](frmChoosePrintType& dialog) {
        dialog.SetCanvasMaker([] { return std::make_unique<RecordingCanvas>(); });
        dialog.OptWhatToPrintDeb(2)->click();
        dialog.CmdOk()->click();
        dialog.CmdCancel()->click();
    });
    Button("cmdPrint")->click();
    const QStringList lines = RunLines("DEBPRN");
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.join('|').contains(" to 15-Mar-2024")) << lines.join('|').toStdString();
}

} // namespace
