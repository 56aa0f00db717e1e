#include "screens/admin/frmInfo.h"

#include "PrepareProgramFolder.h"
#include "platform/NevixError.h"
#include "support/FileBytes.h"
#include "support/Printers.h"
#include "support/TestWorld.h"

#include <QAbstractTextDocumentLayout>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

const QByteArray Information = R"({\rtf1{\fonttbl{\f0 Arial;}}\b Use of data\b0\par Keep it safe.})";

TEST(frmInfo, ShowsTheProgramFoldersInformationFileReadOnlyAndCloseUnloadsIt)
{
    TestWorld world;
    WriteBytes(world.PathOf(QStringLiteral("IMPORTANT_INFORMATION.rtf")), Information);
    frmInfo info;
    info.InitialiseForm();
    EXPECT_EQ(info.windowTitle(), "IMPORTANT USE OF DATA INFORMATION");
    EXPECT_EQ(info.rtfMoreInfo()->toPlainText(), "Use of data\nKeep it safe.");
    EXPECT_TRUE(info.rtfMoreInfo()->isReadOnly());
    EXPECT_EQ(info.cmdReturn()->text(), "&Close");
    info.show();
    info.cmdReturn()->click();
    EXPECT_FALSE(info.isVisible()) << "close unloads the window";
}

TEST(frmInfo, TheFileIsFoundWhetherOrNotTheFolderEndsInASeparator)
{
    EXPECT_EQ(frmInfo::InfoFilePath(QStringLiteral("/opt/nevix")), "/opt/nevix/IMPORTANT_INFORMATION.rtf");
    EXPECT_EQ(frmInfo::InfoFilePath(QStringLiteral("/opt/nevix/")), "/opt/nevix/IMPORTANT_INFORMATION.rtf");
}

TEST(frmInfo, AMissingFileRaisesNamingIt)
{
    TestWorld world;
    frmInfo info;
    try {
        info.InitialiseForm();
        FAIL() << "no error";
    } catch (const NevixError& e) {
        EXPECT_TRUE(e.Description().contains(world.PathOf(QStringLiteral("IMPORTANT_INFORMATION.rtf"))));
    }
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << "the menu reports it";
}

TEST(frmInfo, TheBulletsOfAPreparedFolderHang)
{
    TestWorld world;
    PrepareProgramFolder(world.Folder());
    frmInfo info;
    info.InitialiseForm();
    info.show();
    info.resize(400, 416);
    QTextDocument& document = *info.rtfMoreInfo()->document();
    document.documentLayout()->documentSize();
    int bullets = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.text().startsWith(QChar(0x2022)))
            continue;
        ++bullets;
        const QTextLayout* layout = block.layout();
        const int indent = int(block.blockFormat().leftMargin());
        ASSERT_GE(layout->lineCount(), 2) << block.text().toStdString();
        EXPECT_GT(indent, 0);
        EXPECT_LT(layout->lineAt(0).x(), indent) << "the bullet stands out";
        EXPECT_EQ(layout->lineAt(0).cursorToX(block.text().indexOf('\t') + 1), indent) << "its text starts at the indent";
        EXPECT_EQ(layout->lineAt(1).x(), indent) << "its wrapped line starts at the indent";
    }
    EXPECT_EQ(bullets, 4);
}

TEST(frmInfo, ControlsFollowTheWindowAndKeepTheirPlacesWhenShrunkTooFar)
{
    TestWorld world;
    WriteBytes(world.PathOf(QStringLiteral("IMPORTANT_INFORMATION.rtf")), Information);
    frmInfo info;
    info.InitialiseForm();
    info.show();
    info.resize(600, 400);
    const QRect button = info.cmdReturn()->geometry();
    const QRect text = info.rtfMoreInfo()->geometry();
    EXPECT_EQ(button.bottom() + 1, 400 - 7);
    EXPECT_EQ(button.right() + 1, 600 - 7);
    EXPECT_EQ(text.width(), 600 - 2 * text.x());
    EXPECT_EQ(text.bottom() + 1, button.top() - 7);
    info.setMinimumSize(1, 1);
    info.resize(10, 10);
    EXPECT_EQ(info.cmdReturn()->geometry(), button);
    EXPECT_EQ(info.rtfMoreInfo()->geometry(), text);
}

} // namespace
