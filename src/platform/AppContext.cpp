#include "platform/AppContext.h"

#include "platform/ConsoleUserInteraction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <unistd.h>

namespace {
std::shared_ptr<AppContext>& Slot()
{
    static std::shared_ptr<AppContext> current;
    return current;
}

QString CleanFolder(const QString& folder)
{
    QString path = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    if (QFileInfo(path).isRelative())
        path = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    return path;
}
} // namespace

AppContext::AppContext(std::shared_ptr<Clock> clock, std::shared_ptr<UserInteraction> ui,
                       QString programFolder, QString computerName)
    : m_clock(std::move(clock)), m_ui(std::move(ui)),
      m_programFolder(CleanFolder(programFolder)), m_computerName(std::move(computerName))
{
}

AppContext& AppContext::Current()
{
    auto& slot = Slot();
    if (!slot)
        slot = MakeDefault(std::make_shared<ConsoleUserInteraction>());
    return *slot;
}

void AppContext::Install(std::shared_ptr<AppContext> context)
{
    Slot() = std::move(context);
}

QString AppContext::DefaultProgramFolder()
{
    const QString home = qEnvironmentVariable("NEVIX_HOME");
    if (!home.isEmpty())
        return CleanFolder(home);
    if (QCoreApplication::instance())
        return CleanFolder(QCoreApplication::applicationDirPath());
    return CleanFolder(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()
                           .section(QLatin1Char('/'), 0, -2));
}

QString AppContext::SystemComputerName()
{
    char buffer[512] = {};
    if (gethostname(buffer, sizeof buffer - 1) != 0)
        return {};
    return QString::fromLocal8Bit(buffer).section(QLatin1Char('.'), 0, 0);
}

QString AppContext::SystemMachineId()
{
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        QFile file(QString::fromLatin1(path));
        if (file.open(QIODevice::ReadOnly)) {
            const QString id = QString::fromLatin1(file.readLine(64)).trimmed();
            if (!id.isEmpty())
                return id;
        }
    }
    return {};
}

QString AppContext::computerId() const
{
    if (!m_computerId.isEmpty())
        return m_computerId;
    static const QString machine = [] {
        const QString id = SystemMachineId();
        return id.isEmpty() ? QSysInfo::machineHostName() : id;
    }();
    return machine + u'/' + m_computerName;
}

std::shared_ptr<AppContext> AppContext::MakeDefault(std::shared_ptr<UserInteraction> ui)
{
    return std::make_shared<AppContext>(std::make_shared<SystemClock>(), std::move(ui),
                                        DefaultProgramFolder(), SystemComputerName());
}

ScopedAppContext::ScopedAppContext(std::shared_ptr<AppContext> context)
    : m_previous(Slot())
{
    AppContext::Install(std::move(context));
}

ScopedAppContext::~ScopedAppContext()
{
    AppContext::Install(std::move(m_previous));
}
