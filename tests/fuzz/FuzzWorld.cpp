#include "FuzzWorld.h"

#include "support/FakeClock.h"

#include "core/ApplicationSettings.h"
#include "platform/AppContext.h"
#include "platform/ConsoleUserInteraction.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <ctime>

FuzzWorld& FuzzWorld::Get()
{
    static FuzzWorld world;
    return world;
}

FuzzWorld::FuzzWorld()
{
    const char* london = QFileInfo::exists(QStringLiteral("/usr/share/zoneinfo/Europe/London"))
                             ? "Europe/London"
                             : "GMT0BST,M3.5.0/1,M10.5.0";
    setenv("TZ", london, 1);
    tzset();
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    if (!m_dir.isValid())
        Require(false, "a temporary program folder");
    ReleaseSettings();
    m_scope = std::make_shared<ScopedAppContext>(std::make_shared<AppContext>(
        std::make_shared<FakeClock>(), std::make_shared<ConsoleUserInteraction>(), m_dir.path(),
        QStringLiteral("FUZZPC")));
}

void UseSettingsFile(const QByteArray& ini)
{
    static QByteArray current;
    if (current == ini)
        return;
    QFile file(FuzzWorld::Get().PathOf(QStringLiteral("Nevix.INI")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Require(false, "the settings file can be written");
    file.write(ini);
    file.close();
    Settings().Load();
    current = ini;
}

QString TextOf(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

void Require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}
