#include "HelpFixture.h"

#include "ChmWriter.h"
#include "help/ChmFile.h"
#include "help/ChmLayout.h"
#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "platform/NevixError.h"
#include "support/FileBytes.h"
#include "support/Printers.h"
#include "support/TestWorld.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// Where a structure of the fixture starts, found by its signature.
qsizetype ControlData(const QByteArray& file)
{
    return file.indexOf("LZXC") - 4;
}

qsizetype DirectoryHeader(const QByteArray& file)
{
    return file.indexOf("ITSP");
}

// The reset table: version 2, the table 40 bytes in, blocks of 32 KiB.
qsizetype ResetTable(const QByteArray& file)
{
    for (qsizetype at = 0; at + 40 <= file.size(); ++at) {
        if (qFromLittleEndian<uint32_t>(file.constData() + at) == 2 &&
            qFromLittleEndian<uint32_t>(file.constData() + at + 12) == 40 &&
            qFromLittleEndian<uint64_t>(file.constData() + at + 32) == 0x8000)
            return at;
    }
    return -1;
}

void Put32(QByteArray& file, qsizetype at, uint32_t value)
{
    ASSERT_GE(at, 0);
    qToLittleEndian(value, file.data() + at);
}

struct DamageCase {
    const char* name;
    void (*damage)(QByteArray& file);
};

// Each of these, given to the reading library, would end the process (a
// division by zero, an allocation of the stated size, a walk for ever, a
// decompression with no window) or have it read outside its buffers.
const DamageCase Damages[] = {
    {"WindowSizeZero", [](QByteArray& f) { Put32(f, ControlData(f) + 16, 0); }},
    {"WindowSizeThatOverflowsToZero", [](QByteArray& f) { Put32(f, ControlData(f) + 16, 0x20000); }},
    {"ResetIntervalZero", [](QByteArray& f) { Put32(f, ControlData(f) + 12, 0); }},
    {"NoWindowsPerReset", [](QByteArray& f) { Put32(f, ControlData(f) + 20, 0); }},
    {"WindowBeyondTheDecompressor",
     [](QByteArray& f) {
         Put32(f, ControlData(f) + 12, 0x40); // a reset every half window, as the library wants
         Put32(f, ControlData(f) + 16, 0x80);
     }},
    {"ChunkSizeBeyondTheFile", [](QByteArray& f) { Put32(f, DirectoryHeader(f) + 0x10, 0xF0000000); }},
    {"ChunkSizeBelowItsOwnHeader", [](QByteArray& f) { Put32(f, DirectoryHeader(f) + 0x10, 8); }},
    {"BlockSizeZero", [](QByteArray& f) { Put32(f, ResetTable(f) + 32, 0); }},
    {"IndexChunkThatLeadsToItself",
     [](QByteArray& f) {
         // The only listing chunk becomes the index root; its first entry's
         // next number (the entry's space, 0) is the chunk itself.
         Put32(f, DirectoryHeader(f) + 0x1C, 0);
         f.replace(DirectoryHeader(f) + 0x54, 4, "PMGI");
     }},
};

class DamagedHelpFile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedHelpFile, IsOneWarningAndNoWindowAndTheProgramGoesOn)
{
    TestWorld world;
    ScopedRecordingHost recording;
    QByteArray bytes = ReadBytes(FixtureHelpFile());
    GetParam().damage(bytes);
    ASSERT_NE(bytes, ReadBytes(FixtureHelpFile()));
    const QString path = world.PathOf(QStringLiteral("Nevix.chm"));
    WriteBytes(path, bytes);

    QString damage;
    EXPECT_FALSE(ChmLayout::Read(path, damage));
    EXPECT_FALSE(damage.isEmpty());
    EXPECT_THROW(ChmFile{path}, NevixError);
    // F1 on the main menu, with the file as the program's help file.
    GlobalHelp().SetHelpFile(path);
    ShowHelpTopic(HelpTopics::Menu);
    ReleaseHelp();
    EXPECT_TRUE(recording.host->shown.isEmpty());
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, QStringLiteral("The help file ") + path + QStringLiteral(" cannot be read."));
    EXPECT_EQ(world.ui().boxes[0].style & MsgBox::IconMask, MsgBox::Exclamation);
}

