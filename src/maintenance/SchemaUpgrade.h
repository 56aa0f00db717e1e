#pragma once

#include <QString>

class CDataBase;
class TextLogFile;

// The steps from the earlier versions of the database to the current
// schema. Each writes its lines to the upgrade log, every line before the
// change it announces, and runs inside the caller's transaction.
void UpgradeSchemaToV110(CDataBase& db, TextLogFile& upgradeLog);
void UpgradeSchemaToV120(CDataBase& db, TextLogFile& upgradeLog);
void UpgradeSchemaToV121(CDataBase& db, TextLogFile& upgradeLog);
void UpgradeSchemaToV300(CDataBase& db, TextLogFile& upgradeLog);

// Brings a database of oldVersion (read as a number; text without one
// reads as 0) to the current schema: the steps it lacks and the new
// version in one transaction, so that a failing step leaves the file as it
// was and its error is raised. Opens the upgrade log when it is not open.
void UpgradeDatabaseSchema(CDataBase& db, const QString& oldVersion, TextLogFile& upgradeLog);
