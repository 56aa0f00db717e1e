// The stand-in for the remote enquiry service, for running the program by
// hand: nevix-service [--port N] [--script DIR] [--fault KIND[:TYPE]]...
// [--delay SECONDS]
#include "StandInService.h"
#include "ToolCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in enquiry service on loopback."));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to listen on (default 8080; 0: any free one)."),
                                  QStringLiteral("N"), QStringLiteral("8080"));
    const QCommandLineOption script(QStringLiteral("script"),
                                    QStringLiteral("Folder of <type>.xml answers and <type>.hang markers."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral("A fault that strikes once, at the first request it fits (repeatable): hang:TYPE, "
                       "slow:TYPE, drop:TYPE, cut:TYPE, warn-empty, bad-delivery, no-header-reference, "
                       "double-response, bad-statement."),
        QStringLiteral("KIND[:TYPE]"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("How long a slow answer is held (default 5)."),
                                   QStringLiteral("SECONDS"), QStringLiteral("5"));
    parser.addOption(port);
    parser.addOption(script);
    parser.addOption(fault);
    parser.addOption(delay);
    if (const auto end = ReadToolCommandLine(parser, app))
        return *end;
    if (!parser.positionalArguments().isEmpty())
        return RefuseCommandLine(QStringLiteral("unexpected argument: ") + parser.positionalArguments().first());

    bool numeric = false;
    const uint portNumber = parser.value(port).toUInt(&numeric);
    if (!numeric || portNumber > 65535) {
        return RefuseCommandLine(QStringLiteral("not a port number: ") + parser.value(port));
    }
    StandInService service(parser.value(script));
    for (const QString& each : parser.values(fault)) {
        if (!service.AddFault(each)) {
            return RefuseCommandLine(QStringLiteral("not a fault: ") + each);
        }
    }
    const int delaySeconds = parser.value(delay).toInt(&numeric);
    if (!numeric || delaySeconds < 0) {
        return RefuseCommandLine(QStringLiteral("not a number of seconds: ") + parser.value(delay));
    }
    service.SetDelaySeconds(delaySeconds);
    service.SetRequestObserver([](const QString& type) {
        std::printf("%s\n", type.isEmpty() ? "(no message type)" : qPrintable(type));
        std::fflush(stdout);
    });
    SimpleHttpServer server([&service](const SimpleHttpServer::Request& r) { return service.Handle(r); });
    if (!server.Listen(quint16(portNumber))) {
        std::fprintf(stderr, "Cannot listen on 127.0.0.1 port %u\n", portNumber);
        return 1;
    }
    std::printf("Put NevixHost=%s under [NevixServer] in Nevix.INI\n", qPrintable(server.Url()));
    std::fflush(stdout);
    return app.exec();
}
