#pragma once

#include "platform/Nullable.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Running modes.
namespace RunningMode {
constexpr int16_t None = 0;
constexpr int16_t Interactive = 1;
constexpr int16_t Automatic = 2;
constexpr int16_t Setup = 3;
} // namespace RunningMode

// Install modes.
namespace InstallMode {
constexpr int16_t None = 0;
constexpr int16_t Standalone = 1;
constexpr int16_t Server = 2;
constexpr int16_t Client = 3;
} // namespace InstallMode

// Every value the settings file holds, with its default, plus the few
// run-time values that travel with them through an edit.
struct SettingsRecord {
    // System
    QString RunOptions;
    float ConfigVersion = 2.0f;
    QString DebugMode = QStringLiteral("NNNNNNNNN");
    QString ImportFileType = QStringLiteral("IMP");
    QString ExportFileType = QStringLiteral("EXP");
    QString RemoveNonResponsesAction = QStringLiteral("PROMPT");
    bool AutomateImport = false;
    bool BespokeImportFormat = false;
    QString HardCopyResponseCode = QStringLiteral("1");
    // V2: the earlier version's settings, read but never written
    QString ImportDataPath;
    QString ExportDataPath;
    QString AutoImportPath;
    QString AutoExportPath;
    int16_t DuplicateNumberOfDays = 0;
    bool DuplicatesToPrint = false;
    bool DuplicatesToFile = false;
    QString DuplicateReportPath;
    Nullable<QDateTime> TimeOfLastDuplicate;
    bool FastPrint = true;
    int16_t FontReduce = 0;
    QString Schedule0Time = QStringLiteral("08:00");
    QString Schedule1Time = QStringLiteral("15:00");
    QString ReceiveFromTime;
    QString ReceiveToTime;
    QString ReceiveInterval;
    QString SendFromTime;
    QString SendToTime;
    QString SendInterval;
    QString MaintenanceTime;
    // Database
    QString Database = QStringLiteral("+Nevix.MDB");
    bool ForceRepair = false;
    // NevixClient
    bool ExplicitExportSequence = false;
    bool SkipFullCustomerNameExport = false;
    int16_t LogFilter = 959;
    QString V2InstallPath;
    int16_t ProgramInstallMode = InstallMode::None;
    bool Skip10YearDOECheck = false;
    // NevixServer
    QString NevixHost;
    int32_t NevixTimeOutSecs = 120;
    bool VerboseConnectionLogging = false;
    // GUI
    QString VQ7SearchRecievedInLastDays;
    bool HighlightSelText = true;
    // Run time only
    int16_t V2UpgradeResult = 0;
    bool AutoCompact = false;
    bool AutoMaintenance = false;
    bool IsDirty = false;
    bool IsNew = true;
};

// The program's settings: typed values of the settings file Nevix.INI in the
// program folder, written back by Apply only when changed, plus run-time
// mode flags that are never written.
class ApplicationSettings {
public:
    ApplicationSettings();

    QString HardCopyResponseCode() const { return m_rec.HardCopyResponseCode; }
    void SetHardCopyResponseCode(const QString& value);
    bool NevixResponseIsTestMode() const { return m_nevixResponseIsTestMode; }
    void SetNevixResponseIsTestMode(bool value) { m_nevixResponseIsTestMode = value; }
    int16_t ProgramRunningMode() const { return m_programRunningMode; }
    void SetProgramRunningMode(int16_t mode) { m_programRunningMode = mode; }
    // When set, Load and Apply use this settings file instead of Nevix.INI.
    QString V2IniLocation() const { return m_v2IniLocation; }
    void SetV2IniLocation(const QString& value) { m_v2IniLocation = value; }
    // The settings file that Load and Apply use.
    QString SettingsFilePath() const;
    float ConfigVersion() const { return m_rec.ConfigVersion; }
    bool RunInTestMode() const { return m_runInTestMode; }
    void SetRunInTestMode(bool value) { m_runInTestMode = value; }
    // The help file beside the program, "" when there is none.
    QString HelpFile() const;
    QString RunOptions() const { return m_rec.RunOptions; }
    void SetRunOptions(const QString& value);
    bool IsInAutoExecuteMode() const { return m_isInAutoExecuteMode; }
    void SetIsInAutoExecuteMode(bool value) { m_isInAutoExecuteMode = value; }
    bool IsInAutoExecuteModeImmediateExecute() const { return m_immediateExecute; }
    void SetIsInAutoExecuteModeImmediateExecute(bool value) { m_immediateExecute = value; }
    bool BypassLogonSecurity() const { return m_bypassLogonSecurity; }
    void SetBypassLogonSecurity(bool value) { m_bypassLogonSecurity = value; }
    bool CameFromAutoExecute() const { return m_cameFromAutoExecute; }
    void SetCameFromAutoExecute(bool value) { m_cameFromAutoExecute = value; }
    bool IsInInteractiveMode() const { return !m_isInAutoExecuteMode; }

    // Switches held in DebugMode.
    bool SkipVRMFormatValidation() const;
    bool WriteCommsToFile() const { return DashFlag(8); }
    QString WriteCommsToFileLocation() const;
    bool DontWriteXML1ProcessInstruction() const { return DashFlag(9); }
    bool SchedulerTestMode() const { return DashFlag(10); }
    bool AllowMultipleInstances() const { return DashFlag(11); }
    QString DebugMode() const { return m_rec.DebugMode; }
    void SetDebugMode(const QString& value);

