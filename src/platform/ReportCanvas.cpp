#include "platform/ReportCanvas.h"

void ReportCanvas::Print(const QString& text, bool lineFeed)
{
    DrawText(text);
    Advance(text, lineFeed);
}

void ReportCanvas::PrintRule(const QString& text, bool lineFeed)
{
    DrawRuleText(text);
    Advance(text, lineFeed);
}

void ReportCanvas::Advance(const QString& text, bool lineFeed)
{
    if (lineFeed) {
        m_y += TextHeight(text);
        m_x = 0;
    } else {
        m_x += TextWidth(text);
    }
}

void ReportCanvas::DrawBox(double x1, double y1, double x2, double y2)
{
    DrawRectangle(x1, y1, x2, y2);
    m_x = x2;
    m_y = y2;
}

void ReportCanvas::LineFeed()
{
    m_y += TextHeight(QString());
    m_x = 0;
}
