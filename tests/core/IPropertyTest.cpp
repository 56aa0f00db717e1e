#include "core/IProperty.h"
#include "platform/NevixError.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

// A store over a settings file whose [APP] section holds one item.
class StoredText {
public:
    explicit StoredText(const QString& text)
    {
        IProperty writer;
        writer.SetProperty("Item", text);
    }
    TestWorld world;
    IProperty store;
};

TEST(IPropertyBoolean, FirstLetterYOrTMeansTrue)
{
    const std::pair<const char*, bool> cases[] = {
        {"yes", true}, {"t", true},     {"Yesterday", true}, {"No", false},
        {"1", false},  {"nein", false}, {"-1", false},
    };
    for (const auto& [stored, expected] : cases) {
        StoredText item(stored);
        EXPECT_EQ(item.store.GetBooleanProperty("Item", {}, !expected), expected) << stored;
    }
    TestWorld world;
    IProperty store;
    EXPECT_TRUE(store.GetBooleanProperty("Missing", {}, true));
    EXPECT_FALSE(store.GetBooleanProperty("Missing", {}, false));
    store.SetBooleanProperty("Flag", true);
    EXPECT_EQ(store.GetProperty("Flag"), QString("Yes"));
    store.SetBooleanProperty("Flag", false);
    EXPECT_EQ(store.GetProperty("Flag"), QString("No"));
}

TEST(IPropertyInteger, SixteenBitRangeAndBankersRounding)
{
    const std::pair<const char*, int16_t> cases[] = { // the default is 77
        {"abc", 77},      {"32767", 32767},      {"32768", 77},    {"-32768", -32768},
        {"-32769", 77},   {" 12 ", 12},          {"2.5", 2},       {"3.5", 4},
        {"-2.5", -2},     {"0.5", 0},            {"32767.5", 77},  {"-32768.5", -32768},
        {"12abc", 77},    {"1,000", 77},         {"1e3", 1000},    {"+5", 5},
    };
    for (const auto& [stored, expected] : cases) {
        StoredText item(stored);
        EXPECT_EQ(item.store.GetIntegerProperty("Item", {}, 77), expected) << stored;
    }
    TestWorld world;
    IProperty store;
    EXPECT_EQ(store.GetIntegerProperty("Missing", {}, -9), -9);
    store.SetIntegerProperty("Number", -32768);
    EXPECT_EQ(store.GetIntegerProperty("Number"), -32768);

    store.SetProperty("Big", "2147483647");
    store.SetProperty("TooBig", "2147483648");
    store.SetProperty("Half", "100000.5");
    EXPECT_EQ(store.GetLongIntegerProperty("Big", {}, 1), 2147483647);
    EXPECT_EQ(store.GetLongIntegerProperty("TooBig", {}, 1), 1);
    EXPECT_EQ(store.GetLongIntegerProperty("Half", {}, 1), 100000);
    EXPECT_EQ(store.GetLongIntegerProperty("Missing", {}, 120), 120);
    store.SetLongIntegerProperty("Written", -70000);
    EXPECT_EQ(store.GetProperty("Written"), QString("-70000"));
}

TEST(IPropertyFloats, PointDecimalsWhateverTheLocale)
{
    TestWorld world;
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    IProperty store;
    store.SetSingleProperty("Single", 2.5f);
    store.SetDoubleProperty("Double", 0.1);
    store.SetCurrencyProperty("Money", Currency{-12345678}); // -1234.5678
    EXPECT_EQ(store.GetProperty("Single"), QString("2.5"));
    EXPECT_EQ(store.GetProperty("Double"), QString("0.1"));
    EXPECT_EQ(store.GetProperty("Money"), QString("-1234.5678"));
    EXPECT_FLOAT_EQ(store.GetSingleProperty("Single"), 2.5f);
    EXPECT_DOUBLE_EQ(store.GetDoubleProperty("Double"), 0.1);
    EXPECT_EQ(store.GetCurrencyProperty("Money"), Currency{-12345678});
    store.SetCurrencyProperty("Money", Currency::FromUnits(3));
    EXPECT_EQ(store.GetProperty("Money"), QString("3"));

    store.SetProperty("Comma", "2,5");
    store.SetProperty("Huge", "1e39");
    EXPECT_FLOAT_EQ(store.GetSingleProperty("Comma", {}, 9.0f), 9.0f);
    EXPECT_FLOAT_EQ(store.GetSingleProperty("Huge", {}, 9.0f), 9.0f);
    EXPECT_DOUBLE_EQ(store.GetDoubleProperty("Huge", {}, 9.0), 1e39);
    QLocale::setDefault(saved);
}

