// nevix-prepare [--new-database] [--service URL] [FOLDER]: makes a program
// folder ready for a first start (see PrepareProgramFolder): FOLDER, else the
// folder named by NEVIX_HOME; with --service, the enquiry service's address
// goes into its settings file.
#include "PrepareProgramFolder.h"
#include "ToolCommandLine.h"

#include "platform/NevixError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Makes a program folder ready for a first start of Nevix: a new database (Nevix.MDB), the information "
        "file IMPORTANT_INFORMATION.rtf and a settings file (Nevix.INI) naming the database. A folder that "
        "already has its settings file gets no database: a missing one is reported, and made only with "
        "--new-database. Nothing is ever replaced but the service address that --service writes. Start Nevix on "
        "the folder with NEVIX_HOME=FOLDER."));
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The program folder (default: the folder named by NEVIX_HOME)."),
                                 QStringLiteral("[FOLDER]"));
    const QCommandLineOption newDatabase(
        QStringLiteral("new-database"),
        QStringLiteral("Make a new, empty database where the folder's settings file names one that is missing."));
    parser.addOption(newDatabase);
    const QCommandLineOption service(
        QStringLiteral("service"),
        QStringLiteral("Write URL, the enquiry service's address (http or https), as NevixHost under [NevixServer] "
                       "in the settings file, replacing any there."),
        QStringLiteral("URL"));
    parser.addOption(service);
    if (const auto end = ReadToolCommandLine(parser, app))
        return *end;
    const QString serviceUrl = parser.value(service);
    if (parser.isSet(service) && !IsServiceAddress(serviceUrl))
        return RefuseCommandLine(QStringLiteral("--service takes an http or https address with a host, such as "
                                                "http://127.0.0.1:8080/nevix; \"") +
                                 serviceUrl + QStringLiteral("\" is not one. Nothing was made."));
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        return RefuseCommandLine(QStringLiteral("name one program folder"));
    QString folder = folders.isEmpty() ? qEnvironmentVariable("NEVIX_HOME") : folders.first();
    if (folder.isEmpty())
        return RefuseCommandLine(QStringLiteral("name the program folder, or set NEVIX_HOME"));
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    try {
        const QStringList made = PrepareProgramFolder(folder, parser.isSet(newDatabase));
        for (const QString& file : made)
            std::printf("Made %s\n", qUtf8Printable(file));
        if (made.isEmpty())
            std::printf("%s is ready; nothing was made.\n", qUtf8Printable(folder));
        if (parser.isSet(service)) {
            WriteServiceAddress(folder, serviceUrl);
            std::printf("Wrote NevixHost=%s under [NevixServer] in %s/Nevix.INI\n", qUtf8Printable(serviceUrl),
                        qUtf8Printable(folder));
        }
    } catch (const NevixError& e) {
        std::fprintf(stderr, "nevix-prepare: %s\n", qUtf8Printable(e.Description()));
        return 1;
    }
    return 0;
}
