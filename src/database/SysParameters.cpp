#include "database/SysParameters.h"

#include "database/CDataBase.h"
#include "database/InTransaction.h"
#include "database/RecordSet.h"

#include <limits>

namespace {
template <typename T>
void ReadInto(T& field, const Nullable<T>& value)
{
    if (value)
        field = *value;
}

QVariant DayOrNull(const NullableDate& value)
{
    return value ? QVariant(value->date()) : QVariant();
}
} // namespace

const RecordTable& SysParameters::Table() const
{
    static const RecordTable table{QStringLiteral("System_Parameters"), QStringLiteral("SysId")};
    return table;
}

void SysParameters::ReadRow(const RecordSet& rs)
{
    SysParameterFields& f = MutableFields();
    auto text = [&rs](const char* name) { return rs.Text(QLatin1String(name)); };
    auto shortInt = [&rs](const char* name) { return rs.Short(QLatin1String(name)); };
    auto yesNo = [&rs](const char* name) { return rs.Bool(QLatin1String(name)); };
    ReadInto(f.ID, text("SysId"));
    ReadInto(f.PartyName, text("Party_Name"));
    ReadInto(f.VQ3Controlreference, rs.Long(QStringLiteral("VQ3_Control_Reference")));
    ReadInto(f.VQ3MaintenanceTerm, shortInt("VQ3_Maintenance_Term"));
    ReadInto(f.VQ3MaintenancePeriod, text("VQ3_Maintenance_Period"));
    ReadInto(f.VQ7MaintenanceTerm, shortInt("VQ7_Maintenance_Term"));
    ReadInto(f.VQ7MaintenancePeriod, text("VQ7_Maintenance_Period"));
    ReadInto(f.DEBMaintenanceTerm, shortInt("DEB_Maintenance_Term"));
    ReadInto(f.DEBMaintenancePeriod, text("DEB_Maintenance_Period"));
    ReadInto(f.TransLogMaintenanceTerm, shortInt("TransLog_Maintenance_Term"));
    ReadInto(f.TransLogMaintenancePeriod, text("TransLog_Maintenance_Period"));
    ReadInto(f.IsSetupComplete, yesNo("SetupComplete"));
    ReadInto(f.DuplicateNumberOfDays, shortInt("DuplicateNumberOfDays"));
    ReadInto(f.DuplicatesToPrint, yesNo("DuplicatesToPrint"));
    ReadInto(f.DuplicatesToFile, yesNo("DuplicatesToFile"));
    ReadInto(f.DuplicateReportPath, text("DuplicateReportPath"));
    ReadInto(f.OnlyReportCurrentDuplicates, yesNo("OnlyReportCurrentDuplicates"));
    f.TimeOfLastDuplicate = rs.DateTime(QStringLiteral("TimeOfLastDuplicate"));
    ReadInto(f.LegacyExport, yesNo("LegacyExport"));
    ReadInto(f.ExportFormat, shortInt("ExportFormat"));
    ReadInto(f.ImportAutoExecuteVQ3Errors, yesNo("ImportAutoExecuteVQ3Errors"));
    ReadInto(f.ControlRefsSeeded, yesNo("ControlRefsSeeded"));
    ReadInto(f.AutoCompactAtStartUp, yesNo("AutoCompactAtStartUp"));
    ReadInto(f.AutoMaintenanceAtStartUp, yesNo("AutoMaintenanceAtStartUp"));
    f.LastAutoCompactDate = rs.DateTime(QStringLiteral("LastAutoCompactDate"));
    ReadInto(f.RunningInTestMode, yesNo("RunningInTestMode"));
    ReadInto(f.BatchSize, shortInt("BatchSize"));
    ReadInto(f.TrimAsterisk, yesNo("TrimAsterisk"));
    ReadInto(f.WriteFromLeft, yesNo("WriteFromLeft"));
}

