// Makes a program folder ready for a first start: a settings file with the
// defaults and a new database where the settings say. A folder that already
// has its settings file is left alone.
#include "core/INIFile.h"
#include "core/Utils.h"
#include "database/DatabaseSchema.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString folder = AppContext::DefaultProgramFolder();
    const QString settingsFile = folder + QStringLiteral("/Nevix.INI");
    if (QFileInfo::exists(settingsFile))
        return 0;
    try {
        if (!QDir().mkpath(folder))
            throw NevixError(ErrorNumbers::PathFileAccess,
                             QStringLiteral("Cannot create the program folder ") + folder);
        const QString database = QStringLiteral("+Nevix.MDB");
        INIFile().SetIniString(QStringLiteral("Database"), QStringLiteral("Database"), database,
                               settingsFile);
        const QString databaseFile = AppRelativePath(database);
        if (!QFileInfo::exists(databaseFile))
            DatabaseSchema::CreateNewDatabase(databaseFile);
        std::printf("Prepared %s\n", qUtf8Printable(folder));
    } catch (const NevixError& e) {
        std::fprintf(stderr, "nevix-prepare: %s\n", qUtf8Printable(e.Description()));
        return 1;
    }
    return 0;
}
