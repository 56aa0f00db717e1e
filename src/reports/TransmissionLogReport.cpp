#include "reports/TransmissionLogReport.h"

#include "accounts/LogDisplay.h"
#include "platform/ReportCanvas.h"

#include <QLocale>

namespace {
void SetFont(ReportCanvas& canvas, double points, bool bold)
{
    canvas.SetFontSize(points);
    canvas.SetFontBold(bold);
}

// Prints one line, on a new page when it would not fit.
void PrintOneLine(ReportCanvas& canvas, const QString& text)
{
    if (canvas.CurrentY() > 0 && canvas.CurrentY() + canvas.TextHeight(text) > canvas.ScaleHeight()) {
        canvas.NewPage();
        canvas.SetCurrentY(0);
    }
    canvas.SetCurrentX(0);
    canvas.Print(text, true);
}

// Prints the text, in as many lines as the paper's width needs: the lists
// wrap to the window's width, which may be wider than the paper, and what
// passes the printable edge would be lost.
void PrintLine(ReportCanvas& canvas, const QString& text)
{
    if (canvas.TextWidth(text) <= canvas.ScaleWidth()) {
        PrintOneLine(canvas, text);
        return;
    }
    QStringList pieces;
    WrappedList paper{pieces, canvas.ScaleWidth(), [&canvas](const QString& piece) { return canvas.TextWidth(piece); }};
    AddWrappedListItem(paper, text);
    for (const QString& piece : pieces)
        PrintOneLine(canvas, piece);
}
} // namespace

void PrintTransmissionLog(ReportCanvas& canvas, const QString& title, const QDate& today,
                          const QList<PrintedLogList>& lists)
{
    const QString fontName = canvas.FontName();
    const double fontSize = canvas.FontSize();
    const bool fontBold = canvas.FontBold();

    canvas.StartJob(ReportCanvas::Portrait, 0);
    canvas.SetFontName(QStringLiteral("Arial"));
    SetFont(canvas, 18, true);
    canvas.SetCurrentY(30);
    PrintLine(canvas, title);

    SetFont(canvas, 12, false);
    PrintLine(canvas, QLocale::c().toString(today, QStringLiteral("dddd dd MMMM yyyy")));
    canvas.SetCurrentY(canvas.CurrentY() + canvas.TextHeight(QStringLiteral("T")));

    for (const auto& list : lists) {
        if (!ListHoldsLines(list.Lines))
            continue;
        SetFont(canvas, 14, true);
        PrintLine(canvas, list.Heading);
        SetFont(canvas, 12, false);
        for (const auto& line : list.Lines)
            PrintLine(canvas, line);
        canvas.SetCurrentY(canvas.CurrentY() + canvas.TextHeight(QStringLiteral("T")));
    }
    canvas.EndDoc();

    canvas.SetFontName(fontName);
    SetFont(canvas, fontSize, fontBold);
}
