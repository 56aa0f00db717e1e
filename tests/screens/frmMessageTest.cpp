#include "WhenShown.h"
#include "support/TestWorld.h"

#include "core/GlobalDeclarations.h"
#include "screens/records/frmMessage.h"

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
