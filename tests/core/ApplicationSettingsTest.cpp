#include "core/ApplicationSettings.h"
#include "support/DiskFault.h"
#include "support/FileBytes.h"
#include "support/TestWorld.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// Every value Load reads, as text, to compare two loads.
QStringList Everything(const ApplicationSettings& s)
{
    const auto b = [](bool v) { return QString(v ? "T" : "F"); };
    const auto n = [](double v) { return QString::number(v); };
    const auto t = s.TimeOfLastDuplicate();
    return {s.RunOptions(), n(s.ConfigVersion()), s.DebugMode(), s.ImportFileType(),
            s.ExportFileType(), s.RemoveNonResponsesAction(), b(s.AutomateImport()),
            b(s.BespokeImportFormat()), s.ImportDataPath(), s.ExportDataPath(), s.AutoImportPath(),
            s.AutoExportPath(), n(s.DuplicateNumberOfDays()), b(s.DuplicatesToPrint()),
            b(s.DuplicatesToFile()), s.DuplicateReportPath(), t ? t->toString(Qt::ISODate) : "Null",
            b(s.FastPrint()), n(s.FontReduce()), s.Schedule0Time(), s.Schedule1Time(),
            s.ReceiveFromTime(), s.ReceiveToTime(), s.ReceiveInterval(), s.SendFromTime(),
            s.SendToTime(), s.SendInterval(), s.MaintenanceTime(), s.Database(), b(s.ForceRepair()),
            b(s.ExplicitExportSequence()), b(s.SkipFullCustomerNameExport()), s.NevixHost(),
            n(s.NevixTimeOutSecs()), b(s.VerboseConnectionLogging()), n(s.LogFilter()),
            s.V2InstallPath(), n(s.ProgramInstallMode()), s.VQ7SearchRecievedInLastDays(),
            b(s.HighlightSelText()), s.HardCopyResponseCode(), b(s.Skip10YearDOECheck()),
            b(s.IsInAutoExecuteMode()), b(s.IsNew())};
}

ApplicationSettings LoadedFrom(const TestWorld& world, const QByteArray& file)
{
    WriteBytes(world.PathOf("Nevix.INI"), file);
    ApplicationSettings settings;
    settings.Load();
    return settings;
}

const QByteArray FullFile = "[System]\nOptions=AutoExecute\nConfigVersion=3\nDebugMode=NNY\n"
                            "ImportFileType=CSV\nAutomateImport=Yes\nHardCopyResponseCode=2\n"
                            "[V2]\nImportData=C:\\Imports\nDuplicateNumberOfDays=14\n"
                            "TimeOfLastDuplicate=2023,12,31,23,59,0\nFastPrint=No\nFontReduce=2\n"
                            "[Database]\nDatabase=/srv/nevix/Nevix.MDB\n"
                            "[NevixClient]\nLogFilter=511\nProgramInstallMode=2\n"
                            "Skip10YearDOECheck=True\n"
                            "[NevixServer]\nNevixHost=https://service.test/api\n"
                            "NevixTimeOutSecs=60\n"
                            "[GUI]\nHighlightSelText=No\n";

TEST(ApplicationSettingsLoad, WindowsAndUnixLineEndsReadTheSame)
{
    TestWorld world;
    QByteArray windows = FullFile;
    windows.replace("\n", "\r\n");
    const ApplicationSettings unix = LoadedFrom(world, FullFile);
    const ApplicationSettings dos = LoadedFrom(world, windows);
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
    EXPECT_EQ(dos.FontReduce(), 2);
    EXPECT_EQ(dos.Database(), QString("/srv/nevix/Nevix.MDB"));
    EXPECT_EQ(dos.LogFilter(), 511);
    EXPECT_EQ(dos.ProgramInstallMode(), InstallMode::Server);
    EXPECT_TRUE(dos.Skip10YearDOECheck());
    EXPECT_EQ(dos.NevixHost(), QString("https://service.test/api"));
    EXPECT_EQ(dos.NevixTimeOutSecs(), 60);
    EXPECT_FALSE(dos.HighlightSelText());
    EXPECT_TRUE(dos.SkipVRMFormatValidation());
}

TEST(ApplicationSettingsLoad, MissingKeysKeepTheirDefaultsAndAMissingFileGivesIsNew)
{
    TestWorld world;
    ApplicationSettings defaults;
    defaults.Load();
    EXPECT_TRUE(defaults.IsNew());
    EXPECT_FALSE(defaults.IsDirty());
    EXPECT_FALSE(QFile::exists(world.PathOf("Nevix.INI")));

    const ApplicationSettings loaded = LoadedFrom(world, "[Database]\r\nDatabase=+Other.MDB\r\n");
    QStringList expected = Everything(ApplicationSettings());
    expected[expected.indexOf("+Nevix.MDB")] = "+Other.MDB";
    expected.last() = "F"; // IsNew
    EXPECT_EQ(Everything(loaded), expected);
}

