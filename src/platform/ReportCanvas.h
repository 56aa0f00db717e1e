#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

// What the reports ask of a printer. Every position and size is in
// millimetres from the top left corner of the printable area; font sizes are
// in points. The current position is the top left corner of the next text
// cell. A failing operation raises NevixError.
class ReportCanvas {
public:
    static constexpr int16_t Portrait = 1;
    static constexpr int16_t Landscape = 2;

    virtual ~ReportCanvas() = default;

    // Starts one print job. Job 0 is the one document of a list; the pages
    // of a record-page run are jobs 1, 2, ... in order.
    virtual void StartJob(int16_t orientation, int32_t jobNumber) = 0;
    virtual void NewPage() = 0;
    // Ends the job and hands it to the printer.
    virtual void EndDoc() = 0;
    // The files of the jobs ended so far, when the canvas prints to files
    // it names itself; none on paper.
    virtual QStringList FilesWritten() const { return {}; }

    virtual void SetFontName(const QString& name) = 0;
    virtual QString FontName() const = 0;
    virtual void SetFontSize(double points) = 0;
    virtual double FontSize() const = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual bool FontBold() const = 0;

    // The printable area of the job's page.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;

    virtual double TextWidth(const QString& text) const = 0;
    // The height of a line of text in the current font.
    virtual double TextHeight(const QString& text) const = 0;

    double CurrentX() const { return m_x; }
    double CurrentY() const { return m_y; }
    void SetCurrentX(double x) { m_x = x; }
    void SetCurrentY(double y) { m_y = y; }

    // Prints at the current position. Without a line feed the current X
    // moves to the end of the text; with one, the current Y moves down by
    // the text height and the current X goes back to 0.
    void Print(const QString& text, bool lineFeed);
    // A line feed without text.
    void LineFeed();
    // Prints characters that make up a rule of a typed box, as Print does.
    // On paper they are the characters; a canvas that keeps text readable
    // may keep them out of it, as they are lines, not words.
    void PrintRule(const QString& text, bool lineFeed);

    // A rectangle outline; the current position ends at (x2, y2).
    void DrawBox(double x1, double y1, double x2, double y2);
    // An image (PNG or another format Qt reads) at its given size.
    virtual void DrawPicture(const QByteArray& image, double x, double y, double width,
                             double height) = 0;

protected:
    virtual void DrawText(const QString& text) = 0;
    virtual void DrawRectangle(double x1, double y1, double x2, double y2) = 0;
    virtual void DrawRuleText(const QString& text) { DrawText(text); }

private:
    void Advance(const QString& text, bool lineFeed);

    double m_x = 0;
    double m_y = 0;
};
