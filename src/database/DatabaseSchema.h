#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CDataBase;

struct ColumnDefinition {
    QString Name;
    QString Type; // as the schema steps write it: "TEXT(50)", "Integer", "Bit", "DATETIME"
    bool AllowNulls = true;
};

struct IndexDefinition {
    QString Name;
    QString Fields;
    bool Primary = false;
    bool Unique = false;
};

struct TableDefinition {
    QString Name;
    std::vector<ColumnDefinition> Columns;
    std::vector<IndexDefinition> Indexes;
};

// The first administrator of a new database (a member of "Administrators");
// the README names the defaults.
struct InitialAdministrator {
    QString UserName = QStringLiteral("ADMIN");
    QString Password = QStringLiteral("ADMIN");
};

// The delivered database: a new file at the current schema version holding
// every table and the rows the program reads but never creates.
class DatabaseSchema {
public:
    // Every table of a new database, in the order they are created.
    static const std::vector<TableDefinition>& Tables();

    // Creates the file, which must not exist yet: it is built under a
    // temporary name beside it and appears only when complete.
    static void CreateNewDatabase(const QString& path, const InitialAdministrator& admin = {});
    // Removes what a CreateNewDatabase of this path left when it was killed.
    // Only for a path no one else is creating a database at.
    static void RemoveUnfinishedDatabases(const QString& path);

    // The definition of one of Tables(); raises NevixError for another name.
    static const TableDefinition& Table(const QString& name);
    static void CreateTable(CDataBase& db, const TableDefinition& table);
    // Databases made by earlier builds lack the tables and columns added
    // since: adds the table, or its columns, that are missing, in one
    // transaction. Nothing to do when all are there.
    static void EnsureTable(CDataBase& db, const QString& name);

    // The steps, on a database reached through db (one transaction each).
    static void CreateTables(CDataBase& db);
    static void InsertDeliveredRows(CDataBase& db, const InitialAdministrator& admin);

    // The schedule rows the program loads but never creates: each is added,
    // set to run never, when missing (with table SCHEDULER when that is
    // missing), in one transaction; rows already there are left alone.
    static inline const QStringList ScheduleIds = {QStringLiteral("HCOMMS"), QStringLiteral("HEXCOM"),
                                                   QStringLiteral("HMAINT"), QStringLiteral("HCOMIM"),
                                                   QStringLiteral("HEXCIM")};
    static void EnsureScheduleRows(CDataBase& db);

    // The built-in account of the unattended runs.
    static inline const QString AutoExecuteUserName = QStringLiteral("AUTOEXECUTE");
    static QString AutoExecutePassword();
};