TEST(ApplicationSettingsLoad, OddValues)
{
    TestWorld world;
    for (const auto& [stored, expected] : {std::pair{"4", 0}, {"3", 3}, {"-2", -2}}) {
        const auto s = LoadedFrom(world, QByteArray("[V2]\nFontReduce=") + stored + "\n");
        EXPECT_EQ(s.FontReduce(), expected) << "FontReduce above three reads zero: " << stored;
    }
    const auto duplicate = [&](const char* text) {
        const QByteArray file = QByteArray("[V2]\nTimeOfLastDuplicate=") + text;
        return LoadedFrom(world, file).TimeOfLastDuplicate();
    };
    EXPECT_EQ(duplicate("15/03/2024 10:30:00"), QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
    EXPECT_EQ(duplicate("never"), std::nullopt);
}

TEST(ApplicationSettingsLoad, OptionsSetTheAutoExecuteFlags)
{
    const struct {
        const char* options;
        bool autoExecute, immediate, bypass;
    } cases[] = {
        {"autoexecute ImmediateExecution", true, true, false},
        {"AUTOEXECUTE,immediateexecution,BypassLogonSecurity", true, true, true},
        {"BYPASSLOGONSECURITY", false, false, false}, {"ImmediateExecution", false, false, false},
        {"", false, false, false},
    };
    TestWorld world;
    for (const auto& c : cases) {
        const auto s = LoadedFrom(world, QByteArray("[System]\nOptions=") + c.options + "\n");
        EXPECT_EQ(s.IsInAutoExecuteMode(), c.autoExecute) << c.options;
        EXPECT_EQ(s.IsInInteractiveMode(), !c.autoExecute) << c.options;
        EXPECT_EQ(s.IsInAutoExecuteModeImmediateExecute(), c.immediate) << c.options;
        EXPECT_EQ(s.BypassLogonSecurity(), c.bypass) << c.options;
    }
}

TEST(ApplicationSettingsDebugMode, CharacterFlags)
{
    // Skip VRM check, comms to file, no XML declaration, scheduler test, many instances.
    const std::pair<const char*, const char*> cases[] = {
        {"NNNNNNNNN", "-----"},   {"NNY", "S----"},       {"nny", "S----"},
        {"NY", "-----"},          {"NNNNNN-", "-----"},   {"NNNNNN-y", "-C---"},
        {"NNNNNN-NYYY", "--XTM"}, {"NNNNNNNYYYY", "-----"},
    };
    TestWorld world;
    for (const auto& [debugMode, flags] : cases) {
        ApplicationSettings s;
        s.SetDebugMode(debugMode);
        QString seen;
        for (const auto& [on, mark] :
             {std::pair{s.SkipVRMFormatValidation(), 'S'}, {s.WriteCommsToFile(), 'C'},
              {s.DontWriteXML1ProcessInstruction(), 'X'}, {s.SchedulerTestMode(), 'T'},
              {s.AllowMultipleInstances(), 'M'}})
            seen += on ? mark : '-';
        EXPECT_EQ(seen, QString(flags)) << debugMode;
    }
}

TEST(ApplicationSettingsApply, WritesTheListedKeysInOrder)
{
    TestWorld world;
    ApplicationSettings settings;
    settings.SetProgramInstallMode(InstallMode::Standalone);
    ASSERT_TRUE(settings.IsDirty());
    EXPECT_TRUE(settings.Apply());
    EXPECT_EQ(ReadBytes(world.PathOf("Nevix.INI")),
              QByteArray("[System]\nDebugMode=NNNNNNNNN\n[Database]\nDatabase=+Nevix.MDB\n"
                         "ForceRepair=No\n[NevixClient]\nLogFilter=959\nProgramInstallMode=1\n"
                         "[GUI]\nHighlightSelText=Yes\n[NevixServer]\nNevixTimeOutSecs=120\n"));
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_FALSE(settings.IsNew());
    EXPECT_TRUE(settings.BeenApplied());
}

TEST(ApplicationSettingsApply, DefaultTextsLeaveNoKeyBehind)
{
    TestWorld world;
    // These settings have no setter: they come from the file.
    ApplicationSettings settings =
        LoadedFrom(world, "[System]\nImportFileType=imp\nExportFileType=Exp\n"
                          "RemoveNonResponses=prompt\nAutomateImport=No\n");
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
    ApplicationSettings settings =
        LoadedFrom(world, "; hand-written notes\r\n[System]\r\nOptions=\r\nCustom=kept\r\n"
                          "[Printer]\r\nName=Office\r\nnot a setting\r\n");
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

TEST(ApplicationSettingsApply, NothingChangedLeavesTheFileAloneButANewServiceAddressIsSaved)
{
    TestWorld world;
    ApplicationSettings settings;
    settings.SetDatabase("+NEVIX.mdb"); // the same path in other case
    settings.SetHighlightSelText(true);
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_TRUE(settings.Apply());
    EXPECT_FALSE(QFile::exists(world.PathOf("Nevix.INI")));
    EXPECT_FALSE(settings.BeenApplied());

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
    EXPECT_FALSE(QFile::exists(world.PathOf("Nevix.INI")));
    WriteBytes(world.PathOf("Nevix.INI"), "[NevixClient]\nLogFilter=1\n");
    settings.Load(); // from V2IniLocation too
    EXPECT_EQ(settings.LogFilter(), 511);
}

struct ApplyFaultCase {
    const char* name;
    AtomicFile::Step step;
    int error;
    qint64 bytesBefore;
    const char* message; // the path follows where "%1" stands
};

class ApplyFault : public ::testing::TestWithParam<ApplyFaultCase> {};

// A full disk used to leave an empty settings file behind, and the install
// question came back at the next start.
TEST_P(ApplyFault, KeepsTheOldFileWholeRecordsTheErrorAndWarns)
{
    const ApplyFaultCase& c = GetParam();
    TestWorld world;
    const QString path = world.PathOf("Nevix.INI");
    ApplicationSettings settings = LoadedFrom(world, FullFile);
    settings.SetProgramInstallMode(3);
    settings.SetForceRepair(true);
    {
        DiskFault fault("Nevix.INI", c.step, c.error, c.bytesBefore);
        EXPECT_FALSE(settings.ApplyOrWarn());
        EXPECT_GT(fault.hits, 0);
    }
    EXPECT_EQ(ReadBytes(path), FullFile);
    EXPECT_EQ(uint32_t(settings.ApplyErrorNumber()), 0x80040201u);
    QString message = QString::fromUtf8(c.message);
    message.replace("%1", path);
    EXPECT_EQ(settings.ApplyErrorDesc(), message);
    EXPECT_EQ(settings.ApplyFile(), path);
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, message + "\rThe settings could not be saved in " + path);
    EXPECT_EQ(world.ui().boxes[0].style & 0x70u, 0x30u);
    EXPECT_TRUE(settings.IsDirty());

    // Once the disk has room again the same object saves what was asked.
    EXPECT_TRUE(settings.ApplyOrWarn());
    ApplicationSettings reread;
    reread.Load();
    EXPECT_EQ(reread.ProgramInstallMode(), 3);
    EXPECT_TRUE(reread.ForceRepair());
    EXPECT_EQ(reread.Database(), QString("/srv/nevix/Nevix.MDB"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ApplyFault,
    ::testing::Values(
        ApplyFaultCase{"Disk_full_part_way", AtomicFile::Step::Write, ENOSPC, 100,
                       "INIFile - Could not write %1: No space left on device"},
        ApplyFaultCase{"Disk_full_at_once", AtomicFile::Step::Write, ENOSPC, 0,
                       "INIFile - Could not write %1: No space left on device"},
        ApplyFaultCase{"Sync_fails", AtomicFile::Step::Sync, EIO, 0,
                       "INIFile - Could not write %1: Input/output error"},
        ApplyFaultCase{"Read_only_file", AtomicFile::Step::Open, EACCES, 0,
                       "INIFile - Unable to write to INI file"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ApplicationSettingsEdit, SnapshotAndCancel)
{
    TestWorld world;
    ApplicationSettings settings;
    settings.SetLogFilter(1);
    settings.SetDatabase("+A.MDB");
    settings.CancelEdit();
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_EQ(settings.LogFilter(), 959);
    EXPECT_EQ(settings.Database(), QString("+Nevix.MDB"));

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
    const QByteArray file = "[V2]\nDuplicateNumberOfDays=14\nDuplicatesToPrint=Yes\n"
                            "TimeOfLastDuplicate=2023,1,1\nImportData=C:\\in\nFastPrint=No\n"
                            "FontReduce=2\nSchedule0=1\nAutoSize=Yes\n";
    ApplicationSettings settings = LoadedFrom(world, file);
    settings.ClearJUXProperties("duplicates");
    EXPECT_EQ(ReadBytes(world.PathOf("Nevix.INI")), file);

    settings.ClearJUXProperties("DUPLICATES");
    settings.ClearJUXProperties("PRINTING"); // FastPrint only, FontReduce is not 0
    settings.ClearJUXProperties("SCHEDULER");
    EXPECT_EQ(ReadBytes(world.PathOf("Nevix.INI")),
              QByteArray("[V2]\nImportData=C:\\in\nFontReduce=2\nAutoSize=Yes\n"));
    EXPECT_EQ(settings.DuplicateNumberOfDays(), 14); // the object keeps its values
    settings.ClearJUXProperties("FOLDERS");
    settings.ClearJUXProperties("MISC");
    EXPECT_EQ(ReadBytes(world.PathOf("Nevix.INI")), QByteArray("[V2]\nFontReduce=2\n"));
}

TEST(ApplicationSettingsDerived, HelpFileOnlyWhenItExists)
{
    TestWorld world;
    ApplicationSettings settings;
    EXPECT_EQ(settings.HelpFile(), QString());
    WriteBytes(world.PathOf("Nevix.HLP"), "help");
    EXPECT_EQ(settings.HelpFile(), world.PathOf("Nevix.HLP"));
}

} // namespace
