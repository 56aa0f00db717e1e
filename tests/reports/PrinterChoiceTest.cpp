#include "support/TestWorld.h"

#include "platform/NevixError.h"
#include "reports/PrinterCatalog.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

// Installed printers and a current one; settings named in `refused` raise.
class FakePrinters : public PrinterCatalog {
public:
    QStringList installed{QStringLiteral("Default"), QStringLiteral("Office"), QStringLiteral("OFFICE")};
    int current = 0;
    PrinterChoice settings;
    QSet<QString> refused;
    QStringList calls;

    QStringList InstalledPrinters() const override { return installed; }
    PrinterChoice Current() const override
    {
        PrinterChoice c = settings;
        c.deviceName = installed[current];
        return c;
    }
    void MakeCurrent(int index) override
    {
        calls << QStringLiteral("current %1").arg(index);
        current = index;
    }
    void SetCopies(int16_t v) override { Set(QStringLiteral("copies"), &PrinterChoice::copies, v); }
    void SetDuplex(int16_t v) override { Set(QStringLiteral("duplex"), &PrinterChoice::duplex, v); }
    void SetOrientation(int16_t v) override { Set(QStringLiteral("orientation"), &PrinterChoice::orientation, v); }
    void SetPaperSize(int16_t v) override { Set(QStringLiteral("paper"), &PrinterChoice::paperSize, v); }
    void SetPrintQuality(int16_t v) override { Set(QStringLiteral("quality"), &PrinterChoice::printQuality, v); }
    void SetColour(int16_t v) override { Set(QStringLiteral("colour"), &PrinterChoice::colour, v); }
    void SetPaperBin(int16_t v) override { Set(QStringLiteral("bin"), &PrinterChoice::defaultSource, v); }
    void SetOutputFile(const QString& path) override
    {
        calls << QStringLiteral("file");
        settings.outputFile = path;
    }

private:
    void Set(const QString& name, int16_t PrinterChoice::*field, int16_t value)
    {
        calls << name;
        if (refused.contains(name))
            throw NevixError(ErrorNumbers::ObjectErrorBase + 1, QStringLiteral("Refused"));
        settings.*field = value;
    }
};

PrinterChoice Chosen(const QString& name)
{
    PrinterChoice c;
    c.deviceName = name;
    c.copies = 3;
    c.duplex = 2;
    c.orientation = 2;
    c.paperSize = 9;
    c.printQuality = 600;
    c.colour = 1;
    c.defaultSource = 4;
    return c;
}

const QStringList AllSettings{"copies", "duplex", "orientation", "paper", "quality", "colour", "bin"};

TEST(ShowPrinter, DialogIsPresetToTheCurrentPrinter)
{
    TestWorld world;
    FakePrinters printers;
    printers.current = 1;
    printers.settings.orientation = 2;
    printers.settings.duplex = 3;
    printers.settings.copies = 5;
    EXPECT_FALSE(ShowPrinter(QStringLiteral("Owner"), 0, printers));
    ASSERT_EQ(world.ui().printerRequests.size(), 1);
    const PrinterChoice& preset = world.ui().printerRequests[0];
    EXPECT_EQ(preset.deviceName, QStringLiteral("Office"));
    EXPECT_EQ(preset.orientation, 2);
    EXPECT_EQ(preset.duplex, 3);
    EXPECT_EQ(preset.copies, 0);
}

TEST(ShowPrinter, CancelChangesNothing)
{
    TestWorld world;
    FakePrinters printers;
    world.ui().ScriptPrinter(std::nullopt);
    EXPECT_FALSE(ShowPrinter(QString(), 0, printers));
    EXPECT_TRUE(printers.calls.isEmpty());
    EXPECT_EQ(printers.current, 0);
}

struct ChoiceCase {
    const char* name;
    QString chosen;
    int current; // after the choice
};

class Choice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(Choice, MakesTheLastMatchCurrentAndAppliesEverySetting)
{
    TestWorld world;
    FakePrinters printers;
    world.ui().ScriptPrinter(Chosen(GetParam().chosen));
    EXPECT_TRUE(ShowPrinter(QString(), 0, printers));
    EXPECT_EQ(printers.current, GetParam().current);
    QStringList settings = printers.calls;
    settings.removeIf([](const QString& c) { return c.startsWith(QLatin1String("current")); });
    EXPECT_EQ(settings, AllSettings);
    EXPECT_EQ(printers.settings.copies, 3);
    EXPECT_EQ(printers.settings.defaultSource, 4);
}

INSTANTIATE_TEST_SUITE_P(
    ShowPrinter, Choice,
    testing::Values(ChoiceCase{"NamesDifferingInCaseTakeTheLater", "office", 2},
                    ChoiceCase{"UnknownNameKeepsTheCurrent", "Warehouse", 0},
                    ChoiceCase{"NameLongerThanTheFieldMatchesNothing", QString(40, QLatin1Char('X')), 0},
                    ChoiceCase{"NameEndsAtItsFirstNul", QStringLiteral("OFFICE") + QChar(0) + QStringLiteral("junk"),
                               2}),
    [](const auto& info) { return std::string(info.param.name); });

// The dialog's name field holds 32 characters: a longer installed name
// can never be matched.
TEST(ShowPrinter, NameLongerThanTheFieldKeepsTheCurrentPrinter)
{
    TestWorld world;
    FakePrinters printers;
    printers.installed << QString(40, QLatin1Char('L')) << QString(32, QLatin1Char('L'));
    world.ui().ScriptPrinter(Chosen(QString(40, QLatin1Char('l'))));
    EXPECT_TRUE(ShowPrinter(QString(), 0, printers));
    EXPECT_EQ(printers.current, 4);
    printers.installed.removeLast();
    printers.current = 0;
    world.ui().ScriptPrinter(Chosen(QString(40, QLatin1Char('l'))));
    EXPECT_TRUE(ShowPrinter(QString(), 0, printers));
    EXPECT_EQ(printers.current, 0);
}

TEST(ShowPrinter, PrintToFileWritesWhereTheUserSaid)
{
    TestWorld world;
    FakePrinters printers;
    printers.installed << PrinterChoice::PrintToFile;
    printers.settings.outputFile = QStringLiteral("/reports/earlier.pdf");
    PrinterChoice toFile = Chosen(PrinterChoice::PrintToFile);
    toFile.outputFile = QStringLiteral("/reports/march.pdf");
    world.ui().ScriptPrinter(toFile);
    EXPECT_TRUE(ShowPrinter(QString(), 0, printers));
    EXPECT_EQ(world.ui().printerRequests[0].outputFile, QStringLiteral("/reports/earlier.pdf"));
    EXPECT_EQ(printers.current, 3);
    EXPECT_EQ(printers.settings.outputFile, QStringLiteral("/reports/march.pdf"));
}

TEST(ShowPrinter, RefusedSettingLeavesTheOthersApplied)
{
    TestWorld world;
    FakePrinters printers;
    printers.refused = {QStringLiteral("duplex")};
    world.ui().ScriptPrinter(Chosen(QStringLiteral("Default")));
    EXPECT_TRUE(ShowPrinter(QString(), 0, printers));
    EXPECT_EQ(printers.settings.duplex, 0);
    EXPECT_EQ(printers.settings.orientation, 2);
    EXPECT_EQ(printers.settings.colour, 1);
    EXPECT_EQ(printers.settings.defaultSource, 4);
}

} // namespace
