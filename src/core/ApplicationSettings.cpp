#include "core/ApplicationSettings.h"

#include "core/AskTellUser.h"
#include "core/DateText.h"
#include "core/IProperty.h"
#include "platform/AppContext.h"

#include <QFileInfo>

#include <memory>

namespace {
const QString System = QStringLiteral("System");
const QString V2 = QStringLiteral("V2");
const QString DatabaseGroup = QStringLiteral("Database");
const QString NevixClient = QStringLiteral("NevixClient");
const QString NevixServer = QStringLiteral("NevixServer");
const QString Gui = QStringLiteral("GUI");

std::unique_ptr<ApplicationSettings>& Slot()
{
    static std::unique_ptr<ApplicationSettings> settings;
    return settings;
}

bool Differs(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) != 0;
}

template <typename T>
bool Differs(const T& a, const T& b)
{
    return a != b;
}

// The value Apply writes for a setting that has a file default: nothing
// when it equals the default, so that the key goes and the default stays.
QString UnlessDefault(const QString& value, const QString& fileDefault)
{
    return Differs(value, fileDefault) ? value : QString();
}

std::unique_ptr<IProperty> OpenStore(const QString& location, const QString& group)
{
    auto store = std::make_unique<IProperty>();
    if (!location.isEmpty())
        store->SetINILocation(location);
    store->SetDefaultGroup(group);
    return store;
}
} // namespace

ApplicationSettings& Settings()
{
    auto& slot = Slot();
    if (!slot)
        slot = std::make_unique<ApplicationSettings>();
    return *slot;
}

void ReleaseSettings()
{
    Slot().reset();
}

ApplicationSettings::ApplicationSettings()
{
    SetDefaults();
}

void ApplicationSettings::SetDefaults()
{
    m_rec = SettingsRecord();
    m_snapshot = m_rec;
    m_beenApplied = false;
}

template <typename T>
void ApplicationSettings::SetMarking(T SettingsRecord::*field, const T& value)
{
    if (Differs(m_snapshot.*field, value))
        m_rec.IsDirty = true;
    m_rec.*field = value;
}

void ApplicationSettings::SetHardCopyResponseCode(const QString& value)
{
    SetMarking(&SettingsRecord::HardCopyResponseCode, value);
}

void ApplicationSettings::SetRunOptions(const QString& value)
{
    SetMarking(&SettingsRecord::RunOptions, value);
}

void ApplicationSettings::SetDebugMode(const QString& value)
{
    SetMarking(&SettingsRecord::DebugMode, value);
}

void ApplicationSettings::SetProgramInstallMode(int16_t value)
{
    SetMarking(&SettingsRecord::ProgramInstallMode, value);
}

void ApplicationSettings::SetV2UpgradeResult(int16_t value)
{
    SetMarking(&SettingsRecord::V2UpgradeResult, value);
}

void ApplicationSettings::SetLogFilter(int16_t value)
{
    SetMarking(&SettingsRecord::LogFilter, value);
}

void ApplicationSettings::SetDatabase(const QString& value)
{
    SetMarking(&SettingsRecord::Database, value);
}

void ApplicationSettings::SetForceRepair(bool value)
{
    SetMarking(&SettingsRecord::ForceRepair, value);
}

void ApplicationSettings::SetVQ7SearchRecievedInLastDays(const QString& value)
{
    SetMarking(&SettingsRecord::VQ7SearchRecievedInLastDays, value);
}

void ApplicationSettings::SetNevixHost(const QString& value)
{
    SetMarking(&SettingsRecord::NevixHost, value);
}

void ApplicationSettings::SetV2InstallPath(const QString& value)
{
    SetMarking(&SettingsRecord::V2InstallPath, value);
}

void ApplicationSettings::SetHighlightSelText(bool value)
{
    SetMarking(&SettingsRecord::HighlightSelText, value);
}

QString ApplicationSettings::HelpFile() const
{
    const QString file = AppContext::Current().programFolder() + u'/' + IProperty::ApplicationName +
                         QStringLiteral(".HLP");
    return QFileInfo(file).isFile() ? file : QString();
}

QString ApplicationSettings::WriteCommsToFileLocation() const
{
    return AppContext::Current().programFolder();
}