    QString ImportDataPath() const { return m_rec.ImportDataPath; }
    QString ImportFileType() const { return m_rec.ImportFileType; }
    QString ExportDataPath() const { return m_rec.ExportDataPath; }
    QString ExportFileType() const { return m_rec.ExportFileType; }
    bool FastPrint() const { return m_rec.FastPrint; }
    bool ExplicitExportSequence() const { return m_rec.ExplicitExportSequence; }
    bool SkipFullCustomerNameExport() const { return m_rec.SkipFullCustomerNameExport; }
    int16_t ProgramInstallMode() const { return m_rec.ProgramInstallMode; }
    void SetProgramInstallMode(int16_t value);
    int16_t FontReduce() const { return m_rec.FontReduce; }
    bool BespokeImportFormat() const { return m_rec.BespokeImportFormat; }
    QString DuplicateReportPath() const { return m_rec.DuplicateReportPath; }
    QString RemoveNonResponsesAction() const { return m_rec.RemoveNonResponsesAction; }
    bool AutomateImport() const { return m_rec.AutomateImport; }
    QString AutoImportPath() const { return m_rec.AutoImportPath; }
    QString AutoExportPath() const { return m_rec.AutoExportPath; }
    int16_t DuplicateNumberOfDays() const { return m_rec.DuplicateNumberOfDays; }
    int16_t V2UpgradeResult() const { return m_rec.V2UpgradeResult; }
    void SetV2UpgradeResult(int16_t value);
    int16_t LogFilter() const { return m_rec.LogFilter; }
    void SetLogFilter(int16_t value);
    bool DuplicatesToPrint() const { return m_rec.DuplicatesToPrint; }
    bool DuplicatesToFile() const { return m_rec.DuplicatesToFile; }
    Nullable<QDateTime> TimeOfLastDuplicate() const { return m_rec.TimeOfLastDuplicate; }
    QString Database() const { return m_rec.Database; }
    void SetDatabase(const QString& value);
    bool ForceRepair() const { return m_rec.ForceRepair; }
    void SetForceRepair(bool value);
    bool AutoCompact() const { return m_rec.AutoCompact; }
    bool AutoMaintenance() const { return m_rec.AutoMaintenance; }
    QString VQ7SearchRecievedInLastDays() const { return m_rec.VQ7SearchRecievedInLastDays; }
    void SetVQ7SearchRecievedInLastDays(const QString& value);
    QString Schedule0Time() const { return m_rec.Schedule0Time; }
    QString Schedule1Time() const { return m_rec.Schedule1Time; }
    QString SendFromTime() const { return m_rec.SendFromTime; }
    QString SendToTime() const { return m_rec.SendToTime; }
    QString SendInterval() const { return m_rec.SendInterval; }
    QString ReceiveFromTime() const { return m_rec.ReceiveFromTime; }
    QString ReceiveToTime() const { return m_rec.ReceiveToTime; }
    QString ReceiveInterval() const { return m_rec.ReceiveInterval; }
    QString MaintenanceTime() const { return m_rec.MaintenanceTime; }
    QString NevixHost() const { return m_rec.NevixHost; }
    // Marks the settings changed, so that Apply saves a new service address.
    void SetNevixHost(const QString& value);
    QString V2InstallPath() const { return m_rec.V2InstallPath; }
    void SetV2InstallPath(const QString& value);
    int32_t NevixTimeOutSecs() const { return m_rec.NevixTimeOutSecs; }
    bool HighlightSelText() const { return m_rec.HighlightSelText; }
    void SetHighlightSelText(bool value);
    bool Skip10YearDOECheck() const { return m_rec.Skip10YearDOECheck; }
    void SetSkip10YearDOECheck(bool value) { m_rec.Skip10YearDOECheck = value; }
    bool VerboseConnectionLogging() const { return m_rec.VerboseConnectionLogging; }
    bool IsDirty() const { return m_rec.IsDirty; }
    bool IsNew() const { return m_rec.IsNew; }
    bool BeenApplied() const { return m_beenApplied; }

    void EndSetDefaultsEdit();
    void EndEdit();
    void CancelEdit();

    // Reads every setting; a missing file leaves the defaults and IsNew.
    void Load();
    // Removes one block of the earlier version's settings from the file
    // ("DUPLICATES", "FOLDERS", "PRINTING", "SCHEDULER", "MISC"; exact case).
    void ClearJUXProperties(const QString& sPropertyBlock);
    // Writes the changed settings. False when a write failed: the settings
    // then stay changed (IsDirty) so that they can be saved again, and the
    // failure can be asked for until the next Apply.
    bool Apply();
    int32_t ApplyErrorNumber() const { return m_applyErrorNumber; }
    QString ApplyErrorDesc() const { return m_applyErrorDesc; }
    // The settings file the last Apply wrote to.
    QString ApplyFile() const { return m_applyFile; }
    // Apply, telling the user in a warning (the failure, the file) when the
    // settings could not be saved: a choice that silently comes back at the
    // next start is worse than a message now.
    bool ApplyOrWarn();

private:
    void SetDefaults();
    bool DashFlag(int position) const;
    template <typename T>
    void SetMarking(T SettingsRecord::*field, const T& value);

    SettingsRecord m_rec;
    SettingsRecord m_snapshot;
    bool m_beenApplied = false;

    int16_t m_programRunningMode = RunningMode::None;
    QString m_v2IniLocation;
    bool m_isInAutoExecuteMode = false;
    bool m_immediateExecute = false;
    bool m_bypassLogonSecurity = false;
    bool m_cameFromAutoExecute = false;
    bool m_nevixResponseIsTestMode = false;
    bool m_runInTestMode = false;

    int32_t m_applyErrorNumber = 0;
    QString m_applyErrorDesc;
    QString m_applyFile;
};

// The program-wide settings object, created on first use.
ApplicationSettings& Settings();
// Drops the program-wide settings object; the next use creates a new one.
void ReleaseSettings();
