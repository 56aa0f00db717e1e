#include "EnquiryScreenTest.h"
#include "WhenShown.h"
#include "support/FileBytes.h"
#include "support/PdfTools.h"
#include "support/RecordingHelp.h"

#include "reports/qt/CurrentPrinter.h"
#include "reports/qt/frmChoosePrintType.h"
#include "transfer/ImportQuestions.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Includes every enquiry the import asks about.
class IncludeEverything : public ImportQuestions {
public:
    int32_t AskAction(const QString&) override { return 1; }
};

// Fails at the first question, as any error inside an import would.
class FailingQuestions : public ImportQuestions {
public:
    int32_t AskAction(const QString&) override
    {
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No answer to the question"));
    }
};

class EnquiryImportTest : public EnquiryScreenTest {
protected:
    EnquiryImportTest()
    {
        makeQuestions = [](QWidget*) { return std::make_unique<IncludeEverything>(); };
    }

    QString ImportFolder() const { return folder.Path + QStringLiteral("/AB123/Import"); }
    QString Write(const QString& path, const QByteArray& lines)
    {
        QDir().mkpath(QFileInfo(path).path());
        WriteBytes(path, lines);
        return path;
    }
    // The marker files in the enquirer's folder, with their text.
    QStringList Markers() const
    {
        QStringList found;
        for (const QString& name : QDir(ImportFolder()).entryList({QStringLiteral("*.$$$")}, QDir::Files))
            found << name + u'=' + QString::fromUtf8(ReadBytes(ImportFolder() + u'/' + name)).trimmed();
        return found;
    }
    int64_t LogLinesOf(const QString& processCode)
    {
        RecordSet rs = db().OpenRecordSet(QStringLiteral("SELECT COUNT(*) FROM Transmission_Log WHERE ProcessCode=? "
                                                         "AND Event_Code IN (8, 16)"),
                                          {processCode});
        const int64_t count = rs.Field(0).toLongLong();
        rs.Close();
        return count;
    }

    // The lines of the fixture's own import run.
    static constexpr int64_t FixtureRunLines = 2;
    QStringList markersSeen;
};

TEST_F(EnquiryImportTest, WithOneEnquirerNoChoiceIsOfferedAndAnyFolderWillDo)
{
    Make(FixtureOptions().WithBulkEnquiries(0));
    db().Execute(QStringLiteral("DELETE FROM ENQUIRY_REASON WHERE EnquirerId='CD456'"));
    db().Execute(QStringLiteral("DELETE FROM USER_ENQUIRER_LINK WHERE EnquirerId='CD456'"));
    db().Execute(QStringLiteral("DELETE FROM ENQUIRER WHERE EnquirerId='CD456'"));
    OpenAs(Fixture::Admin);
    world.ui().onFileDialog = [this](const FileDialogRequest&) { markersSeen << Markers(); };
    world.ui().ScriptFile(Write(world.PathOf(QStringLiteral("elsewhere/VQ3A.IMP")), "AB51ABC,20240301,R1,,,,,AB123,01PK\r\n"));

    screen->cmdImport()->click();
    EXPECT_EQ(chooser->asked, 0);
    EXPECT_TRUE(markersSeen.isEmpty()) << markersSeen.join('|').toStdString();
    EXPECT_EQ(world.ui().Texts(), QStringList{"1 Enquiries imported successfully"});
    EXPECT_EQ(Marks(), QStringList{"AB51ABC"}) << "the list is loaded again";
}

