#include "ToolCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

std::optional<int> ReadToolCommandLine(QCommandLineParser& parser, const QCoreApplication& app)
{
    const QCommandLineOption help = parser.addHelpOption();
    // Qt's own process() would end an unknown option with 1, as if the tool
    // had failed at its work.
    if (!parser.parse(app.arguments()))
        return RefuseCommandLine(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::printf("%s", qUtf8Printable(parser.helpText()));
        return 0;
    }
    return std::nullopt;
}

int RefuseCommandLine(const QString& reason)
{
    const QString tool = QCoreApplication::applicationName();
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for its usage.\n", qUtf8Printable(tool), qUtf8Printable(reason),
                 qUtf8Printable(tool));
    return UsageExitCode;
}
