#include "core/ApplicationSettings.h"
#include "core/DelimitedString.h"
#include "core/JuxUtils.h"
#include "support/FileBytes.h"
#include "support/ScopedTimeZone.h"
#include "support/TestWorld.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <clocale>

#include <gtest/gtest.h>

namespace {

QString Q(const char* text)
{
    return QString::fromUtf8(text);
}

constexpr int32_t Csv = 1;
constexpr int32_t Tab = 2;
constexpr int32_t Fixed = 3;

const QDate March15(2024, 3, 15);

TEST(PadField, RendersTheFieldByTypeAndLayout)
{
    TestWorld world;
    const struct {
        const char* name;
        QVariant value;
        int16_t width;
        const char* pad;
        int32_t layout;
        bool keepLeftPart;
        bool leftJustify;
        const char* expected;
    } cases[] = {
        {"csv text with comma is quoted", "Smith, J", 10, " ", Csv, false, true, "\"Smith, J\","},
        {"csv plain text", "Smith", 10, " ", Csv, false, true, "Smith,"},
        {"csv quote is doubled", "5\" disk, black", 10, " ", Csv, false, true,
         "\"5\"\" disk, black\","},
        {"csv quote without comma is quoted too", "5\" disk", 10, " ", Csv, false, true,
         "\"5\"\" disk\","},
        {"csv null gives pad character", QVariant(), 10, " ", Csv, false, true, " ,"},
        {"csv empty text stays empty", "", 10, " ", Csv, false, true, ","},
        {"csv neither pads nor cuts", "ABCDEFG", 3, "0", Csv, false, false, "ABCDEFG,"},
        {"csv date", QVariant(March15), 10, " ", Csv, false, true, "15032024,"},
        {"tab number", QVariant(12), 5, "0", Tab, false, false, "12\t"},
        {"fixed right-justified, zero pad", QVariant(42), 5, "0", Fixed, false, false, "00042"},
        {"fixed right-justified keeps right part", QVariant(1234567), 5, "0", Fixed, false, false,
         "34567"},
        {"fixed keep left part", QVariant(1234567), 5, "0", Fixed, true, false, "12345"},
        {"fixed keep left part, short still padded", QVariant(42), 5, "0", Fixed, true, false,
         "00042"},
        {"fixed left-justified pads with blanks", "AB", 5, "0", Fixed, false, true, "AB   "},
        {"fixed left-justified cuts", "ABCDEFG", 5, " ", Fixed, false, true, "ABCDE"},
        {"fixed large number, no grouping", QVariant(1000000.0), 8, " ", Fixed, false, false,
         " 1000000"},
        {"fixed date is eight wide", QVariant(March15), 10, " ", Fixed, false, true, "15032024"},
        {"fixed date-time is eight wide", QVariant(QDateTime(March15, QTime(10, 30))), 4, " ",
         Fixed, false, false, "15032024"},
        {"fixed null padded", QVariant(), 4, "0", Fixed, false, false, "0000"},
        {"fixed zero width", "abc", 0, " ", Fixed, false, false, ""},
        {"any other code is fixed", "ab", 4, "*", 0, false, false, "**ab"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadField(c.value, c.width, Q(c.pad), c.layout, c.keepLeftPart, c.leftJustify),
                  Q(c.expected))
            << c.name;
    EXPECT_TRUE(world.ui().boxes.isEmpty());
}

TEST(PadField, NumbersIgnoreTheMachinesLocale)
{
    TestWorld world;
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string savedNumeric = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(PadField(1234.5, 10, " ", Csv, false, false), "1234.5,");
    EXPECT_EQ(PadField(1234.5f, 10, " ", Tab, false, false), "1234.5\t");
    EXPECT_EQ(PadField(-1234567, 10, "0", Fixed, false, false), "00-1234567");
    std::setlocale(LC_NUMERIC, savedNumeric.c_str());
    QLocale::setDefault(saved);
}

TEST(PadField, UnsupportedTypeWarnsAndGivesNothing)
{
    TestWorld world;
    EXPECT_EQ(PadField(true, 5, " ", Csv, false, false), QString());
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes.first().text, "Cannot pad this variant type: 11");
    EXPECT_EQ(PadField(QVariant(QStringList{"a"}), 5, " ", Fixed, false, false), QString());
    EXPECT_EQ(world.ui().boxes.last().text, "Cannot pad this variant type: 8200");
}

TEST(PadField, CsvFieldsReadBackThroughDelimitedString)
{
    TestWorld world;
    const QStringList values = {"Smith, J", "5\" disk", "\"quoted\"", "plain",
                                "a,\"b\",c"};
    QString line;
    for (const QString& v : values)
        line += PadField(v, 10, " ", Csv, false, true);
    line.chop(1);
    DelimitedString fields;
    fields.SetSource(line);
    ASSERT_EQ(fields.Count(), values.size());
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(fields.Word(i + 1), values[i]);
}

TEST(PadDate, FormatsWithThePatternAndPadsToItsLength)
{
    TestWorld world;
    const QDateTime when(March15, QTime(9, 5));
    EXPECT_EQ(PadDate(when, "yyyymmdd", Fixed, false, true), "20240315");
    EXPECT_EQ(PadDate(March15, "dd/mm/yyyy", Csv, false, true), "15/03/2024,");
    EXPECT_EQ(PadDate(when, "hh:nn", Tab, false, true), "09:05\t");
    EXPECT_EQ(PadDate("15/03/2024", "yyyymmdd", Fixed, false, true), "20240315");
    EXPECT_EQ(PadDate(QVariant(), "yyyymmdd", Fixed, false, true), QString(8, u' '));
    EXPECT_EQ(PadDate(QVariant(), "yyyymmdd", Fixed, false, false), QString(8, u' '));
    EXPECT_EQ(PadDate(QVariant(), "yyyymmdd", Csv, false, true), ",");
    EXPECT_EQ(PadDate(QVariant(), "yyyymmdd", Tab, false, true), "\t");
}

TEST(PadDate, ADateTextInTheHourSkippedInSpringKeepsItsClockTime)
{
    TestWorld world;
    const ScopedTimeZone zone(ScopedTimeZone::London());
    EXPECT_EQ(PadDate("31/03/2024 01:30", "yyyymmddhhnn", Fixed, false, true), "202403310130");
}

// Export file names -----------------------------------------------------------

class ExportFileName : public ::testing::Test {
protected:
    void SetUp() override { world.clock().Set(QDateTime(QDate(2026, 3, 5), QTime(14, 7, 30))); }
    void Automatic() { Settings().SetProgramRunningMode(RunningMode::Automatic); }
    void Touch(const QString& name) { WriteBytes(world.PathOf(name), {}); }

