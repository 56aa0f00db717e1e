#include "core/CommonDialogs.h"
#include "core/FormUtilities.h"
#include "support/TestWorld.h"

#include <gtest/gtest.h>

namespace {

int16_t Code(char c)
{
    return static_cast<int16_t>(c);
}

TEST(AppendWithSeparator, FirstItemStandsAloneThenSeparated)
{
    QString list;
    AppendWithSeparator(list, QStringLiteral("a"), QStringLiteral(", "));
    EXPECT_EQ(list, QStringLiteral("a"));
    AppendWithSeparator(list, QStringLiteral("b"), QStringLiteral(", "));
    EXPECT_EQ(list, QStringLiteral("a, b"));
}

TEST(RemoveControlChars, TrimsBlanksThenDropsControlCharacters)
{
    EXPECT_EQ(RemoveControlChars(QStringLiteral("  ab\tcd  ")), QStringLiteral("abcd"));
    EXPECT_EQ(RemoveControlChars(QStringLiteral("abc \t")), QStringLiteral("abc "));
    EXPECT_EQ(RemoveControlChars(QStringLiteral("\r\nx\r\n")), QStringLiteral("x"));
    EXPECT_EQ(RemoveControlChars(QString()), QString());
}

struct KeyCase {
    const char* what;
    int16_t key;
    int16_t expected;
};

TEST(KeyFilters, NumericKeys)
{
    const KeyCase plain[] = {{"backspace", 8, 8}, {"seven", Code('7'), Code('7')},
                             {"minus", Code('-'), 0}, {"letter", Code('a'), 0}};
    for (const KeyCase& c : plain)
        EXPECT_EQ(FilterNumericKey(c.key, false), c.expected) << c.what;
    EXPECT_EQ(FilterNumericKey(Code('-'), true), Code('-'));
}

TEST(KeyFilters, AlphaNumericKeysWithExtras)
{
    const QString extra = QStringLiteral(": -._#@/*;");
    const KeyCase cases[] = {{"A", Code('A'), Code('A')}, {"a", Code('a'), Code('a')},
                             {"5", Code('5'), Code('5')}, {"@", Code('@'), Code('@')},
                             {"comma", Code(','), 0},     {"tab", 9, 9}};
    for (const KeyCase& c : cases)
        EXPECT_EQ(FilterAlphaNumericKey(c.key, extra), c.expected) << c.what;
    EXPECT_EQ(FilterAlphaNumericKey(Code('@'), QString()), 0);
}

TEST(KeyFilters, CompareModeDecidesLetterCase)
{
    EXPECT_EQ(FilterAlphaKey(Code('Q'), CompareMode::Text), Code('Q'));
    EXPECT_EQ(FilterAlphaKey(Code('Q'), CompareMode::Binary), 0);
    EXPECT_EQ(FilterAlphaKey(Code('q'), CompareMode::Binary), Code('q'));
    EXPECT_EQ(FilterAlphaKey(Code('1'), CompareMode::Text), 0);
    EXPECT_EQ(FilterKeyToChars(Code('y'), QStringLiteral("YN"), CompareMode::Text), Code('y'));
    EXPECT_EQ(FilterKeyToChars(Code('y'), QStringLiteral("YN"), CompareMode::Binary), 0);
}

TEST(CommonDialogs, OpenFileWithoutFilterOffersAllFiles)
{
    TestWorld world;
    world.ui().ScriptFile(QStringLiteral("/in/VQ3001.IMP"));
    EXPECT_EQ(ShowOpenFileDialog(QStringLiteral("Enquiries"), QStringLiteral("Import"),
                                 QStringLiteral("/in"), QString()),
              QStringLiteral("/in/VQ3001.IMP"));
    const FileDialogRequest& r = world.ui().fileRequests.first();
    EXPECT_EQ(r.filter, QStringLiteral("All Files|*.*"));
    EXPECT_EQ(r.initialFolder, QStringLiteral("/in"));
    EXPECT_EQ(r.ownerCaption, QStringLiteral("Enquiries"));
}

TEST(CommonDialogs, NulSeparatedFiltersAndCancel)
{
    TestWorld world;
    EXPECT_EQ(ShowOpenFileDialog(QString(), QStringLiteral("Import"), QString(),
                                 QStringLiteral("Imports") + QChar(0) + QStringLiteral("*.IMP") + QChar(0)),
              QString());
    EXPECT_EQ(world.ui().fileRequests.first().filter, QStringLiteral("Imports|*.IMP"));
}

TEST(CommonDialogs, FolderBrowserStartsInTheGivenFolder)
{
    TestWorld world;
    EXPECT_EQ(BrowseForFolder(QStringLiteral("Parameters"), QStringLiteral("Export folder"),
                              world.Folder()),
              QString());
    world.ui().ScriptFile(world.Folder());
    EXPECT_EQ(BrowseForFolder(QString(), QStringLiteral("Export folder"), world.Folder()),
              world.Folder());
    ASSERT_EQ(world.ui().folderRequests.size(), 2);
    EXPECT_EQ(world.ui().folderRequests.first().startFolder, world.Folder());
    EXPECT_EQ(world.ui().folderRequests.first().ownerCaption, QStringLiteral("Parameters"));
}

} // namespace
