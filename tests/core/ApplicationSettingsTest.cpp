#include "core/ApplicationSettings.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Every value Load reads, as text, to compare two loads.
QStringList Everything(const ApplicationSettings& s)
{
    const auto b = [](bool v) { return QString(v ? "T" : "F"); };
    return {s.RunOptions(),
            QString::number(s.ConfigVersion()),
            s.DebugMode(),
            s.ImportFileType(),
            s.ExportFileType(),
            s.RemoveNonResponsesAction(),
            b(s.AutomateImport()),
            b(s.BespokeImportFormat()),
            s.ImportDataPath(),
            s.ExportDataPath(),
            s.AutoImportPath(),
            s.AutoExportPath(),
            QString::number(s.DuplicateNumberOfDays()),
            b(s.DuplicatesToPrint()),
            b(s.DuplicatesToFile()),
            s.DuplicateReportPath(),
            s.TimeOfLastDuplicate() ? s.TimeOfLastDuplicate()->toString(Qt::ISODate) : "Null",
            b(s.FastPrint()),
            QString::number(s.FontReduce()),
            s.Schedule0Time(),
            s.Schedule1Time(),
            s.ReceiveFromTime(),
            s.ReceiveToTime(),
            s.ReceiveInterval(),
            s.SendFromTime(),
            s.SendToTime(),
            s.SendInterval(),
            s.MaintenanceTime(),
            s.Database(),
            b(s.ForceRepair()),
            b(s.ExplicitExportSequence()),
            b(s.SkipFullCustomerNameExport()),
            s.NevixHost(),
            QString::number(s.NevixTimeOutSecs()),
            b(s.VerboseConnectionLogging()),
            QString::number(s.LogFilter()),
            s.V2InstallPath(),
            QString::number(s.ProgramInstallMode()),
            s.VQ7SearchRecievedInLastDays(),
            b(s.HighlightSelText()),
            s.HardCopyResponseCode(),
            b(s.Skip10YearDOECheck()),
            b(s.IsInAutoExecuteMode()),
            b(s.IsNew())};
}

const QByteArray FullFile = "[System]\n"
                            "Options=AutoExecute\n"
                            "ConfigVersion=3\n"
                            "DebugMode=NNY\n"
                            "ImportFileType=CSV\n"
                            "AutomateImport=Yes\n"
                            "HardCopyResponseCode=2\n"
                            "[V2]\n"
                            "ImportData=C:\\Imports\n"
                            "DuplicateNumberOfDays=14\n"
                            "TimeOfLastDuplicate=2023,12,31,23,59,0\n"
                            "FastPrint=No\n"
                            "FontReduce=2\n"
                            "[Database]\n"
                            "Database=/srv/nevix/Nevix.MDB\n"
                            "[NevixClient]\n"
                            "LogFilter=511\n"
                            "ProgramInstallMode=2\n"
                            "Skip10YearDOECheck=True\n"
                            "[NevixServer]\n"
                            "NevixHost=https://service.test/api\n"
                            "NevixTimeOutSecs=60\n"
                            "[GUI]\n"
                            "HighlightSelText=No\n";

