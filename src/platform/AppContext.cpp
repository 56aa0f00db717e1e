#include "platform/AppContext.h"

#include "platform/ConsoleUserInteraction.h"

#include <QCoreApplication>
#include <QDir>
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
