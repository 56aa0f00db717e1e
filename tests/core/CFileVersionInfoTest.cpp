#include "core/CFileVersionInfo.h"
#include "core/PeVersionResource.h"
#include "support/TestWorld.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(NEVIX_TEST_DATA "/") + QString::fromLatin1(name);
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The fixed part: structure, file and product versions, flags, OS, type, subtype.
QString FixedPart(const CFileVersionInfo& info)
{
    return QStringList({info.VerStructure(), info.VerFile(), info.VerProduct(), info.FileFlags(),
                        info.FileOS(), info.FileType(), info.FileSubType()})
        .join(u'|');
}

// Every predefined value that is not empty, under its display name.
QStringList Strings(const CFileVersionInfo& info)
{
    QStringList strings;
    for (int32_t i = -1; i <= 15; ++i) {
        if (!info.PredefinedValue(i).isEmpty())
            strings << info.PredefinedName(i) + u'=' + info.PredefinedValue(i);
    }
    return strings;
}

TEST(CFileVersionInfo, ReadsTheFixedPartAndStringsOfADll)
{
    CFileVersionInfo info;
    info.SetFullPathName(Fixture("version-en-gb.dll"));
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.FullPathName(), Fixture("version-en-gb.dll"));
    EXPECT_EQ(FixedPart(info), "1.0|3.01.0005|3.01.0205||NT-Win32|DLL|");
    EXPECT_EQ(Strings(info), QStringList({"Language=English (United Kingdom)",
                                          "Comments=Version resource fixture",
                                          "Company Name=Fixture Works Ltd",
                                          "File Description=Fixture library",
                                          "File Version=3.01.0005",
                                          "Internal Name=fixture",
                                          "Legal Copyright=Copyright (C) 2024 Fixture Works Ltd",
                                          "Original Filename=fixture.dll",
                                          "Product Name=Fixture Product",
                                          "Product Version=3.01.0205"}));
    EXPECT_EQ(info.CompanyName(), "Fixture Works Ltd");
    EXPECT_EQ(info.ProductVersion(), "3.01.0205");
    EXPECT_EQ(info.PredefinedName(14), "LegalTrademarks2");
    EXPECT_EQ(info.PredefinedName(15), QString());
}

TEST(CFileVersionInfo, StringsUnderUsEnglishWhenTheTranslationNamesAnother)
{
    CFileVersionInfo info;
    info.SetFullPathName(Fixture("version-us-strings.exe"));
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(FixedPart(info), "1.0|1.02.0304|1.02.0004|Debug Special|NT-Win32|Driver|Display drv");
    EXPECT_EQ(info.Language(), "German (Germany)");
    EXPECT_EQ(info.CompanyName(), "Fixture Works Ltd");
    EXPECT_EQ(info.FileVersion(), "3.01.0005");
    EXPECT_EQ(info.SpecialBuild(), "fixture special");
}

TEST(CFileVersionInfo, OtherFilesHaveNoVersionAndChangeNothingElse)
{
    TestWorld world;
    CFileVersionInfo info;
    info.SetFullPathName(Fixture("version-en-gb.dll"));
    ASSERT_TRUE(info.Available());

    QFile text(world.PathOf("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("MZ but not a program\n");
    text.close();
    for (const QString& path : {world.PathOf("notes.txt"), world.PathOf("missing.dll"),
                                QCoreApplication::applicationFilePath(),
                                Fixture("make_version_fixtures.py")}) {
        info.SetFullPathName(path);
        EXPECT_FALSE(info.Available()) << path.toStdString();
        EXPECT_EQ(info.FullPathName(), path);
        EXPECT_EQ(info.CompanyName(), "Fixture Works Ltd");
        EXPECT_EQ(info.VerFile(), "3.01.0005");
    }

    // An empty path changes nothing at all.
    info.SetFullPathName(QString());
    EXPECT_EQ(info.FullPathName(), Fixture("make_version_fixtures.py"));
}

TEST(CFileVersionInfo, RelativeAndBackslashPathsAreMadeFull)
{
    TestWorld world;
    QFile::copy(Fixture("version-en-gb.dll"), world.PathOf("lib.dll"));
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(world.Folder()));
    CFileVersionInfo info;
    info.SetFullPathName(".\\lib.dll");
    QDir::setCurrent(saved);
    EXPECT_EQ(info.FullPathName(), QDir(world.Folder()).canonicalPath() + "/lib.dll");
    EXPECT_TRUE(info.Available());
}

TEST(PeVersionResource, DamagedFilesNeverReadOutOfBounds)
{
    const QByteArray whole = Bytes(Fixture("version-en-gb.dll"));
    ASSERT_TRUE(PeVersionResource::Parse(whole).has_value());
    // Cut anywhere: no version resource, or a partial one, never a crash.
    for (qsizetype size = 0; size < whole.size(); size += 7)
        (void)PeVersionResource::Parse(whole.left(size));
    EXPECT_FALSE(PeVersionResource::Parse(whole.left(0x200)).has_value());
    // Every byte of the headers and the resource tree set to extreme values.
    for (qsizetype at = 0; at < whole.size(); ++at) {
        for (const char value : {char(0x00), char(0xFF), char(0x7F)}) {
            QByteArray damaged = whole;
            damaged[at] = value;
            (void)PeVersionResource::Parse(damaged);
        }
    }
    const QByteArray exe = Bytes(Fixture("version-us-strings.exe"));
    for (qsizetype at = 0; at < exe.size(); ++at) {
        QByteArray damaged = exe;
        damaged[at] = char(0xFF);
        (void)PeVersionResource::Parse(damaged);
    }
    SUCCEED();
}

TEST(PeVersionResource, QueriesIgnoreCase)
{
    const auto resource = PeVersionResource::Parse(Bytes(Fixture("version-en-gb.dll")));
    ASSERT_TRUE(resource.has_value());
    EXPECT_EQ(resource->StringValue("080904e4", "companyname"), "Fixture Works Ltd");
    EXPECT_EQ(resource->StringValue("040904B0", "CompanyName"), QString());
    ASSERT_EQ(resource->Translations().size(), 1);
    EXPECT_EQ(resource->Translations().front(), 0x04E40809u);
    EXPECT_EQ(resource->FixedInfo().size(), 52);
}

} // namespace
