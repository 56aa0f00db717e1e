#include "ParametersTest.h"
#include "support/DiskFault.h"
#include "support/FileBytes.h"

#include <QApplication>
#include <QDir>

namespace {

class MaintenanceOnScreen : public ParametersTest {
protected:
    int64_t Count(const char* sql) { return Scalar(sql).toLongLong(); }
    int64_t OldEnquiries() { return Count("SELECT COUNT(*) FROM VQ3_Enquiries WHERE When_Sent < '2023-12-15'"); }
    QStringList LogTexts(const QString& processCode)
    {
        QStringList texts;
        RecordSet rs = db().OpenRecordSet("SELECT Event_Text FROM Transmission_Log WHERE ProcessCode=? ORDER BY LogId",
                                          {processCode});
        for (; !rs.IsEOF(); rs.MoveNext())
            texts << rs.Field(0).toString();
        rs.Close();
        return texts;
    }
    QString Made(const char* name)
    {
        QDir().mkpath(world.PathOf(name));
        return world.PathOf(name);
    }
};

TEST_F(MaintenanceOnScreen, TermsUnderThreeMonthsAreQuestionedOnceAndNoRunsNothing)
{
    frmParameters& window = Open();
    window.Maintenance()->txtVQ3Term()->setText("2");
    window.Maintenance()->txtVQ7Term()->setText("1");
    window.Maintenance()->cboVQ7Period()->setCurrentText("Week");
    window.Maintenance()->txtTransLogTerm()->setText("1");
    window.Maintenance()->cboTransLogPeriod()->setCurrentText("Day");
    const int64_t before = OldEnquiries();
    const int64_t lines = Count("SELECT COUNT(*) FROM Transmission_Log");
    window.Maintenance()->cmdMaintenance()->click();

    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text,
              "You are obliged to keep the DVLA data for 3 months\rEnquiries will be removed before then\r"
              "Responses will be removed before then\r\rDo you want to use these maintenance period values anyway?");
    EXPECT_EQ(world.ui().boxes[0].style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
    EXPECT_EQ(OldEnquiries(), before);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Transmission_Log"), lines) << "no maintenance run";
}

TEST_F(MaintenanceOnScreen, BadTermsAreListedTogetherWithTheFocusOnTheFirst)
{
    frmParameters& window = Open();
    window.show();
    QApplication::setActiveWindow(&window);
    ShowTab(frmParameters::ClientTabIndex);
    window.Maintenance()->txtVQ7Term()->setText("0");
    window.Maintenance()->txtTransLogTerm()->setText("x");
    window.Maintenance()->cmdMaintenance()->click();
    EXPECT_EQ(world.ui().Texts(),
              QStringList{"The enquiry responses maintenance period is invalid\rThe term value must be greater than "
                          "zero\rThe transmission event log maintenance period is invalid\rThe term value is not "
                          "numeric"});
    EXPECT_EQ(window.sstParameters()->currentIndex(), 0);
    EXPECT_EQ(window.focusWidget(), window.Maintenance()->txtVQ7Term());
}

TEST_F(MaintenanceOnScreen, RemoveNowRemovesTheOldRowsByTheTermsOnTheScreenWithoutCompacting)
{
    ChangeParameters([](SysParameters& p) { p.SetVQ3MaintenanceTerm(12); });
    frmParameters& window = Open();
    ASSERT_EQ(window.Maintenance()->txtVQ3Term()->text(), "12");
    window.Maintenance()->txtVQ3Term()->setText("3");
    ASSERT_GT(OldEnquiries(), 0);
    world.ui().ScriptAnswer(MsgBox::AnswerYes); // the unanswered ones go too
    window.Maintenance()->cmdMaintenance()->click();

    EXPECT_EQ(world.ui().Texts().last(), "Table maintenance completed successfully");
    EXPECT_EQ(world.ui().boxes.last().style, MsgBox::OkOnly);
    EXPECT_EQ(OldEnquiries(), 0);
    const QString run = LogTexts("TBLMAINT").join('|');
    EXPECT_TRUE(run.contains("Maintenance running in ")) << run.toStdString();
    EXPECT_FALSE(run.contains("Compacting")) << run.toStdString();
    EXPECT_EQ(StoredParameters().VQ3MaintenanceTerm(), 12) << "Remove Now saves no term";
    EXPECT_GT(world.ui().waitShows, 0) << "under the please-wait window";
    EXPECT_FALSE(world.ui().waitLoaded);
}

TEST_F(MaintenanceOnScreen, SaveFilesWritesOneSpreadsheetFilePerKind)
{
    frmParameters& window = Open();
    const QString out = Made("out");
    for (int i = 0; i < 3; ++i)
        world.ui().ScriptFile(out);
    window.Maintenance()->cmdSaveFiles()->click();

    const QStringList names{"VehicleEnquiries202403151030.xls", "VehicleResponses202403151030.xls",
                            "DebitStatements202403151030.xls"};
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
              (QStringList{names[2], names[0], names[1]}));
    const QStringList titles{"Vehicle Enquires  exported on 15 March 2024",
                             "Vehicle Responses exported on 15 March 2024", "DebitStatements exported on 15 March 2024"};
    for (int i = 0; i < 3; ++i) {
        const QByteArray bytes = ReadBytes(out + "/" + names[i]);
        EXPECT_TRUE(bytes.startsWith(titles[i].toLatin1() + "\r\n")) << bytes.left(80).toStdString();
        EXPECT_TRUE(bytes.endsWith("\r\n"));
    }
    EXPECT_EQ(ReadBytes(out + "/" + names[0]).count("\r\n"),
              2 + Count("SELECT COUNT(*) FROM VQ3_Enquiries WHERE IsTest=0"));
    EXPECT_EQ(world.ui().folderRequests.value(1).title, "Save Vehicle Response file to..");
    EXPECT_EQ(world.ui().Texts(), QStringList{"Vehicle Enquiries saved to " + out + "/" + names[0] +
                                              "\r\nVehicle Responses saved to " + out + "/" + names[1] +
                                              "\r\nDebit Statements saved to " + out + "/" + names[2]});
    EXPECT_EQ(LogTexts("VQ7AEX").value(1), "Exporting to " + out + "/" + names[1]);

