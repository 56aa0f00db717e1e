#include "startup/CommandLine.h"

CommandLine CommandLine::Parse(const QStringList& arguments)
{
    CommandLine line;
    const auto given = [&](const char* name) {
        return arguments.contains(QLatin1String(name), Qt::CaseInsensitive);
    };
    line.SetClient = given("/setclient");
    line.AutoStart = given("/autostart");
    line.Immediate = given("/immediate");
    line.UnlockAdmin = given("/unlockadmin");
    return line;
}