    TestWorld world;
};

TEST_F(ExportFileName, AutomaticModeNumbersFromTheSequence)
{
    Automatic();
    int32_t sequence = 0;
    EXPECT_EQ(MakeExportFileName(QString(), "VQ7", sequence), "VQ70503000.EXP");
    EXPECT_EQ(sequence, 0);
    Touch("VQ70503000.EXP");
    EXPECT_EQ(MakeExportFileName(QString(), "VQ7", sequence), "VQ70503001.EXP");
    EXPECT_EQ(sequence, 1);
    // A caller that keeps its number gets the next one without a search.
    sequence = 7;
    EXPECT_EQ(MakeExportFileName(QString(), "DEB", sequence), "DEB0503007.EXP");
    EXPECT_EQ(sequence, 7);
}

TEST_F(ExportFileName, InteractiveModeStampsDateAndTime)
{
    Settings().SetProgramRunningMode(RunningMode::Interactive);
    int32_t sequence = 0;
    EXPECT_EQ(MakeExportFileName("+", "VQ7", sequence), "VQ7_050326_1407.EXP");
    Touch("VQ7_050326_1407.EXP");
    EXPECT_EQ(MakeExportFileName("+", "VQ7", sequence), "VQ7_050326_140701.EXP");
    EXPECT_EQ(sequence, 1);
    Touch("VQ7_050326_140701.EXP");
    sequence = 0;
    EXPECT_EQ(MakeExportFileName("+", "VQ7", sequence), "VQ7_050326_140702.EXP");
    EXPECT_EQ(sequence, 2);
}

TEST_F(ExportFileName, LooksInTheGivenFolderOnly)
{
    Automatic();
    ASSERT_TRUE(QDir(world.Folder()).mkpath("out/sub"));
    Touch("out/VQ70503000.EXP");
    Touch("VQ70503001.EXP");
    // A folder of that name is no file.
    ASSERT_TRUE(QDir(world.Folder()).mkpath("out/VQ70503001.EXP"));
    int32_t sequence = 0;
    EXPECT_EQ(MakeExportFileName("+out", "VQ7", sequence), "VQ70503001.EXP");
    EXPECT_EQ(sequence, 1);
    sequence = 0;
    EXPECT_EQ(MakeExportFileName(world.Folder() + "\\out\\", "VQ7", sequence), "VQ70503001.EXP");
    sequence = 0;
    EXPECT_EQ(MakeExportFileName(world.PathOf("out/sub"), "VQ7", sequence), "VQ70503000.EXP");
}

TEST_F(ExportFileName, NoNameLeftAfter999)
{
    Automatic();
    for (int n = 0; n <= 999; ++n)
        Touch(QStringLiteral("VQ70503%1.EXP").arg(n, 3, 10, QLatin1Char('0')));
    int32_t sequence = 0;
    EXPECT_EQ(MakeExportFileName(QString(), "VQ7", sequence), QString());
    EXPECT_EQ(sequence, 1000);
    // A search that starts above 999 goes on upward.
    sequence = 1000;
    EXPECT_EQ(MakeExportFileName(QString(), "VQ7", sequence), "VQ705031000.EXP");
    // A free number below 999 is still found.
    QFile::remove(world.PathOf("VQ70503998.EXP"));
    sequence = 990;
    EXPECT_EQ(MakeExportFileName(QString(), "VQ7", sequence), "VQ70503998.EXP");
    EXPECT_EQ(sequence, 998);
}

TEST_F(ExportFileName, UsesTheExportFileTypeSetting)
{
    WriteBytes(world.PathOf("Nevix.INI"), "[System]\r\nExportFileType=CSV\r\n");
    Settings().Load();
    Automatic();
    int32_t sequence = 0;
    EXPECT_EQ(MakeExportFileName(QString(), "VQ7", sequence), "VQ70503000.CSV");
}

TEST(NextExportFileName, TakesTheNextNumberOfTheNamesPattern)
{
    const struct {
        const char* name;
        const char* next;
    } cases[] = {{"VQ71503000.EXP", "VQ71503001.EXP"},         {"DEB1503009.CSV", "DEB1503010.CSV"},
                 {"VQ71503998.EXP", "VQ71503999.EXP"},         {"VQ7_150324_1030.EXP", "VQ7_150324_103001.EXP"},
                 {"VQ71503999.EXP", ""},                       {"DEB_150324_1030999.EXP", ""},
                 {"DEB_150324_103009.EXP", "DEB_150324_103010.EXP"}, {"VQ71503000", "VQ71503001"},
                 {"chosen.txt", ""},                           {"VQ7150300.EXP", ""},
                 {"VQ71503000-1.EXP", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(NextExportFileName(c.name), c.next) << c.name;
}

TEST(ExportFileNamesFrom, GoesToThePatternsLastNameThenFromItsFirst)
{
    const QStringList automatic = ExportFileNamesFrom("VQ71503998.EXP");
    EXPECT_EQ(automatic.size(), 1000);
    EXPECT_EQ(automatic.mid(0, 3), (QStringList{"VQ71503998.EXP", "VQ71503999.EXP", "VQ71503000.EXP"}));
    EXPECT_EQ(automatic.last(), "VQ71503997.EXP");
    const QStringList interactive = ExportFileNamesFrom("DEB_150324_103099.CSV");
    EXPECT_EQ(interactive.size(), 1000);
    EXPECT_EQ(interactive.mid(900, 3),
              (QStringList{"DEB_150324_1030999.CSV", "DEB_150324_1030.CSV", "DEB_150324_103001.CSV"}));
    EXPECT_EQ(ExportFileNamesFrom("chosen.txt"), QStringList{"chosen.txt"});
}

} // namespace

