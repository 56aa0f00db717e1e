#include "core/INIFile.h"
#include "core/ProfileFile.h"
#include "platform/NevixError.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QByteArray Sample = "; settings of this station\n[System]\nOptions = AutoExecute \n"
                          "DebugMode=NNY\n\n[Database]\nDatabase=\"+Nevix.MDB\"\n"
                          "stray line without equals\n[GUI]\nHighlightSelText='No'\n";

TEST(ProfileFile, ReadsTheSameWhateverTheLineEnds)
{
    TestWorld world;
    QByteArray windows = Sample;
    windows.replace("\n", "\r\n");
    WriteBytes(world.PathOf("unix.ini"), Sample);
    WriteBytes(world.PathOf("windows.ini"), windows);
    // Every section, key and value, as one text per file.
    const auto all = [](const ProfileFile& file) {
        QStringList items;
        for (const QString& section : file.Sections())
            for (const QString& key : file.Keys(section))
                items << section + '/' + key + '=' + file.Value(section, key).value_or("?");
        return items;
    };
    const ProfileFile dos(world.PathOf("windows.ini"));
    EXPECT_EQ(all(ProfileFile(world.PathOf("unix.ini"))), all(dos));
    EXPECT_EQ(all(dos), QStringList({"System/Options=AutoExecute", "System/DebugMode=NNY",
                                     "Database/Database=+Nevix.MDB", "GUI/HighlightSelText=No"}));
    EXPECT_EQ(dos.Value("system", "OPTIONS"), QString("AutoExecute"));
    EXPECT_EQ(dos.Value("GUI", "Missing"), std::nullopt);
    EXPECT_EQ(dos.Value("Nowhere", "Options"), std::nullopt);
}