TEST(ApplicationSettingsLoad, WindowsAndUnixLineEndsReadTheSame)
{
    TestWorld world;
    QByteArray windows = FullFile;
    windows.replace("\n", "\r\n");
    WriteBytes(world.PathOf("Nevix.INI"), FullFile);
    ApplicationSettings unix;
    unix.Load();
    WriteBytes(world.PathOf("Nevix.INI"), windows);
    ApplicationSettings dos;
    dos.Load();
    EXPECT_EQ(Everything(unix), Everything(dos));

    EXPECT_FALSE(dos.IsNew());
    EXPECT_FALSE(dos.IsDirty());
    EXPECT_EQ(dos.ImportFileType(), QString("CSV"));
    EXPECT_FLOAT_EQ(dos.ConfigVersion(), 3.0f);
    EXPECT_TRUE(dos.AutomateImport());
    EXPECT_EQ(dos.HardCopyResponseCode(), QString("2"));
    EXPECT_EQ(dos.ImportDataPath(), QString("C:\\Imports"));
    EXPECT_EQ(dos.DuplicateNumberOfDays(), 14);
    EXPECT_EQ(dos.TimeOfLastDuplicate(), QDateTime(QDate(2023, 12, 31), QTime(23, 59)));
    EXPECT_FALSE(dos.FastPrint());
    EXPECT_EQ(dos.Database(), QString("/srv/nevix/Nevix.MDB"));
    EXPECT_EQ(dos.LogFilter(), 511);
    EXPECT_EQ(dos.ProgramInstallMode(), InstallMode::Server);
    EXPECT_TRUE(dos.Skip10YearDOECheck());
    EXPECT_EQ(dos.NevixHost(), QString("https://service.test/api"));
    EXPECT_EQ(dos.NevixTimeOutSecs(), 60);
    EXPECT_FALSE(dos.HighlightSelText());
    EXPECT_TRUE(dos.SkipVRMFormatValidation());
}

TEST(ApplicationSettingsLoad, OnlyTheDatabaseKeyLeavesEveryOtherDefault)
{
    TestWorld world;
    WriteBytes(world.PathOf("Nevix.INI"), "[Database]\r\nDatabase=+Other.MDB\r\n");
    ApplicationSettings loaded;
    loaded.Load();
    ApplicationSettings defaults;
    QStringList expected = Everything(defaults);
    expected[expected.indexOf("+Nevix.MDB")] = "+Other.MDB";
    expected.last() = "F"; // IsNew
    EXPECT_EQ(Everything(loaded), expected);
    EXPECT_EQ(defaults.DebugMode(), QString("NNNNNNNNN"));
    EXPECT_EQ(defaults.Database(), QString("+Nevix.MDB"));
    EXPECT_EQ(defaults.LogFilter(), 959);
    EXPECT_EQ(defaults.NevixTimeOutSecs(), 120);
    EXPECT_FLOAT_EQ(defaults.ConfigVersion(), 2.0f);
    EXPECT_TRUE(defaults.FastPrint());
    EXPECT_TRUE(defaults.HighlightSelText());
    EXPECT_EQ(defaults.Schedule0Time(), QString("08:00"));
    EXPECT_EQ(defaults.TimeOfLastDuplicate(), std::nullopt);
}

TEST(ApplicationSettingsLoad, AMissingFileGivesIsNew)
{
    TestWorld world;
    ApplicationSettings settings;
    settings.Load();
    EXPECT_TRUE(settings.IsNew());
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_FALSE(QFile::exists(world.PathOf("Nevix.INI")));
}

TEST(ApplicationSettingsLoad, FontReduceAboveThreeReadsZero)
{
    const std::pair<const char*, int16_t> cases[] = {{"5", 0}, {"4", 0}, {"3", 3}, {"-2", -2}};
    for (const auto& [stored, expected] : cases) {
        TestWorld world;
        WriteBytes(world.PathOf("Nevix.INI"), QByteArray("[V2]\nFontReduce=") + stored + "\n");
        ApplicationSettings settings;
        settings.Load();
        EXPECT_EQ(settings.FontReduce(), expected) << stored;
    }
}

