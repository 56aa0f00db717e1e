#include "core/CommonDialogs.h"
#include "core/FormUtilities.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

int16_t Code(char c)
{
    return static_cast<int16_t>(c);
}

TEST(FormText, AppendWithSeparatorAndRemoveControlChars)
{
    QString list;
    AppendWithSeparator(list, "a", ", ");
    EXPECT_EQ(list, "a");
    AppendWithSeparator(list, "b", ", ");
    EXPECT_EQ(list, "a, b");

    EXPECT_EQ(RemoveControlChars("  ab\tcd  "), "abcd");
    EXPECT_EQ(RemoveControlChars("abc \t"), "abc ");
    EXPECT_EQ(RemoveControlChars("\r\nx\r\n"), "x");
    EXPECT_EQ(RemoveControlChars(QString()), QString());
}

TEST(KeyFilters, NumericAndAlphaNumericKeys)
{
    const std::tuple<char, int16_t, int16_t> cases[] = { // key, numeric, alphanumeric with extras
        {'\b', 8, 8},        {'\t', 9, 9},   {'7', '7', '7'}, {'-', 0, '-'},
        {'a', 0, 'a'},       {'A', 0, 'A'},  {'@', 0, '@'},   {',', 0, 0},
    };
    for (const auto& [key, numeric, alphaNumeric] : cases) {
        EXPECT_EQ(FilterNumericKey(Code(key), false), numeric) << key;
        EXPECT_EQ(FilterAlphaNumericKey(Code(key), ": -._#@/*;"), alphaNumeric) << key;
    }
    EXPECT_EQ(FilterNumericKey(Code('-'), true), Code('-'));
    EXPECT_EQ(FilterAlphaNumericKey(Code('@'), QString()), 0);
}

TEST(KeyFilters, CompareModeDecidesLetterCase)
{
    EXPECT_EQ(FilterAlphaKey(Code('Q'), CompareMode::Text), Code('Q'));
    EXPECT_EQ(FilterAlphaKey(Code('Q'), CompareMode::Binary), 0);
    EXPECT_EQ(FilterAlphaKey(Code('q'), CompareMode::Binary), Code('q'));
    EXPECT_EQ(FilterAlphaKey(Code('1'), CompareMode::Text), 0);
    EXPECT_EQ(FilterKeyToChars(Code('y'), "YN", CompareMode::Text), Code('y'));
    EXPECT_EQ(FilterKeyToChars(Code('y'), "YN", CompareMode::Binary), 0);
}

TEST(CommonDialogs, OpenFileWithoutFilterOffersAllFiles)
{
    TestWorld world;
    world.ui().ScriptFile("/in/VQ3001.IMP");
    EXPECT_EQ(ShowOpenFileDialog("Enquiries", "Import", "/in", QString()), "/in/VQ3001.IMP");
    const FileDialogRequest& r = world.ui().fileRequests.first();
    EXPECT_EQ(r.filter, "All Files|*.*");
    EXPECT_EQ(r.initialFolder, "/in");
    EXPECT_EQ(r.ownerCaption, "Enquiries");
}

TEST(CommonDialogs, NulSeparatedFiltersAndCancel)
{
    TestWorld world;
    const QString filter = QString("Imports") + QChar(0) + "*.IMP" + QChar(0);
    EXPECT_EQ(ShowOpenFileDialog(QString(), "Import", QString(), filter), QString());
    EXPECT_EQ(world.ui().fileRequests.first().filter, "Imports|*.IMP");
}

TEST(CommonDialogs, SaveFileProposesTheFileInItsFolderAndLeavesTheOverwriteQuestionToTheCaller)
{
    TestWorld world;
    world.ui().ScriptFile("/out/Mine.EXP");
    EXPECT_EQ(ShowSaveFileDialog("Responses", "Export", "/out\\VQ7_150324_1030.EXP", "Export files (*.EXP)|*.EXP"),
              "/out/Mine.EXP");
    const FileDialogRequest& r = world.ui().fileRequests.first();
    EXPECT_EQ(r.mode, FileDialogMode::Save);
    EXPECT_EQ(r.initialFolder, "/out");
    EXPECT_EQ(r.fileName, "VQ7_150324_1030.EXP");
    EXPECT_EQ(r.filter, "Export files (*.EXP)|*.EXP");
    EXPECT_FALSE(r.confirmOverwrite);
    EXPECT_EQ(ShowSaveFileDialog(QString(), "Export", "/out/x.EXP", QString()), QString()) << "cancelled";
}

TEST(CommonDialogs, FolderBrowserStartsInTheGivenFolder)
{
    TestWorld world;
    EXPECT_EQ(BrowseForFolder("Parameters", "Export folder",
                              world.Folder()),
              QString());
    world.ui().ScriptFile(world.Folder());
    EXPECT_EQ(BrowseForFolder(QString(), "Export folder", world.Folder()), world.Folder());
    ASSERT_EQ(world.ui().folderRequests.size(), 2);
    EXPECT_EQ(world.ui().folderRequests.first().startFolder, world.Folder());
    EXPECT_EQ(world.ui().folderRequests.first().ownerCaption, "Parameters");
}

} // namespace
