#include "ClerkExports.h"
#include "ResponseScreenTest.h"
#include "ScriptedChooser.h"
#include "WhenShown.h"
#include "support/PdfTools.h"

#include "accounts/Enquirer.h"
#include "reports/qt/CurrentPrinter.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/records/frmAnonymiseVq7.h"
#include "screens/records/frmEditBlackListVrm.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

namespace {

class ResponseActions : public ResponseScreen {
protected:
    ResponseActions()
    {
        chooser->expected = EnquirerChooser::Purpose::Export;
        tools.ChooseEnquirer = chooser;
    }

    QPlainTextEdit* Comments() const { return Control<QPlainTextEdit>("txtComments"); }
    QVariant Stored(const char* column, const QString& vrm)
    {
        RecordSet rs = db().OpenRecordSet(QStringLiteral("SELECT ") + column +
                                              QStringLiteral(" FROM VQ7_Responses WHERE VRM=?"),
                                          {vrm});
        const QVariant value = rs.HasRow() ? rs.Field(0) : QVariant();
        rs.Close();
        return value;
    }
    // Types into the comment box and leaves it.
    void Comment(const QString& text)
    {
        Focus(Comments());
        Comments()->setPlainText(text);
        FocusGrid();
    }

    std::shared_ptr<ScriptedChooser> chooser = std::make_shared<ScriptedChooser>();
};

TEST_F(ResponseActions, LeavingTheCommentBoxUnchangedWritesNothing)
{
    Open();
    Select("FX03AAA");
    const QVariant stamp = Stored("TmStamp", "FX03AAA");
    world.clock().Advance(60);
    Focus(Comments());
    EXPECT_FALSE(Control<QPushButton>("cmdSearch")->isDefault());
    EXPECT_EQ(Comments()->property("Tag").toString(), window->ListModel().Key(window->grdVQ7()->currentIndex().row()))
        << "the box's tag is the key of the response edited";
    FocusGrid();
    EXPECT_EQ(Comments()->property("Tag").toString(), QString());
    EXPECT_EQ(Stored("TmStamp", "FX03AAA"), stamp);
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST_F(ResponseActions, ACommentIsStoredTrimmedWithItsLineBreaks)
{
    Open();
    Select("FX03AAA");
    Comment("  note  ");
    EXPECT_EQ(Stored("Comment", "FX03AAA").toString(), "note");
    EXPECT_EQ(Comments()->toPlainText(), "note");

    Focus(Comments());
    Comments()->clear();
    QTest::keyClicks(Comments(), "first");
    QTest::keyClick(Comments(), Qt::Key_Return);
    QTest::keyClicks(Comments(), "second");
    FocusGrid();
    window->close();
    Reopen();
    Select("FX03AAA");
    EXPECT_EQ(Comments()->toPlainText(), "first\nsecond");
    EXPECT_EQ(window->GetSelectedVQ7()->Comment(), "first\r\nsecond");
}

TEST_F(ResponseActions, TheCommentBoxRefusesA256thCharacter)
{
    Open();
    Focus(Comments());
    Comments()->setPlainText(QString(254, 'x'));
    Comments()->moveCursor(QTextCursor::End);
    QTest::keyClicks(Comments(), "yz");
    QTest::keyClick(Comments(), Qt::Key_Return);
    EXPECT_EQ(Comments()->toPlainText(), QString(254, 'x') + "y");
}

TEST_F(ResponseActions, ACommentOnARowChangedMeanwhileIsRefusedAndTheStoredOneShown)
{
    Open();
    Select("FX03AAA");
    CDataBase other;
    Fixture::Connect(other, folder);
    VQ7 theirs;
    theirs.SetDataSource(&other);
    theirs.SetID(window->GetSelectedVQ7()->ID());
    theirs.Load();
    world.clock().Advance(5);
    theirs.SetComment("theirs");
    theirs.Apply();
    Comment("mine");
    EXPECT_EQ(world.ui().Texts(),
              QStringList{"Unable to save the response because it has been modified by another user since you loaded "
                          "it.\rThe values changed by that user will be loaded."});
    EXPECT_EQ(Comments()->toPlainText(), "theirs");
    EXPECT_EQ(Stored("Comment", "FX03AAA").toString(), "theirs");
}

TEST_F(ResponseActions, ACommentOnAResponseDeletedMeanwhileWritesNothingAndShowsNothing)
{
    Open();
    Select("FX03AAA");
    const QString key = window->GetSelectedVQ7()->ID();
    const auto stored = [this] {
        RecordSet rs = db().OpenRecordSet(QStringLiteral("SELECT COUNT(*) FROM VQ7_Responses"));
        const int count = rs.Field(0).toInt();
        rs.Close();
        return count;
    };
    const int before = stored();
    DeleteElsewhere<VQ7>(key);
    Comment("mine");
    EXPECT_EQ(world.ui().Texts(), QStringList{"Cannot find the selected VQ7 (" + key + ")"});
    EXPECT_EQ(Text("txtVRM"), "");
    EXPECT_FALSE(Comments()->isEnabled()) << "no comment goes to a response that is no more";
    if (Comments()->isEnabled())
        Comment("again"); // a blank response left open would be stored as a new one
    EXPECT_EQ(stored(), before - 1);
}

TEST_F(ResponseActions, BlacklistingProposesTheSelectedMessageAndTheUserAndSavesThroughTheDialog)
{
    Open();
    Select("FX19AAA");
    auto* errors = Control<QListWidget>("lstErrors");
    errors->setCurrentRow(1);
    WhenShown<frmEditBlackListVrm>([](frmEditBlackListVrm& dialog) {
        EXPECT_EQ(dialog.txtVRM()->text(), "FX19AAA");
        EXPECT_TRUE(dialog.txtVRM()->isReadOnly());
        EXPECT_EQ(dialog.txtReason()->text(), "Invalid date of event");
        EXPECT_EQ(dialog.txtAddedBy()->text(), Fixture::Admin);
        EXPECT_EQ(dialog.txtAddedOn()->text(), "15 Mar 24");
        EXPECT_FALSE(dialog.cmdDelete()->isVisible());
        dialog.cmdOk()->click();
    });
    Control<QPushButton>("cmdAddToBlacklist")->click();
    EXPECT_TRUE(Control("lblBlackList")->isVisible());
    EXPECT_EQ(Control<QLabel>("lblBlackList")->text(), "This vehicle is on the Blacklist");
    EXPECT_EQ(Control<QPushButton>("cmdAddToBlacklist")->text(), "&Blacklist Entry");
    BlackListedVRM stored;
    stored.SetDataSource(&db());
    stored.Load("FX19AAA");
    EXPECT_EQ(stored.Reason(), "Invalid date of event");
    EXPECT_EQ(stored.BlacklistedOn(), world.clock().Now());

    WhenShown<frmEditBlackListVrm>([](frmEditBlackListVrm& dialog) {
        EXPECT_TRUE(dialog.cmdDelete()->isVisible()) << "an entry on the list may be removed";
        dialog.cmdCancel()->click();
    });
    Control<QPushButton>("cmdAddToBlacklist")->click();
    EXPECT_TRUE(Control("lblBlackList")->isVisible());
}

TEST_F(ResponseActions, ACancelledBlacklistEntryWritesNothing)
{
    Open();
    Select("FX15AAA");
    const QVariant before = db().OpenRecordSet("SELECT count(*) FROM VRM_BLACKLIST").Field(0);
    WhenShown<frmEditBlackListVrm>([](frmEditBlackListVrm& dialog) {
        EXPECT_EQ(dialog.txtReason()->text(), "No trace of VRM at DVLA") << "the first line, none being selected";
        dialog.txtReason()->setText("Changed");
        dialog.cmdCancel()->click();
    });
    Control<QPushButton>("cmdAddToBlacklist")->click();
    EXPECT_EQ(db().OpenRecordSet("SELECT count(*) FROM VRM_BLACKLIST").Field(0), before);
    EXPECT_FALSE(Control("lblBlackList")->isVisible());
    EXPECT_EQ(Control<QPushButton>("cmdAddToBlacklist")->text(), "Add to &Blacklist");
}

TEST_F(ResponseActions, AnAnonymisedResponseIsSavedAndShown)
{
    Open();
    Select("FX03AAA");
    WhenShown<frmAnonymiseVq7>([](frmAnonymiseVq7& dialog) {
        dialog.txtReason()->setText("Not pursued");
        dialog.cmdOk()->click();
    });
    Control<QPushButton>("cmdAnonymise")->click();
    EXPECT_EQ(Stored("Keeper_Name_1", "FX03AAA").toString(), "{Anonymised 15-Mar-24}");
    EXPECT_EQ(Text("txtKeeperName"), "{Anonymised 15-Mar-24}");
    EXPECT_EQ(Comments()->toPlainText(), "Made anonymous by admin1 on 15-Mar-24, Reason: Not pursued");
    // Wider than the name boxes: each shows the text's beginning.
    for (const char* name : {"txtKeeperName", "txtKeeperForename"}) {
        const QLineEdit* box = Control<QLineEdit>(name);
        ASSERT_EQ(box->text(), "{Anonymised 15-Mar-24}") << name;
        EXPECT_GT(QFontMetrics(box->font()).horizontalAdvance(box->text()), box->width()) << name;
        EXPECT_EQ(box->cursorPosition(), 0) << name;
    }
}

class ResponseExport : public ResponseActions {
protected:
    // clerk1's one enquirer exports into "+exports" and has three responses.
    void OpenForClerk()
    {
        Make();
        MakeClerkExportFolder(db(), folder.Path);
        for (const char* vrm : {"AB12CDE", "AB13CDE", "AB14CDE"})
            Store(QLatin1String(vrm), {}, Fixture::FirstEnquirer);
        Open(Fixture::Clerk);
    }
    QString Proposed() const { return folder.Path + "/exports/VQ7_150324_1030.EXP"; }
    void Export()
    {
        world.ui().boxes.clear();
        Control<QPushButton>("cmdExport")->click();
    }
};

TEST_F(ResponseExport, OneEnquirerIsNotAskedForAndTheNameIsProposedInItsFolder)
{
    OpenForClerk();
    Export();
    EXPECT_EQ(chooser->asked, 0);
    ASSERT_EQ(world.ui().fileRequests.size(), 1);
    const FileDialogRequest& request = world.ui().fileRequests.first();
    EXPECT_EQ(request.initialFolder + "/" + request.fileName, Proposed());
    EXPECT_EQ(request.title, "Export enquiry responses");
    EXPECT_EQ(request.filter, "Export files (*.EXP)|*.EXP|CSV files (*.csv)|*.csv|TAB files (*.tab)|*.tab");
    EXPECT_FALSE(request.confirmOverwrite);
    EXPECT_EQ(world.ui().Texts(), QStringList{"No responses were exported."});
    EXPECT_TRUE(Control("cmdExport")->isEnabled());
}

TEST_F(ResponseExport, NoToReplacingAnExistingFileCancels)
{
    OpenForClerk();
    QFile existing(Proposed());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();
    world.ui().ScriptFile(Proposed());
    world.ui().ScriptAnswer(MsgBox::AnswerNo);
    Export();
    EXPECT_EQ(world.ui().Texts(), QStringList({"The file " + Proposed() + " already exists.\rDo you want to over-write it?",
                                               "Export cancelled."}));
    EXPECT_EQ(world.ui().boxes.first().style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "kept");
}

TEST_F(ResponseExport, ExportingEveryResponseReportsTheCountAndDisablesExport)
{
    OpenForClerk();
    world.ui().ScriptFile(Proposed());
    Export();
    EXPECT_EQ(world.ui().Texts(), QStringList{"3 Responses exported successfuly."});
    EXPECT_FALSE(Control("cmdExport")->isEnabled());
    EXPECT_TRUE(QFile::exists(Proposed()));
    EXPECT_FALSE(Stored("JuxExportedDate", "AB13CDE").isNull());
    world.ui().boxes.clear();
    window->ExportResponses();
    EXPECT_EQ(world.ui().Texts(), QStringList{"There are no Responses to be exported"});
}

TEST_F(ResponseExport, AnExportFolderNotMadeYetIsMadeForTheProposedFile)
{
    OpenForClerk();
    ASSERT_TRUE(QDir(folder.Path + "/exports").removeRecursively());
    world.ui().ScriptFile(Proposed());
    Export();
    EXPECT_EQ(world.ui().Texts(), QStringList{"3 Responses exported successfuly."});
    EXPECT_TRUE(QFile::exists(Proposed()));
}

TEST_F(ResponseExport, WithSeveralEnquirersNoChoiceEndsTheExportSilently)
{
    Open(Fixture::Admin);
    Export();
    EXPECT_EQ(chooser->asked, 1);
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_TRUE(world.ui().fileRequests.isEmpty());
}

TEST_F(ResponseActions, TheSelectedResponsePrintsToOnePortraitPage)
{
    if (!HasPdfToText())
        GTEST_SKIP() << "poppler-utils is not installed (scripts/common.sh installs it)";
    Open();
    Select("FX03AAA");
    const PrinterChoice before = CurrentPrinter::Get();
    PrinterChoice pdf;
    pdf.deviceName = PrinterChoice::PrintToFile;
    pdf.outputFile = world.PathOf("printed/response.pdf");
    QDir(world.Folder()).mkdir("printed");
    CurrentPrinter::Set(pdf);
    WhenShown<frmChoosePrintType>([](frmChoosePrintType& dialog) {
        dialog.OptWhatToPrintVq7(0)->click();
        dialog.CmdOk()->click();
        dialog.CmdCancel()->click();
    });
    Control<QPushButton>("cmdPrint")->click();
    CurrentPrinter::Set(before);
    const QStringList files = QDir(world.PathOf("printed")).entryList({"*.pdf"});
    ASSERT_EQ(files.size(), 1) << files.join(' ').toStdString();
    const QString file = world.PathOf("printed/" + files.first());
    const QString info = RunTool("pdfinfo", {file}).value_or(QString());
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595 x 842 pts"))) << info.toStdString();
    EXPECT_TRUE(RunTool("pdftotext", {file, "-"}).value_or(QString()).contains("NEVIX Vehicle Response"));
}

} // namespace