bool ApplicationSettings::SkipVRMFormatValidation() const
{
    const QString flags = m_rec.DebugMode.toUpper();
    return flags.size() >= 3 && flags.at(2) == u'Y';
}

// The switches from position 8 on count only behind a "-" at position 7.
bool ApplicationSettings::DashFlag(int position) const
{
    const QString flags = (m_rec.DebugMode + QString(26, u'.')).toUpper();
    return flags.at(6) == u'-' && flags.at(position - 1) == u'Y';
}

void ApplicationSettings::EndSetDefaultsEdit()
{
    m_rec.IsDirty = false;
    m_snapshot = m_rec;
    m_beenApplied = false;
}

void ApplicationSettings::EndEdit()
{
    m_snapshot = m_rec;
    m_beenApplied = true;
}

void ApplicationSettings::CancelEdit()
{
    m_rec = m_snapshot;
    m_beenApplied = false;
}

QString ApplicationSettings::SettingsFilePath() const
{
    return OpenStore(m_v2IniLocation, System)->INILocation();
}

void ApplicationSettings::Load()
{
    SetDefaults();
    const auto store = OpenStore(m_v2IniLocation, System);
    IProperty& s = *store;
    SettingsRecord& r = m_rec;

    r.RunOptions = s.GetProperty(QStringLiteral("Options"), System, r.RunOptions);
    m_isInAutoExecuteMode = r.RunOptions.contains(u"AutoExecute", Qt::CaseInsensitive);
    m_immediateExecute =
        m_isInAutoExecuteMode && r.RunOptions.contains(u"immediateexecution", Qt::CaseInsensitive);
    m_bypassLogonSecurity =
        m_isInAutoExecuteMode && r.RunOptions.contains(u"BYPASSLOGONSECURITY", Qt::CaseInsensitive);
    r.ConfigVersion = s.GetSingleProperty(QStringLiteral("ConfigVersion"), System, r.ConfigVersion);
    r.DebugMode = s.GetProperty(QStringLiteral("DebugMode"), System, r.DebugMode);
    r.ImportFileType = s.GetProperty(QStringLiteral("ImportFileType"), System, r.ImportFileType);
    r.ExportFileType = s.GetProperty(QStringLiteral("ExportFileType"), System, r.ExportFileType);
    r.RemoveNonResponsesAction =
        s.GetProperty(QStringLiteral("RemoveNonResponses"), System, r.RemoveNonResponsesAction);
    r.AutomateImport =
        s.GetBooleanProperty(QStringLiteral("AutomateImport"), System, r.AutomateImport);
    r.BespokeImportFormat =
        s.GetBooleanProperty(QStringLiteral("BespokeImportFormat"), System, r.BespokeImportFormat);

    r.ImportDataPath = s.GetProperty(QStringLiteral("ImportData"), V2, r.ImportDataPath);
    r.ExportDataPath = s.GetProperty(QStringLiteral("ExportData"), V2, r.ExportDataPath);
    r.AutoImportPath = s.GetProperty(QStringLiteral("AutoImportPath"), V2, r.AutoImportPath);
    r.AutoExportPath = s.GetProperty(QStringLiteral("AutoExportPath"), V2, r.AutoExportPath);
    r.DuplicateNumberOfDays =
        s.GetIntegerProperty(QStringLiteral("DuplicateNumberOfDays"), V2, r.DuplicateNumberOfDays);
    r.DuplicatesToPrint =
        s.GetBooleanProperty(QStringLiteral("DuplicatesToPrint"), V2, r.DuplicatesToPrint);
    r.DuplicatesToFile =
        s.GetBooleanProperty(QStringLiteral("DuplicatesToFile"), V2, r.DuplicatesToFile);
    r.DuplicateReportPath =
        s.GetProperty(QStringLiteral("DuplicateReportPath"), V2, r.DuplicateReportPath);
    r.TimeOfLastDuplicate =
        s.GetDateTimeProperty(QStringLiteral("TimeOfLastDuplicate"), V2, r.TimeOfLastDuplicate);
    if (!r.TimeOfLastDuplicate)
        r.TimeOfLastDuplicate =
            ParseDateText(s.GetProperty(QStringLiteral("TimeOfLastDuplicate"), V2));
    r.FastPrint = s.GetBooleanProperty(QStringLiteral("FastPrint"), V2, r.FastPrint);
    r.FontReduce = s.GetIntegerProperty(QStringLiteral("FontReduce"), V2, r.FontReduce);
    if (r.FontReduce > 3)
        r.FontReduce = 0;
    r.Schedule0Time = s.GetProperty(QStringLiteral("Schedule0Time"), V2, r.Schedule0Time);
    r.Schedule1Time = s.GetProperty(QStringLiteral("Schedule1Time"), V2, r.Schedule1Time);
    r.ReceiveFromTime = s.GetProperty(QStringLiteral("ReceiveFromTime"), V2, r.ReceiveFromTime);
    r.ReceiveToTime = s.GetProperty(QStringLiteral("ReceiveToTime"), V2, r.ReceiveToTime);
    r.ReceiveInterval = s.GetProperty(QStringLiteral("ReceiveInterval"), V2, r.ReceiveInterval);
    r.SendFromTime = s.GetProperty(QStringLiteral("SendFromTime"), V2, r.SendFromTime);
    r.SendToTime = s.GetProperty(QStringLiteral("SendToTime"), V2, r.SendToTime);
    r.SendInterval = s.GetProperty(QStringLiteral("SendInterval"), V2, r.SendInterval);
    r.MaintenanceTime = s.GetProperty(QStringLiteral("MaintenanceTime"), V2, r.MaintenanceTime);

    r.Database = s.GetProperty(QStringLiteral("Database"), DatabaseGroup, r.Database);
    r.ForceRepair =
        s.GetBooleanProperty(QStringLiteral("ForceRepair"), DatabaseGroup, r.ForceRepair);
    r.ExplicitExportSequence = s.GetBooleanProperty(QStringLiteral("ExplicitExportSequence"),
                                                    NevixClient, r.ExplicitExportSequence);
    r.SkipFullCustomerNameExport = s.GetBooleanProperty(
        QStringLiteral("SkipFullCustomerNameExport"), NevixClient, r.SkipFullCustomerNameExport);
    r.NevixHost = s.GetProperty(QStringLiteral("NevixHost"), NevixServer, r.NevixHost);
    r.NevixTimeOutSecs = s.GetLongIntegerProperty(QStringLiteral("NevixTimeOutSecs"), NevixServer,
                                                  r.NevixTimeOutSecs);
    r.VerboseConnectionLogging = s.GetBooleanProperty(QStringLiteral("VerboseConnectionLogging"),
                                                      NevixServer, r.VerboseConnectionLogging);
    r.LogFilter = s.GetIntegerProperty(QStringLiteral("LogFilter"), NevixClient, r.LogFilter);
    r.V2InstallPath = s.GetProperty(QStringLiteral("V2InstallPath"), NevixClient, r.V2InstallPath);
    r.ProgramInstallMode = s.GetIntegerProperty(QStringLiteral("ProgramInstallMode"), NevixClient,
                                                r.ProgramInstallMode);
    r.VQ7SearchRecievedInLastDays = s.GetProperty(QStringLiteral("VQ7SearchRecievedInLastDays"),
                                                  Gui, r.VQ7SearchRecievedInLastDays);
    r.HighlightSelText =
        s.GetBooleanProperty(QStringLiteral("HighlightSelText"), Gui, r.HighlightSelText);
    r.HardCopyResponseCode =
        s.GetProperty(QStringLiteral("HardCopyResponseCode"), {}, r.HardCopyResponseCode);
    r.Skip10YearDOECheck = s.GetBooleanProperty(QStringLiteral("Skip10YearDOECheck"), NevixClient,
                                                r.Skip10YearDOECheck);

    r.IsNew = s.IsNew();
    m_snapshot = m_rec;
}

