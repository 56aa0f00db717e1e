#include "maintenance/SchemaUpgrade.h"

#include "accounts/Enquirers.h"
#include "accounts/SetupHelpers.h"
#include "core/AskTellUser.h"
#include "core/GlobalDeclarations.h"
#include "core/NumericText.h"
#include "core/TextLogFile.h"
#include "database/CDataBase.h"
#include "database/DatabaseSchema.h"
#include "database/InTransaction.h"
#include "database/LogLines.h"
#include "maintenance/EnquirerRequest.h"
#include "platform/UserInteraction.h"

#include <span>

namespace {
const QString UpgradeComplete = QStringLiteral("Upgrade complete");

struct ColumnChange {
    const char* logLine;
    const char* table;
    const char* column;
    const char* type;
    bool add; // else the column's type changes
};

constexpr ColumnChange ToV120[] = {
    {"Upgrading schema to V1.20 - BatchSize added to System_Parameters", "System_Parameters", "BatchSize",
     "Integer", true},
    {"Upgrading schema to V1.20 - TrimAsterisk added to System_Parameters", "System_Parameters",
     "TrimAsterisk", "Bit", true},
};

constexpr ColumnChange ToV121[] = {
    {"Upgrading schema to V1.21 - length of EnquirerName field in Debit_Statements table  increased from 35 "
     "to 255",
     "Debit_Statements", "EnquirerName", "Varchar(255)", false},
};

constexpr ColumnChange ToV300[] = {
    {"Upgrading schema to V3.00 - length of VQ7_Response OtherName increased to 70", "VQ7_Responses",
     "OtherName", "Varchar(70)", false},
    {"Upgrading schema to V3.00 - length of VQ7_Response VRM increased to 17", "VQ7_Responses", "VRM",
     "Varchar(17)", false},
    {"Upgrading schema to V3.00 - adding RegistrationNumber to VQ7_Response", "VQ7_Responses",
     "RegistrationNumber", "TEXT(7)", true},
    {"Upgrading schema to V3.00 - adding TaxStatus to VQ7_Response", "VQ7_Responses", "TaxStatus",
     "TEXT(50)", true},
    {"Upgrading schema to V3.00 - adding FleetNumber to VQ7_Response", "VQ7_Responses", "FleetNumber",
     "TEXT(50)", true},
    {"Upgrading schema to V3.00 - adding SecondaryColour to VQ7_Response", "VQ7_Responses",
     "SecondaryColour", "TEXT(50)", true},
    {"Upgrading schema to V3.00 - adding BodyType to VQ7_Response", "VQ7_Responses", "BodyType", "TEXT(50)",
     true},
    {"Upgrading schema to V3.00 - length of VRM_BLACKLIST VRM increased to 17", "VRM_BLACKLIST", "VRM",
     "TEXT(17)", false},
    {"Upgrading schema to V3.00 - lenght VRM reduced to 17 on VQ3_Enquiries", "VQ3_Enquiries", "VRM",
     "TEXT(17)", false},
    {"Upgrading schema to V3.00 - adding UserName to VQ3_Enquiries", "VQ3_Enquiries", "UserName", "TEXT(15)",
     true},
    {"Upgrading schema to V3.00 - adding ComputerName to VQ3_Enquiries", "VQ3_Enquiries", "ComputerName",
     "TEXT(50)", true},
    {"Upgrading schema to V3.00 - adding WhenImported to VQ3_Enquiries", "VQ3_Enquiries", "WhenImported",
     "DATETIME", true},
    {"Upgrading schema to V3.00 - adding WriteFromLeft to system_parameters", "System_Parameters",
     "WriteFromLeft", "Bit", true},
    {"Upgrading schema to V3.00 - adding ExportFileFormat to system_parameters", "System_Parameters",
     "ExportFileFormat", "TEXT(3)", true},
};

void ApplyChanges(CDataBase& db, TextLogFile& upgradeLog, std::span<const ColumnChange> changes)
{
    for (const ColumnChange& change : changes) {
        upgradeLog.WriteToLog(QLatin1String(change.logLine));
        const QString table = QLatin1String(change.table);
        const QString column = QLatin1String(change.column);
        const QString type = QLatin1String(change.type);
        if (change.add)
            db.AddField(table, column, type, true, false);
        else
            db.AlterField(table, column, type);
    }
    upgradeLog.WriteToLog(UpgradeComplete);
}
} // namespace