ColumnValues SysParameters::RowValues() const
{
    const SysParameterFields& f = Current();
    return {
        {QStringLiteral("Party_Name"), TextOrNull(f.PartyName)},
        {QStringLiteral("VQ3_Control_Reference"), f.VQ3Controlreference},
        {QStringLiteral("VQ3_Maintenance_Term"), f.VQ3MaintenanceTerm},
        {QStringLiteral("VQ3_Maintenance_Period"), TextOrNull(f.VQ3MaintenancePeriod)},
        {QStringLiteral("VQ7_Maintenance_Term"), f.VQ7MaintenanceTerm},
        {QStringLiteral("VQ7_Maintenance_Period"), TextOrNull(f.VQ7MaintenancePeriod)},
        {QStringLiteral("DEB_Maintenance_Term"), f.DEBMaintenanceTerm},
        {QStringLiteral("DEB_Maintenance_Period"), TextOrNull(f.DEBMaintenancePeriod)},
        {QStringLiteral("TransLog_Maintenance_Term"), f.TransLogMaintenanceTerm},
        {QStringLiteral("TransLog_Maintenance_Period"), TextOrNull(f.TransLogMaintenancePeriod)},
        {QStringLiteral("SetupComplete"), f.IsSetupComplete},
        {QStringLiteral("DuplicateNumberOfDays"), f.DuplicateNumberOfDays},
        {QStringLiteral("DuplicatesToPrint"), f.DuplicatesToPrint},
        {QStringLiteral("DuplicatesToFile"), f.DuplicatesToFile},
        {QStringLiteral("DuplicateReportPath"), TextOrNull(f.DuplicateReportPath)},
        {QStringLiteral("OnlyReportCurrentDuplicates"), f.OnlyReportCurrentDuplicates},
        {QStringLiteral("TimeOfLastDuplicate"), ToVariant(f.TimeOfLastDuplicate)},
        {QStringLiteral("LegacyExport"), f.LegacyExport},
        {QStringLiteral("ExportFormat"), f.ExportFormat},
        {QStringLiteral("ImportAutoExecuteVQ3Errors"), f.ImportAutoExecuteVQ3Errors},
        {QStringLiteral("ControlRefsSeeded"), f.ControlRefsSeeded},
        {QStringLiteral("AutoCompactAtStartUp"), f.AutoCompactAtStartUp},
        {QStringLiteral("AutoMaintenanceAtStartUp"), f.AutoMaintenanceAtStartUp},
        {QStringLiteral("LastAutoCompactDate"), DayOrNull(f.LastAutoCompactDate)},
        {QStringLiteral("RunningInTestMode"), f.RunningInTestMode},
        {QStringLiteral("BatchSize"), f.BatchSize},
        {QStringLiteral("TrimAsterisk"), f.TrimAsterisk},
        {QStringLiteral("WriteFromLeft"), f.WriteFromLeft},
    };
}

void SysParameters::Load()
{
    LoadQuery(QStringLiteral("select * from system_parameters"));
}

void SysParameters::Apply()
{
    if (!IsDirty())
        return;
    if (IsNew())
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("The system parameters were not loaded, so they cannot be saved."),
                         QStringLiteral("SysParameters.Apply"));
    Record::Apply();
}

int32_t SysParameters::GetNextVQ3ControlReference()
{
    InTransaction(RequireDataSource(), [this] {
        Load();
        if (VQ3Controlreference() == std::numeric_limits<int32_t>::max())
            throw NevixError::Overflow(QStringLiteral("SysParameters.GetNextVQ3ControlReference"));
        SetVQ3Controlreference(VQ3Controlreference() + 1);
        Apply();
    });
    return VQ3Controlreference();
}

bool SysParameters::GetInTestModeFromDB()
{
    Reset();
    RecordSet rs = RequireDataSource().OpenRecordSet(
        QStringLiteral("select RunningInTestMode from system_parameters"));
    if (!rs.HasRow())
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("No current record."),
                         QStringLiteral("SysParameters.GetInTestModeFromDB"));
    if (const auto value = rs.Bool(QStringLiteral("RunningInTestMode")))
        MutableFields().RunningInTestMode = *value;
    rs.Close();
    return RunningInTestMode();
}
