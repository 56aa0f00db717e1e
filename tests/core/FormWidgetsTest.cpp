#include "core/ApplicationSettings.h"
#include "core/FormUtilities.h"
#include "core/qt/FormWidgets.h"
#include "core/qt/ShowFolderBrowser.h"
#include "support/TestWorld.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(IsFormLoaded, ExactNameOfAnOpenWindow)
{
    QWidget window;
    window.setObjectName("frmMenu");
    EXPECT_TRUE(IsFormLoaded("frmMenu"));
    EXPECT_FALSE(IsFormLoaded("FRMMENU"));
    EXPECT_FALSE(IsFormLoaded("frmLogon"));
}

TEST(SetTextBoxLocked, ReadOnlyLookAndBack)
{
    QLineEdit box("AB123");
    SetTextBoxLocked(false, box);
    EXPECT_TRUE(box.isReadOnly());
    EXPECT_FALSE(box.hasFrame());
    EXPECT_TRUE(box.font().bold());
    EXPECT_EQ(box.focusPolicy(), Qt::ClickFocus);

    SetTextBoxLocked(true, box);
    EXPECT_FALSE(box.isReadOnly());
    EXPECT_TRUE(box.hasFrame());
    EXPECT_FALSE(box.font().bold());
    EXPECT_EQ(box.focusPolicy(), Qt::StrongFocus);

    QPlainTextEdit memo;
    SetTextBoxLocked(false, memo);
    EXPECT_TRUE(memo.isReadOnly());
    EXPECT_EQ(memo.frameShape(), QFrame::NoFrame);
}

TEST(SelectTextBoxText, AllOrCaretAtTheEnd)
{
    QLineEdit box("hello");
    SelectTextBoxText(box, true, false);
    EXPECT_EQ(box.selectedText(), "hello");
    SelectTextBoxText(box, false, true);
    EXPECT_FALSE(box.hasSelectedText());
    EXPECT_EQ(box.cursorPosition(), 5);
    SelectTextBoxText(box, false, false);
    EXPECT_EQ(box.cursorPosition(), 0);
}

TEST(HighlightTextOnFocus, FollowsTheHighlightSelTextSetting)
{
    TestWorld world;
    QLineEdit box("hello");
    HighlightTextOnFocus(box); // on by default
    EXPECT_EQ(box.selectedText(), "hello");

    Settings().SetHighlightSelText(false);
    HighlightTextOnFocus(box);
    EXPECT_FALSE(box.hasSelectedText());
    EXPECT_EQ(box.cursorPosition(), 5);
}

TEST(ShowFolderBrowser, OwnedByTheWindowOfTheGivenWidget)
{
    TestWorld world;
    QWidget form;
    form.setWindowTitle("Set-up");
    QLineEdit* folder = new QLineEdit(&form);
    world.ui().ScriptFile("/data/in");
    EXPECT_EQ(ShowFolderBrowser(folder, "Import", "/data"), "/data/in");
    EXPECT_EQ(ShowFolderBrowser(nullptr, "Import", "/data"), QString());
    ASSERT_EQ(world.ui().folderRequests.size(), 2);
    EXPECT_EQ(world.ui().folderRequests[0].ownerCaption, "Set-up");
    EXPECT_EQ(world.ui().folderRequests[0].startFolder, "/data");
    EXPECT_EQ(world.ui().folderRequests[1].ownerCaption, QString());
}

TEST(KeyFilter, SwallowsRefusedKeysAndLetsControlKeysThrough)
{
    QLineEdit box;
    KeyFilter::Install(box, [](int16_t key) { return FilterNumericKey(key, false); });
    QTest::keyClicks(&box, "1a2-3");
    EXPECT_EQ(box.text(), "123");
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), "12");
}

} // namespace
