#include "PrepareProgramFolder.h"

#include "core/AtomicFile.h"
#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "core/Utils.h"
#include "database/DatabaseSchema.h"
#include "platform/NevixError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {
const QString DatabaseGroup = QStringLiteral("Database");
const QString DefaultDatabase = QStringLiteral("+Nevix.MDB");
const QString InformationFile = QStringLiteral("IMPORTANT_INFORMATION.rtf");
} // namespace

bool CopyInformationFile(const QString& folder)
{
    const QString target = folder + QLatin1Char('/') + InformationFile;
    if (QFileInfo::exists(target))
        return false;
    QFile source(QStringLiteral(":/prepare/") + InformationFile);
    QString error;
    if (!source.open(QIODevice::ReadOnly) || !AtomicFile::Write(target, source.readAll(), &error, AtomicFile::Placement::NewOnly))
        throw NevixError(ErrorNumbers::PathFileAccess,
                         QStringLiteral("Cannot write ") + target + QStringLiteral(": ") + error);
    return true;
}

QStringList PrepareProgramFolder(const QString& folder, bool newDatabase)
{
    if (!QDir().mkpath(folder))
        throw NevixError(ErrorNumbers::PathFileAccess,
                         QStringLiteral("Cannot create the program folder ") + folder);
    const QString settingsFile = folder + QStringLiteral("/Nevix.INI");
    const bool hasSettings = QFileInfo::exists(settingsFile);
    const INIFile ini;
    QString database = DefaultDatabase;
    bool client = false;
    if (hasSettings) {
        database = ini.GetIniString(DatabaseGroup, DatabaseGroup, QString(), settingsFile);
        if (database.isEmpty())
            database = DefaultDatabase;
        client = ini.GetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"),
                                  QString(), settingsFile)
                     .toInt() == InstallMode::Client;
    }

    const QString databaseFile = ResolvePath(database, folder);
    const bool hasDatabase = QFileInfo::exists(databaseFile);
    if (newDatabase && hasDatabase)
        throw NevixError(ErrorNumbers::PathFileAccess,
                         QStringLiteral("The database ") + databaseFile +
                             QStringLiteral(" exists; a database is never replaced. Nothing was made."));
    if (hasSettings && !hasDatabase && client)
        throw NevixError(ErrorNumbers::PathNotFound,
                         QStringLiteral("The database ") + databaseFile + QStringLiteral(" named in ") + settingsFile +
                             QStringLiteral(" cannot be found. It is the server's database of this client "
                                            "installation: none is made in its place. Nothing was made."));
    if (hasSettings && !hasDatabase && !newDatabase)
        throw NevixError(ErrorNumbers::PathNotFound,
                         QStringLiteral("The database ") + databaseFile + QStringLiteral(" named in ") + settingsFile +
                             QStringLiteral(" cannot be found. Nothing was made. If it is only out of reach, make "
                                            "it reachable; to start again with a new, empty database there: "
                                            "nevix-prepare --new-database ") +
                             folder);

    QStringList made;
    const bool makeDatabase = !hasDatabase;
    // The program cannot run without its settings, nor make a database
    // where there is none: what lies about then is a stopped run's.
    if (makeDatabase || !hasSettings)
        DatabaseSchema::RemoveUnfinishedDatabases(databaseFile);
    if (!hasSettings)
        AtomicFile::RemoveUnfinished(settingsFile);
    if (makeDatabase) {
        DatabaseSchema::CreateNewDatabase(databaseFile);
        made << databaseFile;
    }
    if (!hasSettings && CopyInformationFile(folder))
        made << folder + QLatin1Char('/') + InformationFile;
    if (!hasSettings) {
        ini.SetIniString(DatabaseGroup, DatabaseGroup, database, settingsFile);
        made << settingsFile;
    }
    return made;
}

bool IsServiceAddress(const QString& url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    return parsed.isValid() && (parsed.scheme() == QLatin1String("http") || parsed.scheme() == QLatin1String("https")) &&
           !parsed.host().isEmpty();
}

void WriteServiceAddress(const QString& folder, const QString& url)
{
    INIFile().SetIniString(QStringLiteral("NevixServer"), QStringLiteral("NevixHost"), url,
                           folder + QStringLiteral("/Nevix.INI"));
}
