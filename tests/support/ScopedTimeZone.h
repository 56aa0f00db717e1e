#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

#include "platform/LocalZone.h"

// Sets the process's time zone (TZ) for one test and puts the old one back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const QByteArray& zone)
        : m_hadZone(qEnvironmentVariableIsSet("TZ")), m_saved(qgetenv("TZ"))
    {
        LocalZone::Use(&zone);
    }
    ~ScopedTimeZone() { LocalZone::Use(m_hadZone ? &m_saved : nullptr); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

    // London by its zone file, or by the same rule where zone files are
    // missing.
    static QByteArray London()
    {
        if (QFileInfo::exists(QStringLiteral("/usr/share/zoneinfo/Europe/London")))
            return "Europe/London";
        return "GMT0BST,M3.5.0/1,M10.5.0";
    }
    static QByteArray NewYork()
    {
        if (QFileInfo::exists(QStringLiteral("/usr/share/zoneinfo/America/New_York")))
            return "America/New_York";
        return "EST5EDT,M3.2.0,M11.1.0";
    }

private:
    bool m_hadZone;
    QByteArray m_saved;
};
