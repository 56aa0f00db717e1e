// nevix-report: prints one of the reports into a PDF file, from the
// standard fixture or a copy of a database.
#include "ShotSession.h"
#include "StandardFixture.h"

#include "accounts/Enquirers.h"
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

QString AllEnquirerIds(CDataBase& db)
{
    Enquirers enquirers;
    enquirers.SetDataSource(&db);
    enquirers.Load();
    QStringList ids;
    for (const auto& enquirer : enquirers)
        ids << enquirer->EnquirerId();
    return ids.join(QLatin1Char(','));
}

void Print(const QString& kind, CDataBase& db, PrinterOfData& printer)
{
    const QDate from(2000, 1, 1);
    const QDate to(2100, 12, 31);
    if (kind == QLatin1String("enquiries")) {
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&db, false);
        enquiries.Load(AllEnquirerIds(db));
        enquiries.ReloadAndSortForPrinting();
        printer.PrintVehicleEnquiries(enquiries);
    } else if (kind == QLatin1String("response-summary") || kind == QLatin1String("responses")) {
        VQ7Responses responses;
        responses.SetDataSource(&db, false);
        responses.LoadByWhenReceived(from, to);
        if (kind == QLatin1String("responses"))
            printer.PrintVehicleResponses(responses);
        else
            printer.PrintVehicleResponseSummary(responses);
    } else {
        DebitStatements statements;
        statements.SetDataSource(&db, false);
        statements.LoadByChargePeriodStart(QDateTime(from, QTime()), QDateTime(to, QTime()));
        if (kind == QLatin1String("statements"))
            printer.PrintDebitStatements(statements);
        else
            printer.PrintDebitStatementSummary(statements);
    }
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
    parser.addHelpOption();
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
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 1 || !Kinds.contains(args[0]) || !parser.isSet(QStringLiteral("o"))) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.helpText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("fixture")) && parser.value(QStringLiteral("fixture")) != QLatin1String("standard")) {
        std::fprintf(stderr, "nevix-report: the only fixture is \"standard\"\n");
        return 2;
    }
    bool ok = true;
    const int fontReduce = parser.isSet(QStringLiteral("font-reduce"))
                               ? parser.value(QStringLiteral("font-reduce")).toInt(&ok)
                               : 0;
    if (!ok || fontReduce < 0 || fontReduce > 3) {
        std::fprintf(stderr, "nevix-report: --font-reduce takes 0 to 3\n");
        return 2;
    }
    try {
        ShotRequest request;
        request.Database = parser.value(QStringLiteral("db"));
        request.User = parser.value(QStringLiteral("user"));
        if (parser.isSet(QStringLiteral("now"))) {
            request.Now = QDateTime::fromString(parser.value(QStringLiteral("now")), QStringLiteral("yyyy-MM-dd hh:mm"));
            if (!request.Now.isValid()) {
                std::fprintf(stderr, "nevix-report: --now wants \"yyyy-MM-dd hh:mm\"\n");
                return 2;
            }
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
        Print(args[0], session.Context().Database(), printer);
    } catch (const NevixError& error) {
        std::fprintf(stderr, "nevix-report: %s\n", qPrintable(error.Description()));
        return 1;
    }
    return 0;
}
