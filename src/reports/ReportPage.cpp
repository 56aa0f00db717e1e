#include "reports/ReportPage.h"

#include "core/VbFormat.h"
#include "platform/AppContext.h"

namespace {
const QString FooterLine1 =
    QStringLiteral("This page was printed from the NEVIX desktop client system provided by Trelix.");
const QString FooterLine2 = QStringLiteral(
    "The use of this data is governed by your contract with the DVLA.  Any misuse may result in prosecution.");
const QString ClientVersion = QStringLiteral("3.01");
} // namespace

ReportPage::ReportPage(ReportCanvas& canvas, const ReportOptions& options)
    : m_canvas(canvas), m_options(options)
{
}

void ReportPage::StartDocument(int16_t orientation, int32_t jobNumber)
{
    m_canvas.StartJob(orientation, jobNumber);
    m_canvas.SetFontName(QStringLiteral("Arial"));
    m_canvas.SetFontSize(BodySize());
    m_topMargin = 10;
    m_leftMargin = 10;
    m_rightLimit = m_canvas.ScaleWidth() - 10;
    m_bottomLimit = m_canvas.ScaleHeight() - 10;
    m_footerTop = m_bottomLimit - 3 * m_canvas.TextHeight(QStringLiteral("Q")) - 5;
    m_tableLeft = m_leftMargin + 5;
}

void ReportPage::PrintPageHeader(const QString& title, const QString& partyName, const QString& dateRange)
{
    m_canvas.SetCurrentY(m_topMargin);
    if (!m_options.logo.image.isEmpty())
        m_canvas.DrawPicture(m_options.logo.image, m_leftMargin, m_topMargin - 0.5, m_options.logo.width,
                             m_options.logo.height);
    DrawBox(m_leftMargin + 36, m_topMargin, m_rightLimit, m_topMargin + 14);
    m_canvas.SetCurrentX(m_leftMargin + 38);
    m_canvas.SetCurrentY(m_topMargin);
    m_canvas.SetFontSize(18 - m_options.fontReduce);
    PrintText(title, {}, true);
    if (!dateRange.isEmpty()) {
        m_canvas.SetFontSize(12 - m_options.fontReduce);
        m_canvas.SetCurrentY(m_canvas.CurrentY() + 2);
        PrintTextRightAligned(dateRange, m_rightLimit - m_canvas.CurrentX());
    }
    m_canvas.SetCurrentX(m_leftMargin + 38);
    m_canvas.SetCurrentY(m_topMargin + 7);
    m_canvas.SetFontSize(14 - m_options.fontReduce);
    PrintLine(partyName, {}, true);
    SetBold(false);
    m_canvas.SetFontSize(BodySize());
    PrintLine();
}

void ReportPage::PrintPageFooter(const QString& title, int32_t pageNumber)
{
    m_canvas.SetCurrentY(m_footerTop + 5);
    m_canvas.SetCurrentX(m_leftMargin);
    m_canvas.SetFontSize(BodySize());
    PrintLine(FooterLine1, {}, false);
    PrintLine(FooterLine2);
    const QDateTime now = AppContext::Current().clock().Now();
    const QString line3 = title + QStringLiteral(" printed at ") + FormatDateTime(now, QStringLiteral("hh:nn")) +
                          QStringLiteral(" on ") + FormatDateTime(now, QStringLiteral("dd-mmm-yy")) +
                          QStringLiteral(" by ") + m_options.userName + QStringLiteral(" using Nevix Client v") +
                          ClientVersion;
    PrintText(line3, {}, false);
    if (pageNumber != 0) {
        const QString page = QStringLiteral("Page ") + QString::number(pageNumber);
        m_canvas.SetCurrentX(m_canvas.ScaleWidth() - m_canvas.TextWidth(page) - 3);
        PrintText(page);
    }
}

void ReportPage::SetBold(bool bold)
{
    if (m_canvas.FontBold() != bold)
        m_canvas.SetFontBold(bold);
}

void ReportPage::PrintText(const Text& text, X x, Bold bold)
{
    if (bold)
        SetBold(*bold);
    if (x)
        m_canvas.SetCurrentX(*x);
    if (text)
        m_canvas.Print(*text, false);
}

void ReportPage::PrintLine(const Text& text, X x, Bold bold)
{
    QString measured;
    if (!text) {
        if (bold)
            SetBold(*bold);
        measured = QStringLiteral("M");
    } else {
        PrintText(text, x, bold);
        measured = *text;
    }
    m_canvas.SetCurrentY(m_canvas.CurrentY() + 1.2 * m_canvas.TextHeight(measured));
    m_canvas.SetCurrentX(m_leftMargin);
}