void UpgradeSchemaToV110(CDataBase& db, TextLogFile& upgradeLog)
{
    upgradeLog.WriteToLog(QStringLiteral("Upgrading schema to V1.10"));
    upgradeLog.WriteToLog(QStringLiteral("Adding DateOfEventCutOff "));
    db.AddField(QStringLiteral("ENQUIRY_REASON"), QStringLiteral("DateOfEventCutOff"), QStringLiteral("Integer"),
                true, false);

    upgradeLog.WriteToLog(QStringLiteral("Refreshing Enquiriers - logged to transmission log"));
    LogLines logger;
    logger.SetDataSource(&db);
    const bool refreshed = RunNevixEnquirerRequest(logger, DatabaseSchema::AutoExecuteUserName);
    upgradeLog.WriteToLog(QStringLiteral("Refreshed Enquiriers - result of OK is ") +
                          (refreshed ? QStringLiteral("True") : QStringLiteral("False")));
    if (refreshed) {
        auto enquirers = std::make_shared<Enquirers>();
        enquirers->SetDataSource(&db);
        enquirers->Load();
        upgradeLog.WriteToLog(QStringLiteral("Adjusting For New Enquirers"));
        EnsureDefaultEnquirerAndReason(enquirers);
        upgradeLog.WriteToLog(QStringLiteral("Applying New Enquirers"));
        enquirers->Apply();
    } else {
        // Not an error: the enquirers can be fetched again from the Admin functions.
        TellUser(QStringLiteral("Could not update Enquiries while upgrading to V1.10 of the database."),
                 QStringLiteral("If you are not installing, please refresh the Enquiriers manually from the "
                                "Admin functions."),
                 MsgBox::Information);
        upgradeLog.WriteToLog(QStringLiteral("User notified of not being able to connect"));
    }
    upgradeLog.WriteToLog(UpgradeComplete);
}

void UpgradeSchemaToV120(CDataBase& db, TextLogFile& upgradeLog)
{
    ApplyChanges(db, upgradeLog, ToV120);
}

void UpgradeSchemaToV121(CDataBase& db, TextLogFile& upgradeLog)
{
    ApplyChanges(db, upgradeLog, ToV121);
}

void UpgradeSchemaToV300(CDataBase& db, TextLogFile& upgradeLog)
{
    ApplyChanges(db, upgradeLog, ToV300);
}

void UpgradeDatabaseSchema(CDataBase& db, const QString& oldVersion, TextLogFile& upgradeLog)
{
    if (!upgradeLog.IsOpen())
        upgradeLog.OpenLogFile();
    upgradeLog.WriteToLog(QStringLiteral("Updating schema to ") + DatabaseSchemaVersion);
    const double version = Val(oldVersion);
    InTransaction(db, [&] {
        // Each test on the version read, so that every missing step runs in turn.
        if (version < 1.1)
            UpgradeSchemaToV110(db, upgradeLog);
        if (version < 1.2)
            UpgradeSchemaToV120(db, upgradeLog);
        if (version < 1.21)
            UpgradeSchemaToV121(db, upgradeLog);
        if (version < 3.0)
            UpgradeSchemaToV300(db, upgradeLog);
        db.UpdateDatabaseSchemaVersion(DatabaseSchemaVersion);
    });
    upgradeLog.WriteToLog(QStringLiteral("Upgrade to schema version ") + DatabaseSchemaVersion +
                          QStringLiteral(" completed"));
}