bool ApplicationSettings::Apply()
{
    if (!m_rec.IsDirty)
        return true;
    const auto store = OpenStore(m_v2IniLocation, System);
    IProperty& s = *store;
    const SettingsRecord& r = m_rec;

    s.SetProperty(QStringLiteral("Options"), r.RunOptions, System);
    s.SetProperty(QStringLiteral("DebugMode"), r.DebugMode, System);
    s.SetProperty(QStringLiteral("ImportFileType"),
                  UnlessDefault(r.ImportFileType, QStringLiteral("IMP")), System);
    s.SetProperty(QStringLiteral("ExportFileType"),
                  UnlessDefault(r.ExportFileType, QStringLiteral("EXP")), System);
    s.SetProperty(QStringLiteral("RemoveNonResponses"),
                  UnlessDefault(r.RemoveNonResponsesAction, QStringLiteral("PROMPT")), System);
    // A false switch is removed rather than written, leaving the default.
    for (const auto& [key, on] :
         {std::pair{QStringLiteral("AutomateImport"), r.AutomateImport},
          std::pair{QStringLiteral("BespokeImportFormat"), r.BespokeImportFormat}}) {
        if (on)
            s.SetBooleanProperty(key, true, System);
        else
            s.SetProperty(key, {}, System);
    }
    s.SetProperty(QStringLiteral("Database"), r.Database, DatabaseGroup);
    s.SetBooleanProperty(QStringLiteral("ForceRepair"), r.ForceRepair, DatabaseGroup);
    s.SetProperty(QStringLiteral("V2InstallPath"), r.V2InstallPath, NevixClient);
    s.SetIntegerProperty(QStringLiteral("LogFilter"), r.LogFilter, NevixClient);
    s.SetIntegerProperty(QStringLiteral("ProgramInstallMode"), r.ProgramInstallMode, NevixClient);
    s.SetBooleanProperty(QStringLiteral("HighlightSelText"), r.HighlightSelText, Gui);
    s.SetProperty(QStringLiteral("VQ7SearchRecievedInLastDays"), r.VQ7SearchRecievedInLastDays,
                  Gui);
    s.SetProperty(QStringLiteral("NevixHost"), r.NevixHost, NevixServer);
    s.SetLongIntegerProperty(QStringLiteral("NevixTimeOutSecs"), r.NevixTimeOutSecs, NevixServer);

    m_applyErrorNumber = s.GetLastError();
    m_applyErrorDesc = s.GetLastErrorDesc();
    m_applyFile = s.INILocation();
    if (s.HadError())
        return false;
    m_rec.IsDirty = false;
    m_rec.IsNew = false;
    m_snapshot = m_rec;
    m_beenApplied = true;
    return true;
}

