// nevix-report: prints one of the reports into a PDF file, from the
// standard fixture or a copy of a database.
#include "ShotSession.h"
#include "StandardFixture.h"
#include "ToolCommandLine.h"

#include "accounts/Enquirers.h"
#include "platform/ConsoleUserInteraction.h"
#include "platform/NevixError.h"
#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"
#include "reports/PrinterOfData.h"
#include "reports/qt/QtPrinterCanvas.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

const QStringList Kinds{"enquiries", "response-summary", "responses", "statements", "statement-summary"};

// Messages go to standard error, as in every tool; a warning or a critical
// one means that the report did not come out whole.
class ReportConsole : public ConsoleUserInteraction {
public:
    int16_t ShowMessageBox(const QString& title, const QString& text, uint32_t style) override
    {
        const uint32_t icon = style & MsgBox::IconMask;
        if (icon == MsgBox::Critical || icon == MsgBox::Exclamation)
            ++m_failures;
        return ConsoleUserInteraction::ShowMessageBox(title, text, style);
    }

    int Failures() const { return m_failures; }

private:
    int m_failures = 0;
};

QStringList AllEnquirerIds(CDataBase& db)
{
    Enquirers enquirers;
    enquirers.SetDataSource(&db);
    enquirers.Load();
    return enquirers.GetEnquirerIds();
}

// What the report is made of, as its collection names it.
QString RecordsOf(const QString& kind)
{
    if (kind == QLatin1String("enquiries"))
        return QStringLiteral("enquiries");
    return kind.startsWith(QLatin1String("response")) ? QStringLiteral("responses") : QStringLiteral("statements");
}

// False when there was nothing of the kind to print.
bool Print(const QString& kind, CDataBase& db, PrinterOfData& printer)
{
    const QDate from(2000, 1, 1);
    const QDate to(2100, 12, 31);
    if (kind == QLatin1String("enquiries")) {
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&db, false);
        enquiries.Load(AllEnquirerIds(db));
        if (enquiries.Count() == 0)
            return false;
        enquiries.ReloadAndSortForPrinting();
        printer.PrintVehicleEnquiries(enquiries);
    } else if (kind == QLatin1String("response-summary") || kind == QLatin1String("responses")) {
        VQ7Responses responses;
        responses.SetDataSource(&db, false);
        responses.LoadByWhenReceived(from, to);
        if (responses.Count() == 0)
            return false;
        if (kind == QLatin1String("responses"))
            printer.PrintVehicleResponses(responses);
        else
            printer.PrintVehicleResponseSummary(responses);
    } else {
        DebitStatements statements;
        statements.SetDataSource(&db, false);
        statements.LoadByChargePeriodStart(QDateTime(from, QTime()), QDateTime(to, QTime()));
        if (statements.Count() == 0)
            return false;
        if (kind == QLatin1String("statements"))
            printer.PrintDebitStatements(statements);
        else
            printer.PrintDebitStatementSummary(statements);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prints a report into a PDF file. Kinds: ") +
                                     Kinds.join(QStringLiteral(", ")));
    parser.addPositionalArgument(QStringLiteral("kind"), Kinds.join(QLatin1Char('|')));
    parser.addOption({QStringLiteral("fixture"), QStringLiteral("standard (the default)"), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("db"), QStringLiteral("A database, copied first"), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("user"), QStringLiteral("The logged-on user"), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("party"), QStringLiteral("The party name of the header"), QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("range"), QStringLiteral("The period of the header"), QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("font-reduce"), QStringLiteral("Points less (0 to 3)"), QStringLiteral("N")});
    parser.addOption({QStringLiteral("fast-print"), QStringLiteral("Typed boxes (1) or drawn (0)"), QStringLiteral("0|1")});
    parser.addOption({QStringLiteral("now"), QStringLiteral("The present, \"yyyy-MM-dd hh:mm\""), QStringLiteral("TIME")});
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The PDF file"),
                      QStringLiteral("OUT.pdf")});
    if (const auto end = ReadToolCommandLine(parser, app))
        return *end;

    const QStringList args = parser.positionalArguments();
    if (args.size() != 1 || !Kinds.contains(args[0]))
        return RefuseCommandLine(QStringLiteral("name one kind of report: ") + Kinds.join(QStringLiteral(", ")));
    if (!parser.isSet(QStringLiteral("o")))
        return RefuseCommandLine(QStringLiteral("-o OUT.pdf names the file to write"));
    if (parser.isSet(QStringLiteral("fixture")) && parser.value(QStringLiteral("fixture")) != QLatin1String("standard"))
        return RefuseCommandLine(QStringLiteral("the only fixture is \"standard\""));
    bool ok = true;
    const int fontReduce = parser.isSet(QStringLiteral("font-reduce"))
                               ? parser.value(QStringLiteral("font-reduce")).toInt(&ok)
                               : 0;
    if (!ok || fontReduce < 0 || fontReduce > 3)
        return RefuseCommandLine(QStringLiteral("--font-reduce takes 0 to 3"));
    const auto console = std::make_shared<ReportConsole>();
    try {
        ShotRequest request;
        request.Database = parser.value(QStringLiteral("db"));
        request.User = parser.value(QStringLiteral("user"));
        request.Interaction = console;
        if (parser.isSet(QStringLiteral("now"))) {
            request.Now = QDateTime::fromString(parser.value(QStringLiteral("now")), QStringLiteral("yyyy-MM-dd hh:mm"));
            if (!request.Now.isValid())
                return RefuseCommandLine(QStringLiteral("--now wants \"yyyy-MM-dd hh:mm\""));
        }
        ShotSession session(request);
        ReportOptions options = ReportOptions::FromSettings();
        options.fontReduce = int16_t(fontReduce);
        if (parser.isSet(QStringLiteral("fast-print")))
            options.fastPrint = parser.value(QStringLiteral("fast-print")) == QLatin1String("1");
        QtPrinterCanvas canvas(parser.value(QStringLiteral("o")));
        PrinterOfData printer(canvas, options);
        printer.SetPartyName(parser.isSet(QStringLiteral("party")) ? parser.value(QStringLiteral("party"))
                                                                    : Fixture::PartyName);
        printer.SetDateRange(parser.value(QStringLiteral("range")));
        if (!Print(args[0], session.Context().Database(), printer)) {
            std::printf("Nothing to print: no %s in %s\n", qUtf8Printable(RecordsOf(args[0])),
                        request.Database.isEmpty() ? "the standard fixture" : qUtf8Printable(request.Database));
            return 0;
        }
    } catch (const NevixError& error) {
        std::fprintf(stderr, "nevix-report: %s\n", qPrintable(error.Description()));
        return 1;
    }
    if (console->Failures() > 0) {
        std::fprintf(stderr, "nevix-report: printing into %s failed (see above)\n",
                     qUtf8Printable(parser.value(QStringLiteral("o"))));
        return 1;
    }
    return 0;
}