TEST(IPropertyDate, ThreeNumbersWithRollOver)
{
    const QDate fallback(2000, 1, 1);
    const std::pair<const char*, QDate> cases[] = { // invalid: the default comes back
        {"2024,3,5", QDate(2024, 3, 5)},       {"2024,2,30", QDate(2024, 3, 1)},
        {"2023,2,29", QDate(2023, 3, 1)},      {"2024,13,1", QDate(2025, 1, 1)},
        {"2024,0,1", QDate(2023, 12, 1)},      {"2024,3,0", QDate(2024, 2, 29)},
        {" 2024 , 3 , 5 ", QDate(2024, 3, 5)}, {"24,3,5", QDate(2024, 3, 5)},
        {"2024,3", {}},   {"2024/3/5", {}},    {"2024,3,x", {}},  {"2024,3,5,14,7,0", {}}, {"", {}},
    };
    for (const auto& [stored, expected] : cases) {
        StoredText item(stored);
        EXPECT_EQ(item.store.GetDateProperty("Item", {}, fallback),
                  expected.isValid() ? expected : fallback)
            << stored;
        EXPECT_EQ(item.store.GetDateProperty("Item"),
                  expected.isValid() ? Nullable<QDate>(expected) : std::nullopt)
            << stored;
    }
}

TEST(IPropertyDateTime, SixNumbersOrThreeForMidnight)
{
    TestWorld world;
    IProperty store;
    const std::pair<const char*, Nullable<QDateTime>> cases[] = {
        {"2024,3,5,14,7,0", QDateTime(QDate(2024, 3, 5), QTime(14, 7))},
        {"2024,3,5", QDateTime(QDate(2024, 3, 5), QTime(0, 0))},
        {"2024,3,5,24,0,61", QDateTime(QDate(2024, 3, 6), QTime(0, 1, 1))},
        {"2024,3,5,14,7", std::nullopt},
    };
    for (const auto& [stored, expected] : cases) {
        store.SetProperty("Item", stored);
        EXPECT_EQ(store.GetDateTimeProperty("Item"), expected) << stored;
    }

    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    store.SetDateTimeProperty("Written", when);
    EXPECT_EQ(store.GetProperty("Written"), QString("2024,3,5,14,7,9"));
    EXPECT_EQ(store.GetDateTimeProperty("Written"), when);
    EXPECT_EQ(store.GetDateTimeProperty("Missing", {}, when), when);
    store.SetDateProperty("Day", QDate(2024, 3, 5));
    EXPECT_EQ(store.GetProperty("Day"), QString("2024,3,5"));
    store.SetDateProperty("Day", std::nullopt);
    EXPECT_EQ(store.GetProperty("Day", {}, "gone"), QString("gone"));
}

TEST(IPropertyAscii, EscapeWordsStandForTheirCharacters)
{
    const std::pair<const char*, QString> read[] = {
        {"{tab}", QString(QChar(9))},     {"{ENTER}", QString(QChar(13))},
        {"{Return}", QString(QChar(13))}, {"{ESC}", " "},
        {"{QUOTE}", "\""},                {"x{TAB}", "x{TAB}"},
        {"{TAB}x", "{TAB}x"},             {";", ";"},
    };
    for (const auto& [stored, expected] : read) {
        StoredText item(stored);
        EXPECT_EQ(item.store.GetASCIIProperty("Item"), expected) << stored;
    }
    TestWorld world;
    IProperty store;
    const std::pair<QString, const char*> written[] = {
        {QString(QChar(9)) + "and more", "{TAB}"}, {"\r", "{ENTER}"}, {" ", "{ESC}"},
        {"\"", "{QUOTE}"},                         {",", ","},
    };
    for (const auto& [value, stored] : written) {
        store.SetASCIIProperty("Sep", value);
        EXPECT_EQ(store.GetProperty("Sep"), QString(stored));
    }
    EXPECT_THROW(store.SetASCIIProperty("Sep", ""), NevixError);
    EXPECT_EQ(store.GetASCIIProperty("Sep"), QString(","));
}

