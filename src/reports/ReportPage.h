#pragma once

#include "platform/ReportCanvas.h"
#include "reports/ReportOptions.h"

#include <QString>

#include <optional>

// The page frame every report shares: the page set-up, the header, the
// fixed footer, the text writers and the box. A missing optional argument
// of a writer leaves the canvas's state as it is.
class ReportPage {
public:
    using Text = std::optional<QString>;
    using X = std::optional<double>;
    using Bold = std::optional<bool>;

    ReportPage(ReportCanvas& canvas, const ReportOptions& options);

    ReportCanvas& Canvas() const { return m_canvas; }
    const ReportOptions& Options() const { return m_options; }

    // Sets up the page and computes the margins and limits anew.
    void StartDocument(int16_t orientation, int32_t jobNumber);

    void PrintPageHeader(const QString& title, const QString& partyName, const QString& dateRange);
    // The fixed footer; page number 0 prints no number.
    void PrintPageFooter(const QString& title, int32_t pageNumber);

    void PrintText(const Text& text, X x = {}, Bold bold = {});
    void PrintLine(const Text& text = {}, X x = {}, Bold bold = {});
    void PrintLabelAndValue(const QString& label, const Text& value, double labelX, double valueX);
    void PrintHeadingLine(const QString& text);
    void PrintSectionHeading(const QString& text);
    void PrintTextRightAligned(const QString& text, double width);
    void PrintTextCentred(const QString& text, double width);
    double LineHeight(bool bold);
    QString FitTextToWidth(const QString& text, double width) const;
    void DrawBox(double x1, double y1, double x2, double y2);

    double TopMargin() const { return m_topMargin; }
    double BottomLimit() const { return m_bottomLimit; }
    double LeftMargin() const { return m_leftMargin; }
    double RightLimit() const { return m_rightLimit; }
    double FooterTop() const { return m_footerTop; }
    double TableLeft() const { return m_tableLeft; }

    double BodySize() const { return 10 - m_options.fontReduce; }
    void SetBold(bool bold);

private:
    void TypedBox(double x1, double y1, double x2, double y2);
    void TypedRow(double x1, double x2, double y);
    void TypedColumn(double x, double y1, double y2);

    ReportCanvas& m_canvas;
    ReportOptions m_options;
    double m_topMargin = 10;
    double m_bottomLimit = 0;
    double m_leftMargin = 10;
    double m_rightLimit = 0;
    double m_footerTop = 0;
    double m_tableLeft = 15;
};