bool ApplicationSettings::ApplyOrWarn()
{
    if (Apply())
        return true;
    TellUserWarning(m_applyErrorDesc,
                    QStringLiteral("The settings could not be saved in ") + m_applyFile);
    return false;
}

void ApplicationSettings::ClearJUXProperties(const QString& sPropertyBlock)
{
    QStringList keys;
    if (sPropertyBlock == QLatin1String("DUPLICATES")) {
        keys = {QStringLiteral("DuplicateNumberOfDays"), QStringLiteral("DuplicatesToPrint"),
                QStringLiteral("DuplicatesToFile"), QStringLiteral("DuplicateReportPath"),
                QStringLiteral("TimeOfLastDuplicate")};
    } else if (sPropertyBlock == QLatin1String("FOLDERS")) {
        keys = {QStringLiteral("ImportData"), QStringLiteral("ExportData"),
                QStringLiteral("AutoImportPath"), QStringLiteral("AutoExportPath")};
    } else if (sPropertyBlock == QLatin1String("PRINTING")) {
        if (!m_rec.FastPrint)
            keys << QStringLiteral("FastPrint");
        if (m_rec.FontReduce == 0)
            keys << QStringLiteral("FontReduce");
    } else if (sPropertyBlock == QLatin1String("SCHEDULER")) {
        keys = {QStringLiteral("Schedule0Time"),   QStringLiteral("Schedule1Time"),
                QStringLiteral("Schedule0"),       QStringLiteral("Schedule1"),
                QStringLiteral("ReceiveFromTime"), QStringLiteral("ReceiveToTime"),
                QStringLiteral("ReceiveInterval"), QStringLiteral("SendFromTime"),
                QStringLiteral("SendToTime"),      QStringLiteral("SendInterval"),
                QStringLiteral("MaintenanceTime")};
    } else if (sPropertyBlock == QLatin1String("MISC")) {
        keys = {QStringLiteral("Data"), QStringLiteral("ExpeditePath"), QStringLiteral("AutoSize")};
    }
    if (keys.isEmpty())
        return;
    const auto store = OpenStore({}, V2);
    for (const QString& key : keys)
        store->SetProperty(key, {}, V2);
}