INSTANTIATE_TEST_SUITE_P(Fixture, DamagedHelpFile, ::testing::ValuesIn(Damages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChmLayout, ACompressedBlockLongerThanItsBufferIsNeverDecompressed)
{
    TestWorld world;
    QByteArray bytes = ReadBytes(FixtureHelpFile());
    // The first block's end, as the table states it: 64 KiB on.
    Put32(bytes, ResetTable(bytes) + 40 + 8, 0x10000);
    const QString path = world.PathOf(QStringLiteral("guide.chm"));
    WriteBytes(path, bytes);
    try {
        ChmFile file(path);
        EXPECT_FALSE(file.Read(QStringLiteral("/welcome.htm")));
        EXPECT_FALSE(file.Read(QStringLiteral("/images/menu.png")));
    } catch (const NevixError& e) {
        EXPECT_TRUE(e.Description().contains(path)); // its system object is compressed too
    }
}

// A file of many objects, under two levels of index chunks.
ChmWriter ManyObjects(int count)
{
    ChmWriter writer;
    writer.AddSystem("/Topic0042.htm", "Written help");
    for (int i = 0; i < count; ++i)
        writer.Add(QStringLiteral("/Topic%1.htm").arg(i, 4, 10, QLatin1Char('0')).toUtf8(),
                   QByteArray::number(i).repeated(i % 7));
    writer.AddTopics({{7, "/Topic0007.htm"}, {-3, "C:/build/help/Topic2000.htm"}, {9, "/missing.htm"}});
    return writer;
}

TEST(ChmLayout, EveryObjectOfAWrittenFileReadsBack)
{
    TestWorld world;
    const QString path = world.PathOf(QStringLiteral("written.chm"));
    ASSERT_TRUE(ManyObjects(3000).Write(path, 512));
    ChmFile file(path);
    EXPECT_EQ(file.Title(), "Written help");
    EXPECT_EQ(file.DefaultTopic(), "/Topic0042.htm");
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(file.Read(QStringLiteral("Topic%1.htm").arg(i, 4, 10, QLatin1Char('0'))),
                  QByteArray::number(i).repeated(i % 7))
            << i;
    EXPECT_EQ(file.Read(QStringLiteral("/TOPIC0005.HTM")), QByteArray("55555")) << "names match in any case";
    EXPECT_FALSE(file.Read(QStringLiteral("/Topic3000.htm")));
    EXPECT_EQ(file.PageForTopic(7), "/Topic0007.htm");
    EXPECT_EQ(file.PageForTopic(-3), "/Topic2000.htm");
    EXPECT_EQ(file.PageForTopic(9), "/Topic0042.htm");
}

TEST(ChmLayout, AnIndexCircleOrAnEntryPastItsChunkIsRefused)
{
    TestWorld world;
    const QByteArray sound = ManyObjects(200).Bytes(512);
    const qsizetype firstChunk = DirectoryHeader(sound) + 0x54;
    const int32_t chunks = qFromLittleEndian<int32_t>(sound.constData() + DirectoryHeader(sound) + 0x2C);
    const int32_t root = qFromLittleEndian<int32_t>(sound.constData() + DirectoryHeader(sound) + 0x1C);
    ASSERT_EQ(root, chunks - 1);
    ASSERT_LT(root, 128);

    // The root's first entry: a length, the name, the chunk it leads to.
    QByteArray circle = sound;
    const qsizetype entry = firstChunk + qsizetype(root) * 512 + 8;
    circle[entry + 1 + circle[entry]] = char(root);

    // The first listing chunk says it has no free space: its zero padding
    // reads as entries, the last of which runs on past the chunk.
    QByteArray overrun = sound;
    Put32(overrun, firstChunk + 4, 0);
    overrun[firstChunk + 511] = char(0x80);

    for (const QByteArray& bytes : {circle, overrun}) {
        const QString path = world.PathOf(QStringLiteral("damaged.chm"));
        WriteBytes(path, bytes);
        EXPECT_THROW(ChmFile{path}, NevixError);
    }
    WriteBytes(world.PathOf(QStringLiteral("sound.chm")), sound);
    EXPECT_NO_THROW(ChmFile{world.PathOf(QStringLiteral("sound.chm"))});
}

TEST(ChmFile, APathOfManySlashesFindsItsPageByItsTrailingParts)
{
    TestWorld world;
    ChmWriter writer;
    const QByteArray longest = '/' + QByteArray(511, 'x');
    writer.AddSystem(QByteArray(65000, '/') + "welcome.htm", "Slashes");
    writer.Add("/welcome.htm", "<p>Welcome</p>");
    writer.Add(longest, "longest");
    writer.AddTopics({{1, QByteArray(260000, '/') + "welcome.htm"}, {2, QByteArray(260000, '/')},
                      {3, "/a/b" + longest}, {4, "/a" + longest + 'y'}});
    const QString path = world.PathOf(QStringLiteral("slashes.chm"));
    ASSERT_TRUE(writer.Write(path));
    ChmFile file(path);
    EXPECT_EQ(file.DefaultTopic(), "/welcome.htm");
    EXPECT_EQ(file.PageForTopic(1), "/welcome.htm");
    EXPECT_EQ(file.PageForTopic(2), "/welcome.htm") << "no trailing part is a page: the default topic";
    EXPECT_EQ(file.PageForTopic(3), QString::fromLatin1(longest)) << "a stored path of the greatest length";
    EXPECT_EQ(file.PageForTopic(4), "/welcome.htm");
}

} // namespace
