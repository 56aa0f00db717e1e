// nevix-shot: draws windows of the program offscreen into PNG files.
#include "FirstStart.h"
#include "ShotDrawing.h"
#include "ToolCommandLine.h"

#include "core/qt/TextBoxStart.h"
#include "platform/NevixError.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <cstdio>

namespace {

const QString NowFormat = QStringLiteral("yyyy-MM-dd hh:mm");

struct Refusal {
    QString text;
};

ShotRequest RequestFrom(const QCommandLineParser& parser)
{
    ShotRequest request;
    if (parser.isSet(QStringLiteral("fixture")) && parser.isSet(QStringLiteral("db")))
        throw Refusal{QStringLiteral("--fixture and --db exclude each other")};
    if (parser.isSet(QStringLiteral("fixture")) &&
        parser.value(QStringLiteral("fixture")) != QLatin1String("standard"))
        throw Refusal{QStringLiteral("Unknown fixture \"") + parser.value(QStringLiteral("fixture")) +
                      QStringLiteral("\" (there is: standard)")};
    request.Database = parser.value(QStringLiteral("db"));
    request.User = parser.value(QStringLiteral("user"));
    if (parser.isSet(QStringLiteral("now"))) {
        request.Now = QDateTime::fromString(parser.value(QStringLiteral("now")), NowFormat);
        if (!request.Now.isValid())
            throw Refusal{QStringLiteral("--now wants \"yyyy-MM-dd hh:mm\", not \"") +
                          parser.value(QStringLiteral("now")) + QLatin1Char('"')};
    } else {
        request.Now = QDateTime::fromString(QDateTime::currentDateTime().toString(NowFormat), NowFormat);
    }
    // Options that are values of the window: the schedule row, the help
    // window's file and topic, the parameters screen's tab, the set-up
    // wizard's step.
    for (const char* option : {"row", "file", "topic", "tab", "step"}) {
        if (parser.isSet(QLatin1String(option)))
            request.Values.insert(QLatin1String(option), parser.value(QLatin1String(option)));
    }
    for (const QString& pair : parser.values(QStringLiteral("set"))) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals <= 0)
            throw Refusal{QStringLiteral("--set wants key=value, not \"") + pair + QLatin1Char('"')};
        request.Values.insert(pair.left(equals), pair.mid(equals + 1));
    }
    return request;
}

void ListEntries()
{
    for (const ShotEntry& entry : ShotEntries())
        std::printf("%-20s %s\n", qUtf8Printable(entry.Name), qUtf8Printable(entry.Description));
}

int DrawOne(const QCommandLineParser& parser)
{
    if (parser.positionalArguments().size() != 1)
        throw Refusal{QStringLiteral("Name one screen (--list shows them), or --all FOLDER")};
    const QString name = parser.positionalArguments().constFirst();
    const ShotEntry* entry = FindShotEntry(name);
    if (!entry)
        throw Refusal{QStringLiteral("No screen \"") + name + QStringLiteral("\" (--list shows them)")};
    const QString file = parser.value(QStringLiteral("o"));
    if (file.isEmpty())
        throw Refusal{QStringLiteral("-o FILE.png names the picture")};
    ShotSession session(RequestFrom(parser));
    if (!DrawShot(*entry, session.Context()).save(file))
        throw Refusal{QStringLiteral("Cannot write ") + file};
    std::printf("wrote %s\n", qUtf8Printable(file));
    return 0;
}

int DrawAll(const QCommandLineParser& parser)
{
    if (!parser.positionalArguments().isEmpty())
        throw Refusal{QStringLiteral("--all draws every screen: name none")};
    const QString folder = parser.value(QStringLiteral("all"));
    for (const QString& file : DrawAllShots(folder, RequestFrom(parser)))
        std::printf("wrote %s\n", qUtf8Printable(file));
    return DrawFirstStart(folder) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows as the program shows them.
    ShowProgramTextsFromTheStart();
    // Without a locale of its own the machine's pictures show dates as in
    // Britain, the program's home, so that they come out the same anywhere.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Draws a window of the program offscreen into a PNG file, on a standard fixture (users admin1, mgr1, "
        "clerk1, nogroup1; logged on: admin1) or on a copy of a database file."));
    parser.addPositionalArgument(QStringLiteral("screen"), QStringLiteral("The window to draw (--list)."));
    parser.addOptions({
        {QStringLiteral("list"), QStringLiteral("Lists the windows.")},
        {QStringLiteral("all"),
         QStringLiteral("Draws every window's pictures and the first start's into FOLDER."),
         QStringLiteral("FOLDER")},
        {QStringLiteral("fixture"), QStringLiteral("The data: standard (the default)."),
         QStringLiteral("NAME")},
        {QStringLiteral("db"), QStringLiteral("The data: a copy of this database file."),
         QStringLiteral("FILE")},
        {QStringLiteral("user"), QStringLiteral("The logged-on user."), QStringLiteral("NAME")},
        {QStringLiteral("now"), QStringLiteral("The present, \"yyyy-MM-dd hh:mm\"."), QStringLiteral("TIME")},
        {QStringLiteral("set"),
         QStringLiteral("A value for the window, or Section/Key=value for the settings file; repeatable."),
         QStringLiteral("key=value")},
        {QStringLiteral("row"), QStringLiteral("The schedule row a schedule window shows."), QStringLiteral("ID")},
        {QStringLiteral("o"), QStringLiteral("The picture to write."), QStringLiteral("FILE.png")},
        {QStringLiteral("file"), QStringLiteral("help: the compiled help file shown."), QStringLiteral("FILE")},
        {QStringLiteral("topic"), QStringLiteral("help: the topic id shown."), QStringLiteral("N")},
        {QStringLiteral("tab"), QStringLiteral("parameters: the tab shown (0 to 5)."), QStringLiteral("N")},
        {QStringLiteral("step"), QStringLiteral("setup: the wizard's step shown (0 to 4)."), QStringLiteral("N")},
    });
    if (const auto end = ReadToolCommandLine(parser, app))
        return *end;
    try {
        if (parser.isSet(QStringLiteral("list"))) {
            ListEntries();
            return 0;
        }
        return parser.isSet(QStringLiteral("all")) ? DrawAll(parser) : DrawOne(parser);
    } catch (const Refusal& refusal) {
        std::fprintf(stderr, "nevix-shot: %s\n", qUtf8Printable(refusal.text));
        return UsageExitCode;
    } catch (const NevixError& e) {
        std::fprintf(stderr, "nevix-shot: %s\n", qUtf8Printable(e.Description()));
        return 1;
    }
}