    // Saved again within the minute: no file is replaced.
    world.ui().boxes.clear();
    for (int i = 0; i < 3; ++i)
        world.ui().ScriptFile(out);
    window.Maintenance()->cmdSaveFiles()->click();
    EXPECT_TRUE(QFile::exists(out + "/VehicleEnquiries202403151030-1.xls"));
}

TEST_F(MaintenanceOnScreen, SaveFilesNeverWritesThroughALinkAtTheName)
{
    frmParameters& window = Open();
    const QString out = Made("out");
    const QString link = out + "/VehicleEnquiries202403151030.xls";
    ASSERT_TRUE(QFile::link(world.PathOf("gone.xls"), link));
    world.ui().ScriptFile(out);
    world.ui().ScriptFile(std::nullopt);
    window.Maintenance()->cmdSaveFiles()->click();
    EXPECT_EQ(QFile::symLinkTarget(link), world.PathOf("gone.xls"));
    EXPECT_FALSE(QFile::exists(world.PathOf("gone.xls")));
    EXPECT_EQ(world.ui().Texts(),
              QStringList{"Vehicle Enquiries saved to " + out + "/VehicleEnquiries202403151030-1.xls"});
}

TEST_F(MaintenanceOnScreen, ACancelledFolderStopsTheKindsAfterIt)
{
    frmParameters& window = Open();
    const QString out = Made("out");
    world.ui().ScriptFile(out);
    world.ui().ScriptFile(std::nullopt);
    window.Maintenance()->cmdSaveFiles()->click();
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{"VehicleEnquiries202403151030.xls"});
    EXPECT_EQ(world.ui().folderRequests.size(), 2);
    EXPECT_EQ(world.ui().Texts(), QStringList{"Vehicle Enquiries saved to " + out + "/VehicleEnquiries202403151030.xls"});
}

TEST_F(MaintenanceOnScreen, AFileThatFailsHalfWayIsNotLeftAndItsRunIsEndedWithTheError)
{
    frmParameters& window = Open();
    const QString out = Made("out");
    for (int i = 0; i < 3; ++i)
        world.ui().ScriptFile(out);
    DiskFault full("VehicleResponses202403151030.xls", AtomicFile::Step::Write, ENOSPC, 100);
    window.Maintenance()->cmdSaveFiles()->click();

    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{"VehicleEnquiries202403151030.xls"});
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes[0].text.startsWith("Unable to save data files because:\r"));
    EXPECT_EQ(world.ui().folderRequests.size(), 2) << "no statements asked for";
    const QStringList run = LogTexts("VQ7AEX");
    ASSERT_GE(run.size(), 4);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Transmission_Log WHERE ProcessCode='VQ7AEX' AND Event_Code=256"), 1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Transmission_Log WHERE ProcessCode='VQ7AEX' AND Event_Code=16"), 1)
        << "the run was ended";
}

// A database that takes the run's lines but not its error line (a trigger
// stands in for it): the run is ended all the same, and the user learns why
// the file failed.
TEST_F(MaintenanceOnScreen, ARunWhoseErrorLineCannotBeStoredIsStillEnded)
{
    frmParameters& window = Open();
    const QString out = Made("out");
    for (int i = 0; i < 3; ++i)
        world.ui().ScriptFile(out);
    db().Execute("CREATE TRIGGER RefuseErrors BEFORE INSERT ON Transmission_Log WHEN NEW.Event_Code=256 "
                 "BEGIN SELECT RAISE(ABORT, 'no error lines'); END");
    DiskFault full("VehicleResponses202403151030.xls", AtomicFile::Step::Write, ENOSPC, 100);
    window.Maintenance()->cmdSaveFiles()->click();

    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes[0].text.startsWith("Unable to save data files because:\rCould not write " + out +
                                                    "/VehicleResponses202403151030.xls"))
        << world.ui().boxes[0].text.toStdString();
    EXPECT_EQ(LogTexts("VQ7AEX").value(1), "Exporting to " + out + "/VehicleResponses202403151030.xls");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Transmission_Log WHERE ProcessCode='VQ7AEX' AND Event_Code=16"), 1)
        << "the run was ended";
}

} // namespace