TEST(ProfileFile, WriteKeepsCommentsUnknownLinesOrderAndLineEnds)
{
    TestWorld world;
    QByteArray windows = Sample;
    windows.replace("\n", "\r\n");
    const QString path = world.PathOf("Nevix.INI");
    WriteBytes(path, windows);
    ProfileFile file(path);

    ASSERT_TRUE(file.Write("system", "debugmode", "NNN"));
    ASSERT_TRUE(file.Write("Database", "ForceRepair", "No"));
    ASSERT_TRUE(file.Write("NevixServer", "NevixHost", "https://service.test/api"));
    // Names given with blanks around them find the item that is there.
    ASSERT_TRUE(file.Write(" GUI ", " HighlightSelText ", "Yes"));
    EXPECT_EQ(file.Value(" gui", "highlightseltext "), QString("Yes"));

    // Every line kept as it was, the key written in place, the new ones at the end of their
    // section or in a new section at the end.
    QByteArray expected = windows;
    expected.replace("DebugMode=NNY", "DebugMode=NNN");
    expected.replace("+Nevix.MDB\"\r\n", "+Nevix.MDB\"\r\nForceRepair=No\r\n");
    expected.replace("HighlightSelText='No'", "HighlightSelText=Yes");
    expected += "[NevixServer]\r\nNevixHost=https://service.test/api\r\n";
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST(ProfileFile, AByteOrderMarkIsNoPartOfTheFirstSection)
{
    TestWorld world;
    const QString path = world.PathOf("Nevix.INI");
    WriteBytes(path, "\xEF\xBB\xBF[System]\r\nOptions=\xC3\xA9t\xC3\xA9\r\n");
    ProfileFile file(path);
    EXPECT_EQ(file.Value("System", "Options"), QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    ASSERT_TRUE(file.Write("System", "DebugMode", "N"));
    EXPECT_EQ(ReadBytes(path),
              QByteArray("\xEF\xBB\xBF[System]\r\nOptions=\xC3\xA9t\xC3\xA9\r\nDebugMode=N\r\n"));
}

// Only the file's first bytes can be a byte order mark: anywhere else
// U+FEFF belongs to the name, so writing an item never renames it, shadows
// another or turns it into a section header.
TEST(ProfileFile, AByteOrderMarkInsideANameStaysPartOfIt)
{
    TestWorld world;
    const QString path = world.PathOf("Nevix.INI");
    const QByteArray before = "\xEF\xBB\xBF[A]\n \xEF\xBB\xBFK=1\nK=2\n\xEF\xBB\xBF[B]x=3\nY=4\n[C]\nZ=5\n";
    WriteBytes(path, before);
    ProfileFile file(path);
    const QString bomK = QStringLiteral("\uFEFFK");
    const QString bomB = QStringLiteral("\uFEFF[B]x");
    EXPECT_EQ(file.Sections(), QStringList({"A", "C"}));
    EXPECT_EQ(file.Keys("A"), QStringList({bomK, "K", bomB, "Y"}));

    ASSERT_TRUE(file.Write("A", bomK, "6"));
    ASSERT_TRUE(file.Write("A", bomB, "7"));
    EXPECT_EQ(file.Value("A", bomK), QString("6"));
    EXPECT_EQ(file.Value("A", "K"), QString("2"));
    EXPECT_EQ(file.Value("A", bomB), QString("7"));
    EXPECT_EQ(file.Value("A", "Y"), QString("4"));
    EXPECT_EQ(file.Sections(), QStringList({"A", "C"}));
    EXPECT_EQ(file.Value("C", "Z"), QString("5"));
    EXPECT_EQ(ReadBytes(path), QByteArray("\xEF\xBB\xBF[A]\n\xEF\xBB\xBFK=6\nK=2\n\xEF\xBB\xBF[B]x=7\nY=4\n[C]\nZ=5\n"));
}

TEST(ProfileFile, RemovesKeysAndWholeSections)
{
    TestWorld world;
    const QString path = world.PathOf("Nevix.INI");
    WriteBytes(path, "[V2]\nImportData=a\nFastPrint=No\n[V2]\nImportData=b\n[System]\nOptions=x\n");
    ProfileFile file(path);

    ASSERT_TRUE(file.RemoveKey("v2", "importdata"));
    EXPECT_EQ(file.Value("V2", "ImportData"), std::nullopt);
    ASSERT_TRUE(file.RemoveSection("V2"));
    EXPECT_EQ(ReadBytes(path), QByteArray("[System]\nOptions=x\n"));
    // Removing what is not there neither fails nor creates a file.
    ProfileFile absent(world.PathOf("absent.ini"));
    EXPECT_TRUE(absent.RemoveKey("System", "Options"));
    EXPECT_TRUE(absent.RemoveSection("System"));
    EXPECT_FALSE(QFile::exists(world.PathOf("absent.ini")));
}

TEST(ProfileFile, LineBreaksInAValueCannotAddKeys)
{
    TestWorld world;
    ProfileFile file(world.PathOf("Nevix.INI"));
    ASSERT_TRUE(file.Write("GUI", "VQ7SearchRecievedInLastDays", "5\r\nDatabase=/elsewhere"));
    EXPECT_EQ(file.Keys("GUI"), QStringList({"VQ7SearchRecievedInLastDays"}));
    EXPECT_EQ(file.Value("GUI", "VQ7SearchRecievedInLastDays"), QString("5  Database=/elsewhere"));
    EXPECT_FALSE(file.Write("GUI", "A=B", "1"));
    EXPECT_FALSE(file.Write("G]X", "A", "1"));
}

TEST(ProfileFile, AWriteThatFailsLeavesTheFileAsItWas)
{
    TestWorld world;
    // A folder in place of the file: root cannot write over it either.
    const QString path = world.PathOf("Nevix.INI");
    ASSERT_TRUE(QDir().mkpath(path));
    ProfileFile file(path);
    EXPECT_FALSE(file.Write("System", "Options", "x"));
    EXPECT_FALSE(file.ErrorString().isEmpty());
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(QDir(world.Folder()).entryList(QDir::Files), QStringList());
}

struct IniReadCase {
    const char* name;
    const char* stored;
    const char* expected;
};

TEST(INIFile, ValuesComeBackTrimmedAndUnquoted)
{
    const IniReadCase cases[] = {
        {"blanks", "   padded   ", "padded"}, {"double_quotes", "\"quoted\"", "quoted"},
        {"single_quotes", "'quoted'", "quoted"}, {"blanks_inside_quotes", "\"  inner  \"", "inner"},
        {"one_pair_only", "\"\"twice\"\"", "\"twice\""}, {"unmatched_quote", "\"open", "\"open"},
        {"mixed_quotes", "'mixed\"", "'mixed\""}, {"empty", "", ""},
    };
    TestWorld world;
    const QString path = world.PathOf("read.ini");
    QByteArray text = "[S]\n";
    for (const IniReadCase& c : cases)
        text += QByteArray(c.name) + "=" + c.stored + "\n";
    WriteBytes(path, text);
    const INIFile ini;
    for (const IniReadCase& c : cases)
        EXPECT_EQ(ini.GetIniString("S", c.name, "default", path), QString(c.expected)) << c.name;
    EXPECT_EQ(ini.GetIniString("S", "missing", "  default  ", path), QString("default"));
    EXPECT_EQ(ini.GetIniString("S", "x", "default", world.PathOf("none.ini")), QString("default"));
}

TEST(INIFile, ListingsAreJoinedWithCommas)
{
    TestWorld world;
    const QString path = world.PathOf("list.ini");
    WriteBytes(path, "[System]\nOptions=\nDebugMode=N\n[V2]\n[GUI]\n");
    const INIFile ini;
    EXPECT_EQ(ini.GetIniString("", "", "", path), QString("System,V2,GUI"));
    EXPECT_EQ(ini.GetIniString("System", "", "", path), QString("Options,DebugMode"));
    EXPECT_EQ(ini.GetIniString("V2", "", "", path), QString());
    EXPECT_EQ(ini.GetIniString("Missing", "", "", path), QString());
}

TEST(INIFile, ANulInsideAValueReadsAsTheSettingsFileHoldsIt)
{
    const struct {
        const char* name;
        QByteArray stored;
        QString expected;
    } cases[] = {
        {"inside", QByteArray("a\0b", 3), QString("a") + QChar(0) + "b"},
        {"at_end", QByteArray("ab\0", 3), QString("ab") + QChar(0)},
        {"alone", QByteArray("\0", 1), QString(QChar(0))},
        {"in_quotes", QByteArray("\"a\0\0b\"", 6), QString("a") + QChar(0) + QChar(0) + "b"},
    };
    TestWorld world;
    const QString path = world.PathOf("nul.ini");
    QByteArray text = "[S]\n";
    for (const auto& c : cases)
        text += QByteArray(c.name) + "=" + c.stored + "\n";
    WriteBytes(path, text);
    const ProfileFile file(path);
    const INIFile ini;
    for (const auto& c : cases) {
        EXPECT_EQ(file.Value("S", c.name), c.expected) << c.name;
        EXPECT_EQ(ini.GetIniString("S", c.name, "", path), c.expected) << c.name;
    }
    // Listings keep their commas.
    EXPECT_EQ(ini.GetIniString("S", "", "", path), QString("inside,at_end,alone,in_quotes"));
}

TEST(INIFile, AValueIsCutAt10239Characters)
{
    TestWorld world;
    const QString path = world.PathOf("long.ini");
    const INIFile ini;
    ini.SetIniString("S", "Long", QString(20000, u'x'), path);
    EXPECT_EQ(ini.GetIniString("S", "Long", "", path).size(), 10239);
    ini.SetIniString("S", "Long", QString(10239, u'y'), path);
    EXPECT_EQ(ini.GetIniString("S", "Long", "", path), QString(10239, u'y'));
}

TEST(INIFile, EmptyValueRemovesTheItemAndEmptyItemTheSection)
{
    TestWorld world;
    const QString path = world.PathOf("w.ini");
    const INIFile ini;
    ini.SetIniString("V2", "FastPrint", "No", path);
    ini.SetIniString("V2", "FontReduce", "2", path);
    ini.SetIniString("V2", "FastPrint", "", path);
    EXPECT_EQ(ini.GetIniString("V2", "FastPrint", "X", path), QString("X"));
    EXPECT_EQ(ini.GetIniString("V2", "FontReduce", "X", path), QString("2"));
    ini.SetIniString("V2", "", "", path);
    EXPECT_EQ(ini.GetIniString("", "", "", path), QString());
}

// The source and description of the settings error a call raises.
template <typename F>
QString ErrorOf(F&& call)
{
    try {
        call();
    } catch (const NevixError& e) {
        EXPECT_EQ(uint32_t(e.Number()), 0x80040201u);
        return e.Source() + " / " + e.Description();
    }
    return "nothing raised";
}

TEST(INIFile, FailuresRaiseTheSettingsError)
{
    TestWorld world;
    WriteBytes(world.PathOf("plain"), "a file, not a folder");
    const QString unwritable = world.PathOf("plain/Nevix.INI");
    INIFile ini;
    const QString unable = "SetIniString / INIFile - Unable to write to INI file";
    EXPECT_EQ(ErrorOf([&] { ini.SetIniString("S", "K", "V", unwritable); }), unable);
    EXPECT_EQ(ErrorOf([&] { ini.SetIniString("", "K", "V", world.PathOf("ok.ini")); }), unable);
    EXPECT_EQ(ErrorOf([&] { ini.GetFromAppIni("S", "K", ""); }),
              QString("INIFile.GetFromAppIni / Application INI not set"));
    EXPECT_EQ(ErrorOf([&] { ini.SetToAppIni("S", "K", "V"); }),
              QString("INIFile.SetToAppIni / Application INI not set"));
    ini.SetAppIniNameAndLocation(world.PathOf("ok.ini"));
    ini.SetToAppIni("S", "K", "V");
    EXPECT_EQ(ini.GetFromAppIni("s", "k", ""), QString("V"));
}

} // namespace
