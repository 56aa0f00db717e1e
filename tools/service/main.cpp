// The stand-in for the remote enquiry service, for running the program by
// hand: nevix-service [--port N] [--script DIR]
#include "StandInService.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in enquiry service on loopback."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to listen on (0: any free one)."),
                                  QStringLiteral("N"), QStringLiteral("8080"));
    const QCommandLineOption script(QStringLiteral("script"),
                                    QStringLiteral("Folder of <type>.xml answers and <type>.hang markers."),
                                    QStringLiteral("DIR"));
    parser.addOption(port);
    parser.addOption(script);
    parser.process(app);

    bool numeric = false;
    const uint portNumber = parser.value(port).toUInt(&numeric);
    if (!numeric || portNumber > 65535) {
        std::fprintf(stderr, "Not a port number: %s\n", qPrintable(parser.value(port)));
        return 2;
    }
    StandInService service(parser.value(script));
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
