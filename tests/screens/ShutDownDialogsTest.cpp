#include "screens/transmission/frmCloseAutoExecute.h"
#include "screens/transmission/frmShutDownMode.h"
#include "support/Printers.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(CloseAutoExecute, EnterAtOnceShutsDownAndTheTitleBarCancels)
{
    frmCloseAutoExecute enter;
    EXPECT_EQ(enter.windowTitle(), "CLOSE AUTOEXECUTE");
    enter.show();
    EXPECT_EQ(enter.cmdClose()->text(), "&Shut Down");
    QTest::keyClick(&enter, Qt::Key_Return);
    EXPECT_FALSE(enter.isVisible());
    EXPECT_EQ(enter.CloseAction(), frmCloseAutoExecute::ShutDown);

    frmCloseAutoExecute titleBar;
    titleBar.show();
    titleBar.optClose(1)->click();
    EXPECT_EQ(titleBar.cmdClose()->text(), "&Manual Mode");
    EXPECT_FALSE(titleBar.close()) << "the close is turned into an answer";
    EXPECT_FALSE(titleBar.isVisible());
    EXPECT_EQ(titleBar.CloseAction(), frmCloseAutoExecute::Cancel);
    EXPECT_EQ(titleBar.cmdClose()->text(), "&Cancel");
}

TEST(CloseAutoExecute, TheButtonFollowsTheOptionAndAnswersIt)
{
    const struct {
        int option;
        const char* caption;
    } cases[] = {{1, "&Manual Mode"}, {2, "&Cancel"}, {0, "&Shut Down"}};
    for (const auto& c : cases) {
        frmCloseAutoExecute dialog;
        dialog.show();
        dialog.optClose(c.option)->click();
        EXPECT_EQ(dialog.cmdClose()->text(), c.caption);
        dialog.cmdClose()->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.CloseAction(), c.option);
    }
}

TEST(ShutDownMode, WithoutLogOffTheReturnTakesItsPlaceAndAnswersThree)
{
    frmShutDownMode all;
    all.InitialiseForm(true, true);
    all.show();
    frmShutDownMode dialog;
    EXPECT_EQ(dialog.windowTitle(), "CLOSE");
    EXPECT_EQ(dialog.ShutDownMode(), frmShutDownMode::Cancelled);
    dialog.InitialiseForm(false, true);
    dialog.show();
    EXPECT_EQ(dialog.optCloseDown(0)->text(), "Shut Down");
    EXPECT_FALSE(dialog.optCloseDown(1)->isVisible());
    ASSERT_TRUE(dialog.optCloseDown(2)->isVisible());
    EXPECT_EQ(dialog.optCloseDown(2)->text(), "Return to Automatic Execution ");
    EXPECT_EQ(dialog.optCloseDown(2)->y(), all.optCloseDown(1)->y()) << "no gap is left";
    EXPECT_EQ(dialog.cmdOk()->text(), "Shut Down");

    dialog.optCloseDown(2)->click();
    EXPECT_EQ(dialog.cmdOk()->text(), "&Auto Execute");
    dialog.cmdOk()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.ShutDownMode(), frmShutDownMode::ReturnToAutoExecute);
}

TEST(ShutDownMode, OnlyShutDownEnterAnswersOneEscapeAndTitleBarZero)
{
    frmShutDownMode enter;
    enter.InitialiseForm(false, false);
    enter.show();
    EXPECT_FALSE(enter.optCloseDown(1)->isVisible());
    EXPECT_FALSE(enter.optCloseDown(2)->isVisible());
    QTest::keyClick(&enter, Qt::Key_Return);
    EXPECT_FALSE(enter.isVisible());
    EXPECT_EQ(enter.ShutDownMode(), frmShutDownMode::ShutDown);

    frmShutDownMode escape;
    escape.InitialiseForm(false, false);
    escape.show();
    QTest::keyClick(&escape, Qt::Key_Escape);
    EXPECT_FALSE(escape.isVisible());
    EXPECT_EQ(escape.ShutDownMode(), frmShutDownMode::Cancelled);

    frmShutDownMode titleBar;
    titleBar.InitialiseForm(false, false);
    titleBar.show();
    titleBar.optCloseDown(0)->click();
    EXPECT_FALSE(titleBar.close());
    EXPECT_FALSE(titleBar.isVisible());
    EXPECT_EQ(titleBar.ShutDownMode(), frmShutDownMode::Cancelled);
}

TEST(ShutDownMode, LogOffAnswersTwo)
{
    frmShutDownMode dialog;
    dialog.InitialiseForm(true, false);
    dialog.show();
    dialog.optCloseDown(1)->click();
    EXPECT_EQ(dialog.cmdOk()->text(), "&Log Off");
    dialog.optCloseDown(0)->click();
    EXPECT_EQ(dialog.cmdOk()->text(), "&Shut Down");
    dialog.optCloseDown(1)->click();
    dialog.cmdOk()->click();
    EXPECT_EQ(dialog.ShutDownMode(), frmShutDownMode::LogOff);
}

} // namespace
