#pragma once

#include "database/RecordOf.h"

#include <QString>

#include <cstdint>

struct SysParameterFields {
    QString ID;
    QString PartyName;
    int32_t VQ3Controlreference = 0;
    int16_t VQ3MaintenanceTerm = 3;
    QString VQ3MaintenancePeriod = QStringLiteral("Month");
    int16_t VQ7MaintenanceTerm = 3;
    QString VQ7MaintenancePeriod = QStringLiteral("Month");
    int16_t DEBMaintenanceTerm = 3;
    QString DEBMaintenancePeriod = QStringLiteral("Month");
    int16_t TransLogMaintenanceTerm = 1;
    QString TransLogMaintenancePeriod = QStringLiteral("Month");
    bool IsSetupComplete = false;
    int16_t DuplicateNumberOfDays = 0;
    bool DuplicatesToPrint = false;
    bool DuplicatesToFile = false;
    QString DuplicateReportPath;
    bool OnlyReportCurrentDuplicates = false;
    NullableDate TimeOfLastDuplicate;
    bool LegacyExport = false;
    int16_t ExportFormat = 1;
    bool ImportAutoExecuteVQ3Errors = false;
    bool ControlRefsSeeded = false;
    bool AutoCompactAtStartUp = false;
    bool AutoMaintenanceAtStartUp = false;
    NullableDate LastAutoCompactDate; // a day; its time of day is not stored
    bool RunningInTestMode = true;
    int16_t BatchSize = 0;
    bool TrimAsterisk = false;
    bool WriteFromLeft = false;
};

// The one row of System_Parameters: what every installation sharing the
// database must see alike, and the counter of the enquiry control
// references. The row comes with the database; Apply only ever updates it.
class SysParameters : public RecordOf<SysParameterFields> {
public:
    SysParameters() { Reset(); }

    QString Key() const override { return Current().ID; }

#define NEVIX_SYSPARAM(Type, Name)                                                                 \
    Type Name() const { return Current().Name; }                                                   \
    void Set##Name(Type value) { SetField(&SysParameterFields::Name, value); }
#define NEVIX_SYSPARAM_TEXT(Name, Compare)                                                         \
    QString Name() const { return Current().Name; }                                                \
    void Set##Name(const QString& value) { SetText(&SysParameterFields::Name, value, Compare); }

    QString ID() const { return Current().ID; }
    // The key: not a change.
    void SetID(const QString& value) { MutableFields().ID = value; }
    NEVIX_SYSPARAM_TEXT(PartyName, Qt::CaseSensitive)
    NEVIX_SYSPARAM(int32_t, VQ3Controlreference)
    NEVIX_SYSPARAM(int16_t, VQ3MaintenanceTerm)
    NEVIX_SYSPARAM_TEXT(VQ3MaintenancePeriod, Qt::CaseInsensitive)
    NEVIX_SYSPARAM(int16_t, VQ7MaintenanceTerm)
    NEVIX_SYSPARAM_TEXT(VQ7MaintenancePeriod, Qt::CaseInsensitive)
    NEVIX_SYSPARAM(int16_t, DEBMaintenanceTerm)
    NEVIX_SYSPARAM_TEXT(DEBMaintenancePeriod, Qt::CaseInsensitive)
    NEVIX_SYSPARAM(int16_t, TransLogMaintenanceTerm)
    NEVIX_SYSPARAM_TEXT(TransLogMaintenancePeriod, Qt::CaseInsensitive)
    NEVIX_SYSPARAM(bool, IsSetupComplete)
    NEVIX_SYSPARAM(int16_t, DuplicateNumberOfDays)
    NEVIX_SYSPARAM(bool, DuplicatesToPrint)
    NEVIX_SYSPARAM(bool, DuplicatesToFile)
    NEVIX_SYSPARAM_TEXT(DuplicateReportPath, Qt::CaseSensitive)
    NEVIX_SYSPARAM(bool, OnlyReportCurrentDuplicates)
    NEVIX_SYSPARAM(NullableDate, TimeOfLastDuplicate)
    NEVIX_SYSPARAM(bool, LegacyExport)
    NEVIX_SYSPARAM(bool, TrimAsterisk)
    NEVIX_SYSPARAM(int16_t, ExportFormat)
    NEVIX_SYSPARAM(int16_t, BatchSize)
    NEVIX_SYSPARAM(bool, ImportAutoExecuteVQ3Errors)
    NEVIX_SYSPARAM(bool, ControlRefsSeeded)
    NEVIX_SYSPARAM(bool, AutoCompactAtStartUp)
    NEVIX_SYSPARAM(NullableDate, LastAutoCompactDate)
    NEVIX_SYSPARAM(bool, AutoMaintenanceAtStartUp)
    NEVIX_SYSPARAM(bool, RunningInTestMode)
    NEVIX_SYSPARAM(bool, WriteFromLeft)

#undef NEVIX_SYSPARAM
#undef NEVIX_SYSPARAM_TEXT

    // Reads the row again, moves the counter on by one and writes it back,
    // all under one write lock: no reference is ever handed out twice.
    int32_t GetNextVQ3ControlReference();
    void Load();
    // Only the row; an object that was never loaded has no row to write
    // and raises instead.
    void Apply() override;
    bool GetInTestModeFromDB();

protected:
    const RecordTable& Table() const override;
    void SetKey(const QString& key) override { MutableFields().ID = key; }
    void ReadRow(const RecordSet& rs) override;
    ColumnValues RowValues() const override;
};