void ReportPage::PrintLabelAndValue(const QString& label, const Text& value, double labelX, double valueX)
{
    PrintText(label, labelX, true);
    PrintLine(value.value_or(QString()), valueX, false);
}

void ReportPage::PrintHeadingLine(const QString& text)
{
    m_canvas.SetCurrentX(m_leftMargin);
    m_canvas.SetFontSize(14 - m_options.fontReduce);
    PrintLine(text, {}, true);
    m_canvas.SetFontSize(BodySize());
}

void ReportPage::PrintSectionHeading(const QString& text)
{
    m_canvas.SetCurrentY(m_canvas.CurrentY() + 4);
    PrintHeadingLine(text);
    m_canvas.SetCurrentY(m_canvas.CurrentY() + 2);
}

void ReportPage::PrintTextRightAligned(const QString& text, double width)
{
    m_canvas.SetCurrentX(m_canvas.CurrentX() + width - m_canvas.TextWidth(text));
    m_canvas.Print(text, false);
}

void ReportPage::PrintTextCentred(const QString& text, double width)
{
    const double start = m_canvas.CurrentX();
    m_canvas.SetCurrentX(start + (width - m_canvas.TextWidth(text)) / 2);
    m_canvas.Print(text, false);
    m_canvas.SetCurrentX(start + width);
}

double ReportPage::LineHeight(bool bold)
{
    const bool previous = m_canvas.FontBold();
    SetBold(bold);
    const double height = 1.2 * m_canvas.TextHeight(QStringLiteral("My"));
    SetBold(previous);
    return height;
}

QString ReportPage::FitTextToWidth(const QString& text, double width) const
{
    if (m_canvas.TextWidth(text) < width)
        return text;
    QString fitted;
    for (const QChar c : text) {
        if (m_canvas.TextWidth(fitted + c) >= width)
            break;
        fitted += c;
    }
    return fitted;
}

void ReportPage::DrawBox(double x1, double y1, double x2, double y2)
{
    if (m_options.fastPrint)
        TypedBox(x1, y1, x2, y2);
    else
        m_canvas.DrawBox(x1, y1, x2, y2);
}

// Typed with characters, which text printers print faster than lines.
void ReportPage::TypedBox(double x1, double y1, double x2, double y2)
{
    const double h = m_canvas.TextHeight(QStringLiteral("|"));
    const double w = m_canvas.TextWidth(QStringLiteral("_"));
    if (h <= 0 || w <= 0) {
        // Nothing to type with: the loops would never end.
        m_canvas.DrawBox(x1, y1, x2, y2);
        return;
    }
    TypedRow(x1, x2, y1 - h);
    TypedRow(x1, x2, y2 - h);
    TypedColumn(x1, y1, y2);
    TypedColumn(x2, y1, y2);
    m_canvas.SetCurrentX(x2);
    m_canvas.SetCurrentY(y2);
}

void ReportPage::TypedRow(double x1, double x2, double y)
{
    const QString underscore = QStringLiteral("_");
    const double w = m_canvas.TextWidth(underscore);
    const double qw = w * 25 / 100;
    m_canvas.SetCurrentX(x1 + 0.5);
    m_canvas.SetCurrentY(y);
    while (m_canvas.CurrentX() < x2) {
        m_canvas.PrintRule(underscore, false);
        m_canvas.SetCurrentX(m_canvas.CurrentX() - qw);
        if (m_canvas.CurrentX() + w > x2) {
            m_canvas.SetCurrentX(x2 - w + 0.5);
            m_canvas.PrintRule(underscore, false);
            break;
        }
    }
    m_canvas.LineFeed();
}

void ReportPage::TypedColumn(double x, double y1, double y2)
{
    const QString bar = QStringLiteral("|");
    const double h = m_canvas.TextHeight(bar);
    const double qh = h * 25 / 100;
    m_canvas.SetCurrentY(y1 - qh);
    while (m_canvas.CurrentY() < y2) {
        m_canvas.SetCurrentX(x);
        m_canvas.PrintRule(bar, true);
        m_canvas.SetCurrentY(m_canvas.CurrentY() - qh);
        if (m_canvas.CurrentY() + h > y2) {
            m_canvas.SetCurrentY(y2 - h);
            m_canvas.SetCurrentX(x);
            m_canvas.PrintRule(bar, false);
            break;
        }
    }
}
