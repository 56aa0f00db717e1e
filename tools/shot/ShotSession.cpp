#include "ShotSession.h"

#include "FixtureClock.h"
#include "StandardFixture.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "database/CDataBase.h"
#include "database/GlobalDatabase.h"
#include "platform/AppContext.h"
#include "platform/ConsoleUserInteraction.h"
#include "platform/NevixError.h"
#include "startup/GlobalObjects.h"

#include <QFile>
#include <QFileInfo>

namespace {

NevixError Refused(const QString& text)
{
    return NevixError(ErrorNumbers::ObjectErrorBase, text, QStringLiteral("nevix-shot"));
}

// A copy, so that nothing a window does reaches the file.
Fixture::Folder CopyOf(const QString& database, const QString& folder)
{
    if (!QFileInfo(database).isFile())
        throw Refused(QStringLiteral("No database file ") + database);
    const Fixture::Folder made{folder, folder + QStringLiteral("/Nevix.MDB"),
                               folder + QStringLiteral("/Nevix.INI")};
    if (!QFile::copy(database, made.Database))
        throw Refused(QStringLiteral("Cannot copy the database ") + database);
    QFile::setPermissions(made.Database, QFile::ReadOwner | QFile::WriteOwner);
    const INIFile ini;
    ini.SetIniString(QStringLiteral("Database"), QStringLiteral("Database"), QStringLiteral("+Nevix.MDB"),
                     made.SettingsFile);
    ini.SetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"),
                     QString::number(InstallMode::Standalone), made.SettingsFile);
    return made;
}

std::shared_ptr<User> LoggedOn(CDataBase& db, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    auto user = std::make_shared<User>();
    user->SetDataSource(&db);
    user->LoadByUserName(name);
    if (user->IsNew())
        throw Refused(QStringLiteral("No user ") + name + QStringLiteral(" in the database"));
    return user;
}

} // namespace

ShotContext::ShotContext(CDataBase& db, std::shared_ptr<User> user, QMap<QString, QString> values,
                         QDateTime now)
    : m_db(db), m_user(std::move(user)), m_values(std::move(values)), m_now(std::move(now))
{
}

User& ShotContext::CurrentUser() const
{
    if (!m_user)
        throw Refused(QStringLiteral("This window needs a logged-on user: --user NAME"));
    return *m_user;
}

QString ShotContext::Value(const QString& key, const QString& fallback) const
{
    return m_values.value(key, fallback);
}

bool ShotContext::Flag(const QString& key, bool fallback) const
{
    const QString value = m_values.value(key).trimmed().toLower();
    if (value.isEmpty())
        return fallback;
    return value == QLatin1String("yes") || value == QLatin1String("true") || value == QLatin1String("1");
}

ShotSession::ShotSession(const ShotRequest& request)
{
    if (!m_folder.isValid())
        throw Refused(QStringLiteral("Cannot make a temporary program folder"));
    const Fixture::Folder folder = request.Database.isEmpty()
                                       ? Fixture::Standard(m_folder.path(), request.Now)
                                       : CopyOf(request.Database, m_folder.path());
    QMap<QString, QString> windowValues;
    const INIFile ini;
    for (auto it = request.Values.cbegin(); it != request.Values.cend(); ++it) {
        const QString section = it.key().section(QLatin1Char('/'), 0, 0);
        const QString key = it.key().section(QLatin1Char('/'), 1);
        if (key.isEmpty())
            windowValues.insert(it.key(), it.value());
        else
            ini.SetIniString(section, key, it.value(), folder.SettingsFile);
    }

    ReleaseGlobalObjects();
    m_scope = std::make_unique<ScopedAppContext>(std::make_shared<AppContext>(
        std::make_shared<FixtureClock>(request.Now),
        request.Interaction ? request.Interaction : std::make_shared<ConsoleUserInteraction>(), folder.Path,
        AppContext::Current().computerName()));
    Settings().Load();
    Settings().SetProgramRunningMode(RunningMode::Interactive);
    CDataBase& db = NewGlobalDatabase();
    Fixture::Connect(db, folder);
    const QString userName =
        request.User.isEmpty() && request.Database.isEmpty() ? Fixture::Admin : request.User;
    const auto user = LoggedOn(db, userName);
    SetCurrentUser(user);
    m_context = std::make_unique<ShotContext>(db, user, windowValues, request.Now);
}

ShotSession::~ShotSession()
{
    m_context.reset();
    ReleaseGlobalObjects();
    m_scope.reset();
}