TEST_F(EnquiryImportTest, AMarkerKeepsTheUserInTheEnquirersFolderWhileTheDialogIsOpen)
{
    Open();
    chooser->answers << Fixture::FirstEnquirer;
    world.ui().onFileDialog = [this](const FileDialogRequest&) { markersSeen << Markers(); };
    world.ui().ScriptFile(Write(world.PathOf(QStringLiteral("elsewhere/VQ3A.IMP")), "AB51ABC,20240301,R1,,,,,AB123,01PK\r\n"));
    world.ui().ScriptFile(Write(ImportFolder() + QStringLiteral("/vq3b.imp"), "AB51ABC,20240301,R1,,,,,AB123,01PK\r\n"
                                                                             "AB52ABC,20240301,R2,,,,,AB123,01PK\r\n"
                                                                             "A,20240301,R3,,,,,AB123,01PK\r\n"
                                                                             "AB54ABC,20240301,R4,,,,,AB123,02PK\r\n"));
    screen->cmdImport()->click();

    EXPECT_EQ(chooser->asked, 1);
    EXPECT_EQ(markersSeen, (QStringList{"240315103000.$$$=MARKER-FILE", "240315103000.$$$=MARKER-FILE"}));
    EXPECT_TRUE(Markers().isEmpty()) << "the marker goes when the dialog is done";
    ASSERT_EQ(world.ui().fileRequests.size(), 2);
    const FileDialogRequest& request = world.ui().fileRequests.first();
    EXPECT_EQ(request.title, QStringLiteral("Import vehicle enquiries"));
    EXPECT_EQ(request.initialFolder, ImportFolder());
    EXPECT_EQ(request.fileName, QStringLiteral("VQ3*.IMP"));
    EXPECT_TRUE(request.filter.startsWith(QStringLiteral("Import files (*.IMP)|*.IMP|")));
    EXPECT_EQ(world.ui().Texts(),
              (QStringList{"You cannot browse to a folder other than the one for the Enquirer.",
                           "4 Enquiries imported\r1 Enquiries were imported but have errors"}));
    EXPECT_EQ(Marks(), (QStringList{"A", "AB51ABC", "AB52ABC", "AB54ABC"}));
    EXPECT_EQ(LogLinesOf(QStringLiteral("VQ3IMP")), FixtureRunLines + 2) << "the run's start and end";
}

TEST_F(EnquiryImportTest, ACancelledDialogCancelsAndNoChoiceEndsSilently)
{
    Open();
    screen->cmdImport()->click();
    EXPECT_TRUE(world.ui().Texts().isEmpty()) << "no enquirer chosen";
    EXPECT_EQ(LogLinesOf(QStringLiteral("VQ3IMP")), FixtureRunLines);

    chooser->answers << Fixture::SecondEnquirer;
    screen->cmdImport()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Import Cancelled"});
    EXPECT_TRUE(Markers().isEmpty());
    EXPECT_EQ(LogLinesOf(QStringLiteral("VQ3IMP")), FixtureRunLines + 2);
}

TEST_F(EnquiryImportTest, AnEnquirerWithoutImportFolderIsReported)
{
    Make(FixtureOptions().WithBulkEnquiries(0));
    db().Execute(QStringLiteral("UPDATE ENQUIRER SET ImportFolder=NULL WHERE EnquirerId='AB123'"));
    OpenAs(Fixture::Admin);
    chooser->answers << Fixture::FirstEnquirer;
    screen->cmdImport()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"There is no import folder defined for Stand-in Parking"});
    EXPECT_EQ(LogLinesOf(QStringLiteral("VQ3IMP")), FixtureRunLines);
}

// Files can be added to the folder but none removed, as long as it lives
// (an append-only folder stops root too).
class AppendOnlyFolder {
public:
    explicit AppendOnlyFolder(const QString& path) : m_fd(::open(path.toUtf8().constData(), O_RDONLY | O_DIRECTORY))
    {
        m_set = m_fd >= 0 && ::ioctl(m_fd, FS_IOC_GETFLAGS, &m_flags) == 0 && Set(m_flags | FS_APPEND_FL);
    }
    ~AppendOnlyFolder()
    {
        if (m_set)
            Set(m_flags);
        if (m_fd >= 0)
            ::close(m_fd);
    }
    AppendOnlyFolder(const AppendOnlyFolder&) = delete;
    AppendOnlyFolder& operator=(const AppendOnlyFolder&) = delete;
    bool IsSet() const { return m_set; }

private:
    bool Set(int flags) { return ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0; }