TEST(IPropertyGroups, ListingAndClearing)
{
    TestWorld world;
    IProperty store;
    store.SetDefaultGroup("System");
    store.SetDefaultGroup(""); // ignored
    store.SetProperty("Options", "o");
    store.SetProperty("DebugMode", "d");
    store.SetProperty("FastPrint", "No", "V2");
    EXPECT_EQ(store.GetAllItems("System"), QString("Options,DebugMode"));
    EXPECT_EQ(store.GetAllGroups(), QString("System,V2"));
    store.ClearGroup("V2");
    EXPECT_EQ(store.GetAllGroups(), QString("System"));
}

TEST(IPropertyFile, IsNewUntilTheFileExists)
{
    TestWorld world;
    IProperty first;
    EXPECT_TRUE(first.IsNew());
    EXPECT_EQ(first.INILocation(), world.PathOf("Nevix.INI"));
    first.SetProperty("Database", "+Nevix.MDB", "Database");
    EXPECT_TRUE(first.IsNew());
    IProperty second;
    EXPECT_FALSE(second.IsNew());
    second.SetINILocation(world.PathOf("Other.INI"));
    EXPECT_TRUE(second.IsNew());
    EXPECT_EQ(second.GetProperty("Database", "Database", "none"), QString("none"));
    second.SetINILocation(world.PathOf("Nevix.INI").replace(u'/', u'\\'));
    EXPECT_EQ(second.GetProperty("Database", "Database", "none"), QString("+Nevix.MDB"));
}

TEST(IPropertyErrors, FailuresAreRecordedNotRaised)
{
    TestWorld world;
    WriteBytes(world.PathOf("plain"), "a file, not a folder");
    IProperty store;
    // Its folder is a file: nobody, root included, can create it.
    store.SetINILocation(world.PathOf("plain/Nevix.INI"));
    store.SetProperty("Options", "x", "System");
    EXPECT_EQ(uint32_t(store.GetLastError()), 0x80040201u);
    EXPECT_EQ(store.GetLastErrorDesc(), QString("INIFile - Unable to write to INI file"));
    // A later success does not clear it.
    store.SetINILocation(world.PathOf("ok.ini"));
    store.SetProperty("Options", "x", "System");
    EXPECT_TRUE(store.HadError());
    store.ClearError();
    EXPECT_FALSE(store.HadError());
    EXPECT_EQ(store.GetLastErrorDesc(), QString());

    store.SetINILocation({});
    EXPECT_EQ(store.GetProperty("Options", "System", "dflt"), QString("dflt"));
    EXPECT_EQ(uint32_t(store.GetLastError()), 0x80040201u);
    EXPECT_EQ(store.GetLastErrorDesc(), QString("Application INI not set"));
    EXPECT_EQ(store.GetIntegerProperty("Number", {}, 5), 5);
}

TEST(IPropertyRegistry, KeepsValuesInTheUserConfigurationFolder)
{
    TestWorld world;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", world.PathOf("config").toUtf8());
    {
        IProperty store;
        store.SetDefaultGroup("Window");
        store.SetPersistToRegistry();
        EXPECT_TRUE(store.IsNew());
        store.SetProperty("Left", "  10 ");
        store.SetProperty("Empty", "");
        EXPECT_EQ(store.GetProperty("Left"), QString("10"));
        EXPECT_EQ(store.GetProperty("Empty", {}, "default"), QString());
        EXPECT_EQ(store.GetAllItems("Window"), QString("Left,Empty"));
        EXPECT_EQ(store.GetAllGroups(), QString());
        EXPECT_FALSE(QFile::exists(world.PathOf("Nevix.INI")));
        EXPECT_TRUE(QFile::exists(world.PathOf("config/Nevix/Nevix.INI")));

        IProperty again;
        again.SetDefaultGroup("Window");
        again.SetPersistToRegistry();
        EXPECT_FALSE(again.IsNew());
        again.ClearGroup("Window");
        EXPECT_EQ(again.GetProperty("Left", {}, "gone"), QString("gone"));
    }
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
