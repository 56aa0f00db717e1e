#include "MenuTest.h"
#include "WhenShown.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include "core/GlobalDeclarations.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "screens/records/frmMessage.h"
#include "transfer/VQ3FileImport.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class ImportQuestion : public ::testing::Test {
protected:
    // Asks `question`; once the window is up, picks the option, sets the
    // tick and presses Continue (or the close box).
    int32_t Answer(const QString& question, int option, bool apply, bool closeBox = false)
    {
        WhenShown<frmMessage>([&](frmMessage& window) {
            shownText = window.TxtMessage()->toPlainText();
            offeredOption = -1;
            for (int i = 0; i < 3; ++i)
                if (window.OptAction(i)->isChecked())
                    offeredOption = i;
            offeredApply = window.ChkApply()->isChecked();
            window.OptAction(option)->setChecked(true);
            window.ChkApply()->setChecked(apply);
            if (closeBox)
                window.close();
            else
                window.CmdContinue()->click();
        });
        return questions.AskAction(question);
    }

    TestWorld world;
    frmMessage questions;
    QString shownText;
    int offeredOption = -1;
    bool offeredApply = true;
};

TEST_F(ImportQuestion, TheOptionAndTickGiveTheAction)
{
    const struct {
        int option;
        bool apply;
        int32_t action;
    } cases[] = {
        {0, false, ValidationAction::Cancelled},      {0, true, ValidationAction::Cancelled},
        {1, false, ValidationAction::Continue},       {1, true, ValidationAction::ContinueAlways},
        {2, false, ValidationAction::SkipThisEnquiry}, {2, true, ValidationAction::SkipAllWithError},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Answer(QStringLiteral("AB12CDE has errors"), c.option, c.apply), c.action)
            << c.option << " " << c.apply;
        EXPECT_EQ(questions.GetAction(), c.action);
        EXPECT_FALSE(questions.isVisible());
    }
}

TEST_F(ImportQuestion, TheWindowShowsTheQuestionUnderItsOwnTexts)
{
    Answer(QStringLiteral("2 possible duplicates for AB12CDE found."), 1, false);
    EXPECT_EQ(shownText, QStringLiteral("2 possible duplicates for AB12CDE found."));
    EXPECT_EQ(questions.windowTitle(), QStringLiteral("IMPORT WARNING"));
    EXPECT_EQ(questions.LblHeader()->text(), QStringLiteral("Import Warning"));
    EXPECT_EQ(questions.OptAction(0)->text(), QStringLiteral("CANCEL the whole import"));
    EXPECT_EQ(questions.OptAction(1)->text(), QStringLiteral("Continue with the import and INCLUDE this one"));
    EXPECT_EQ(questions.OptAction(2)->text(), QStringLiteral("Continue with the import but SKIP this one"));
    EXPECT_EQ(questions.ChkApply()->text(), QStringLiteral("&Apply this answer to any further warnings"));
    EXPECT_EQ(questions.CmdContinue()->text(), QStringLiteral("&Continue"));
}

TEST_F(ImportQuestion, TheCloseBoxCancelsWhateverWasChosen)
{
    EXPECT_EQ(Answer(QStringLiteral("first"), 2, true, true), ValidationAction::Cancelled);
    EXPECT_TRUE(questions.OptAction(0)->isChecked());
}

TEST_F(ImportQuestion, TheNextQuestionOfAFileOffersTheLastChoiceAndANewFileStartsAtCancel)
{
    Answer(QStringLiteral("first"), 0, false);
    EXPECT_EQ(offeredOption, 0) << "a new window offers CANCEL";
    EXPECT_FALSE(offeredApply);
    Answer(QStringLiteral("second"), 2, true);
    Answer(QStringLiteral("third"), 1, false);
    EXPECT_EQ(offeredOption, 2);
    EXPECT_TRUE(offeredApply);

    questions.Finished();
    Answer(QStringLiteral("next file"), 1, false);
    EXPECT_EQ(offeredOption, 0);
    EXPECT_FALSE(offeredApply);
}

} // namespace

namespace {

class ImportAskingThroughTheWindow : public MenuTest {
protected:
    ImportAskingThroughTheWindow()
    {
        Make();
        LogOn(Fixture::Admin);
        Settings().SetProgramRunningMode(RunningMode::Interactive);
    }

    // Imports three enquiries with a VRM too long; every question is
    // answered with the option and tick given.
    TransmissionResults Import(int option, bool apply)
    {
        const QString file = world.PathOf(QStringLiteral("VQ3ERR.IMP"));
        WriteBytes(file, "ABCDEFGHJ1,20240301,ref1,AB123,01PK\r\nABCDEFGHJ2,20240302,ref2,AB123,01PK\r\n"
                         "ABCDEFGHJ3,20240303,ref3,AB123,01PK\r\n");
        QTimer answerer;
        answerer.setInterval(5);
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            if (!questions.isVisible())
                return;
            ++asked;
            questions.OptAction(option)->setChecked(true);
            questions.ChkApply()->setChecked(apply);
            questions.CmdContinue()->click();
        });
        answerer.start();
        TransmissionResults results;
        LogLines log;
        log.BeginLogging(QStringLiteral("VQ3IMP"), QStringLiteral("Import"), Fixture::Admin);
        ImportSeams seams;
        seams.settleMilliseconds = 1;
        seams.questions = &questions;
        ImportVQ3FromFile(file, nullptr, log, false, results, Fixture::FirstEnquirer, seams);
        return results;
    }

    int64_t Imported()
    {
        RecordSet rs = db().OpenRecordSet(
            QStringLiteral("SELECT COUNT(*) FROM VQ3_Enquiries WHERE VRM LIKE 'ABCDEFGHJ%'"));
        const int64_t n = rs.Field(0).toLongLong();
        rs.Close();
        return n;
    }

    frmMessage questions;
    int asked = 0;
};

TEST_F(ImportAskingThroughTheWindow, AnAnswerForAllIsAskedOnceAndTheWindowGoesWithTheFile)
{
    const struct {
        int option;
        bool apply;
        int asked;
        int64_t imported;
    } cases[] = {{1, true, 1, 3}, {1, false, 3, 3}, {2, true, 1, 0}, {0, false, 1, 0}};
    for (const auto& c : cases) {
        db().Execute(QStringLiteral("DELETE FROM VQ3_Enquiries WHERE VRM LIKE 'ABCDEFGHJ%'"));
        asked = 0;
        Import(c.option, c.apply);
        EXPECT_EQ(asked, c.asked) << c.option << c.apply;
        EXPECT_EQ(Imported(), c.imported) << c.option << c.apply;
        EXPECT_FALSE(questions.isVisible());
        EXPECT_TRUE(questions.OptAction(0)->isChecked()) << "the next file starts at CANCEL";
    }
}

} // namespace