    int m_fd = -1;
    int m_flags = 0;
    bool m_set = false;
};

TEST_F(EnquiryImportTest, AMarkerThatCannotBeDeletedIsAddedToTheImportsFatalText)
{
    makeQuestions = [](QWidget*) { return std::make_unique<FailingQuestions>(); };
    Open();
    chooser->answers << Fixture::FirstEnquirer;
    std::unique_ptr<AppendOnlyFolder> keep;
    world.ui().onFileDialog = [&](const FileDialogRequest&) {
        keep = std::make_unique<AppendOnlyFolder>(ImportFolder());
    };
    world.ui().ScriptFile(Write(ImportFolder() + QStringLiteral("/VQ3A.IMP"), "A,20240301,R1,,,,,AB123,01PK\r\n"));
    screen->cmdImport()->click();
    if (!keep || !keep->IsSet())
        GTEST_SKIP() << "the file system refuses append-only folders here";

    ASSERT_EQ(world.ui().Texts().size(), 1);
    EXPECT_EQ(world.ui().Texts().first(),
              "Error reported while importing Enquiries\rNo answer to the question\r\n"
              "Could not delete folder marker:" + ImportFolder() + "/Operation not permitted");
    keep.reset();
    EXPECT_EQ(Markers(), QStringList{"240315103000.$$$=MARKER-FILE"}) << "the marker is still there";
}

// ---- printing and help ----------------------------------------------------

class EnquiryPrinting : public EnquiryScreenTest {
protected:
    EnquiryPrinting() : m_printer(CurrentPrinter::Get()) {}
    ~EnquiryPrinting() override { CurrentPrinter::Set(m_printer); }

private:
    PrinterChoice m_printer;
};

TEST_F(EnquiryPrinting, AnEmptyListHasNothingToPrint)
{
    Open();
    screen->cmdPrint_Click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"There are no enquiries to be printed."});
}

TEST_F(EnquiryPrinting, TheWholeListPrintsToAPdfFileAndTheScreenLoadsAgainInItsOwnOrder)
{
    if (!HasPdfToText())
        GTEST_SKIP() << "poppler-utils is not installed (scripts/common.sh installs it)";
    Open(Fixture::Admin, FixtureOptions().WithBulkEnquiries(30));
    const QString pdf = world.PathOf(QStringLiteral("enquiries.pdf"));
    PrinterChoice printer;
    printer.deviceName = PrinterChoice::PrintToFile;
    printer.outputFile = pdf;
    CurrentPrinter::Set(printer);
    const QStringList defaultOrder = Marks();
    screen->grdVQ3_HeadingClick(1);
    ASSERT_NE(Marks(), defaultOrder);

    WhenShown<frmChoosePrintType>([](frmChoosePrintType& dialog) {
        dialog.OptWhatToPrintVq3(1)->click();
        dialog.CmdOk()->click();
        dialog.CmdCancel()->click();
    });
    screen->cmdPrint()->click();

    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf}).value_or(QString());
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595 pts")))) << info.toStdString();
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).value_or(QString());
    EXPECT_TRUE(text.startsWith(QStringLiteral("NEVIX Enquiries"))) << text.left(200).toStdString();
    EXPECT_EQ(Model().Heading(1), QStringLiteral("VRM/VIN"));
    EXPECT_EQ(Marks(), defaultOrder);
    EXPECT_FALSE(screen->List().Resorted());
}

TEST_F(EnquiryPrinting, F1ShowsTheEnquiryTopicThoughTheHelpButtonIsHidden)
{
    Open();
    ScopedRecordingHelp help;
    EXPECT_TRUE(screen->cmdHelp()->isHidden());
    QTest::keyClick(screen->txtVRMSearch(), Qt::Key_F1);
    EXPECT_EQ(help.engine->topics, QList<int32_t>{2000});
}

} // namespace