TEST(ApplicationSettingsLoad, TimeOfLastDuplicateWrittenAsText)
{
    TestWorld world;
    WriteBytes(world.PathOf("Nevix.INI"), "[V2]\nTimeOfLastDuplicate=15/03/2024 10:30:00\n");
    ApplicationSettings settings;
    settings.Load();
    EXPECT_EQ(settings.TimeOfLastDuplicate(), QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
    WriteBytes(world.PathOf("Nevix.INI"), "[V2]\nTimeOfLastDuplicate=never\n");
    settings.Load();
    EXPECT_EQ(settings.TimeOfLastDuplicate(), std::nullopt);
}

struct OptionsCase {
    const char* name;
    const char* options;
    bool autoExecute, immediate, bypass;
};

TEST(ApplicationSettingsLoad, OptionsSetTheAutoExecuteFlags)
{
    const OptionsCase cases[] = {
        {"words_in_any_case", "autoexecute ImmediateExecution", true, true, false},
        {"all_three", "AUTOEXECUTE,immediateexecution,BypassLogonSecurity", true, true, true},
        {"bypass_alone", "BYPASSLOGONSECURITY", false, false, false},
        {"immediate_alone", "ImmediateExecution", false, false, false},
        {"nothing", "", false, false, false},
    };
    for (const OptionsCase& c : cases) {
        TestWorld world;
        WriteBytes(world.PathOf("Nevix.INI"), QByteArray("[System]\nOptions=") + c.options + "\n");
        ApplicationSettings settings;
        settings.Load();
        EXPECT_EQ(settings.IsInAutoExecuteMode(), c.autoExecute) << c.name;
        EXPECT_EQ(settings.IsInInteractiveMode(), !c.autoExecute) << c.name;
        EXPECT_EQ(settings.IsInAutoExecuteModeImmediateExecute(), c.immediate) << c.name;
        EXPECT_EQ(settings.BypassLogonSecurity(), c.bypass) << c.name;
    }
}

struct DebugCase {
    const char* debugMode;
    bool skipVrm, commsToFile, noXmlDeclaration, schedulerTest, multipleInstances;
};

TEST(ApplicationSettingsDebugMode, CharacterFlags)
{
    const DebugCase cases[] = {
        {"NNNNNNNNN", false, false, false, false, false},
        {"NNY", true, false, false, false, false},
        {"nny", true, false, false, false, false},
        {"NY", false, false, false, false, false},
        {"NNNNNN-", false, false, false, false, false},
        {"NNNNNN-y", false, true, false, false, false},
        {"NNNNNN-NYYY", false, false, true, true, true},
        {"NNNNNNNYYYY", false, false, false, false, false},
    };
    TestWorld world;
    for (const DebugCase& c : cases) {
        ApplicationSettings settings;
        settings.SetDebugMode(c.debugMode);
        EXPECT_EQ(settings.SkipVRMFormatValidation(), c.skipVrm) << c.debugMode;
        EXPECT_EQ(settings.WriteCommsToFile(), c.commsToFile) << c.debugMode;
        EXPECT_EQ(settings.DontWriteXML1ProcessInstruction(), c.noXmlDeclaration) << c.debugMode;
        EXPECT_EQ(settings.SchedulerTestMode(), c.schedulerTest) << c.debugMode;
        EXPECT_EQ(settings.AllowMultipleInstances(), c.multipleInstances) << c.debugMode;
    }
}

TEST(ApplicationSettingsApply, WritesTheListedKeysInOrder)
{
    TestWorld world;
    ApplicationSettings settings;
    settings.SetProgramInstallMode(InstallMode::Standalone);
    ASSERT_TRUE(settings.IsDirty());
    EXPECT_TRUE(settings.Apply());
    EXPECT_EQ(ReadBytes(world.PathOf("Nevix.INI")), QByteArray("[System]\n"
                                                               "DebugMode=NNNNNNNNN\n"
                                                               "[Database]\n"
                                                               "Database=+Nevix.MDB\n"
                                                               "ForceRepair=No\n"
                                                               "[NevixClient]\n"
                                                               "LogFilter=959\n"
                                                               "ProgramInstallMode=1\n"
                                                               "[GUI]\n"
                                                               "HighlightSelText=Yes\n"
                                                               "[NevixServer]\n"
                                                               "NevixTimeOutSecs=120\n"));
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_FALSE(settings.IsNew());
    EXPECT_TRUE(settings.BeenApplied());
}

TEST(ApplicationSettingsApply, DefaultTextsLeaveNoKeyBehind)
{
    TestWorld world;
    // These settings have no setter: they come from the file.
    WriteBytes(world.PathOf("Nevix.INI"), "[System]\n"
                                          "ImportFileType=imp\n"
                                          "ExportFileType=Exp\n"
                                          "RemoveNonResponses=prompt\n"
                                          "AutomateImport=No\n");
    ApplicationSettings settings;
    settings.Load();
    ASSERT_EQ(settings.ImportFileType(), QString("imp"));
    settings.SetDebugMode("NNNNNNNNY");
    ASSERT_TRUE(settings.Apply());
    const QByteArray written = ReadBytes(world.PathOf("Nevix.INI"));
    for (const char* key : {"ImportFileType", "ExportFileType", "RemoveNonResponses",
                            "AutomateImport", "BespokeImportFormat", "Options"})
        EXPECT_FALSE(written.contains(key)) << key;
    EXPECT_TRUE(written.contains("DebugMode=NNNNNNNNY"));
    settings.Load();
    EXPECT_EQ(settings.ImportFileType(), QString("IMP"));
    EXPECT_EQ(settings.RemoveNonResponsesAction(), QString("PROMPT"));
}

TEST(ApplicationSettingsApply, UnknownLinesSurvive)
{
    TestWorld world;
    WriteBytes(world.PathOf("Nevix.INI"), "; hand-written notes\r\n"
                                          "[System]\r\n"
                                          "Options=\r\n"
                                          "Custom=kept\r\n"
                                          "[Printer]\r\n"
                                          "Name=Office\r\n"
                                          "not a setting\r\n");
    ApplicationSettings settings;
    settings.Load();
    settings.SetDatabase("+Elsewhere.MDB");
    ASSERT_TRUE(settings.Apply());
    const QByteArray written = ReadBytes(world.PathOf("Nevix.INI"));
    EXPECT_TRUE(written.startsWith("; hand-written notes\r\n[System]\r\n"));
    EXPECT_TRUE(written.contains("Custom=kept\r\n"));
    EXPECT_TRUE(written.contains("[Printer]\r\nName=Office\r\nnot a setting\r\n"));
    EXPECT_TRUE(written.contains("Database=+Elsewhere.MDB\r\n"));
    EXPECT_FALSE(written.contains("\r\r"));
    EXPECT_FALSE(written.contains("Options"));
}

TEST(ApplicationSettingsApply, NothingChangedLeavesTheFileAlone)
{
    TestWorld world;
    ApplicationSettings settings;
    settings.SetDatabase("+NEVIX.mdb"); // the same path in other case
    settings.SetHighlightSelText(true);
    settings.SetNevixResponseIsTestMode(true);
    settings.SetRunInTestMode(true);
    settings.SetSkip10YearDOECheck(true);
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_TRUE(settings.Apply());
    EXPECT_FALSE(QFile::exists(world.PathOf("Nevix.INI")));
    EXPECT_FALSE(settings.BeenApplied());
}

TEST(ApplicationSettingsApply, ANewServiceAddressAloneIsSaved)
{
    TestWorld world;
    ApplicationSettings settings;
    settings.Load();
    settings.SetNevixHost("https://service.test/api");
    EXPECT_TRUE(settings.IsDirty());
    ASSERT_TRUE(settings.Apply());
    ApplicationSettings reloaded;
    reloaded.Load();
    EXPECT_EQ(reloaded.NevixHost(), QString("https://service.test/api"));
}

TEST(ApplicationSettingsApply, AFailedWriteKeepsTheChangesAndTellsWhy)
{
    TestWorld world;
    WriteBytes(world.PathOf("plain"), "a file, not a folder");
    ApplicationSettings settings;
    settings.SetV2IniLocation(world.PathOf("plain/Nevix.INI"));
    settings.SetLogFilter(511);
    EXPECT_FALSE(settings.Apply());
    EXPECT_TRUE(settings.IsDirty());
    EXPECT_FALSE(settings.BeenApplied());
    EXPECT_EQ(uint32_t(settings.ApplyErrorNumber()), 0x80040201u);
    EXPECT_EQ(settings.ApplyErrorDesc(), QString("INIFile - Unable to write to INI file"));

    settings.SetV2IniLocation(world.PathOf("Other.INI"));
    EXPECT_TRUE(settings.Apply());
    EXPECT_EQ(settings.ApplyErrorNumber(), 0);
    EXPECT_TRUE(ReadBytes(world.PathOf("Other.INI")).contains("LogFilter=511"));
    EXPECT_FALSE(QFile::exists(world.PathOf("Nevix.INI")));
}

TEST(ApplicationSettingsApply, V2IniLocationIsReadInsteadOfTheDefaultFile)
{
    TestWorld world;
    WriteBytes(world.PathOf("Nevix.INI"), "[Database]\nDatabase=+Mine.MDB\n");
    WriteBytes(world.PathOf("Old.INI"), "[Database]\nDatabase=+Old.MDB\n");
    ApplicationSettings settings;
    settings.SetV2IniLocation(world.PathOf("Old.INI"));
    settings.Load();
    EXPECT_EQ(settings.Database(), QString("+Old.MDB"));
}

TEST(ApplicationSettingsEdit, SnapshotAndCancel)
{
    TestWorld world;
    ApplicationSettings settings;
    settings.SetLogFilter(1);
    settings.SetDatabase("+A.MDB");
    EXPECT_TRUE(settings.IsDirty());
    settings.CancelEdit();
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_EQ(settings.LogFilter(), 959);
    EXPECT_EQ(settings.Database(), QString("+Nevix.MDB"));
    EXPECT_FALSE(settings.BeenApplied());

    settings.SetV2InstallPath("/opt/old");
    settings.EndEdit();
    EXPECT_TRUE(settings.BeenApplied());
    EXPECT_TRUE(settings.IsDirty()); // still to be written
    settings.SetV2InstallPath("/OPT/OLD");
    settings.CancelEdit();
    EXPECT_EQ(settings.V2InstallPath(), QString("/opt/old"));

    settings.EndSetDefaultsEdit();
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_FALSE(settings.BeenApplied());
}

TEST(ApplicationSettingsClearJUX, RemovesOneBlockOfTheEarlierVersion)
{
    TestWorld world;
    const QByteArray file = "[V2]\n"
                            "DuplicateNumberOfDays=14\n"
                            "DuplicatesToPrint=Yes\n"
                            "TimeOfLastDuplicate=2023,1,1\n"
                            "ImportData=C:\\in\n"
                            "FastPrint=No\n"
                            "FontReduce=2\n"
                            "Schedule0=1\n"
                            "AutoSize=Yes\n";
    WriteBytes(world.PathOf("Nevix.INI"), file);
    ApplicationSettings settings;
    settings.Load();
    settings.ClearJUXProperties("duplicates");
    EXPECT_EQ(ReadBytes(world.PathOf("Nevix.INI")), file);

    settings.ClearJUXProperties("DUPLICATES");
    settings.ClearJUXProperties("PRINTING"); // FastPrint only, FontReduce is not 0
    settings.ClearJUXProperties("SCHEDULER");
    EXPECT_EQ(ReadBytes(world.PathOf("Nevix.INI")), QByteArray("[V2]\n"
                                                               "ImportData=C:\\in\n"
                                                               "FontReduce=2\n"
                                                               "AutoSize=Yes\n"));
    EXPECT_EQ(settings.DuplicateNumberOfDays(), 14); // the object keeps its values
    settings.ClearJUXProperties("FOLDERS");
    settings.ClearJUXProperties("MISC");
    EXPECT_EQ(ReadBytes(world.PathOf("Nevix.INI")), QByteArray("[V2]\nFontReduce=2\n"));
}

TEST(ApplicationSettingsDerived, HelpFileAndCommsFolder)
{
    TestWorld world;
    ApplicationSettings settings;
    EXPECT_EQ(settings.HelpFile(), QString());
    WriteBytes(world.PathOf("Nevix.HLP"), "help");
    EXPECT_EQ(settings.HelpFile(), world.PathOf("Nevix.HLP"));
    EXPECT_EQ(settings.WriteCommsToFileLocation(), world.Folder());
    EXPECT_FALSE(settings.AutoCompact());
    EXPECT_FALSE(settings.AutoMaintenance());
}

} // namespace
