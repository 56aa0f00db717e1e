#pragma once

#include "platform/ReportCanvas.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QPrinter;

// A canvas on a QPrinter: the program's current printer (its driver's
// printable area) or PDF files on A4, whose printable area lies PdfEdgeMm
// inside every edge of the page. Millimetres become device units, from the
// top left corner of the printable area; fonts keep their points and are
// measured on the device.
class QtPrinterCanvas : public ReportCanvas {
public:
    // The unprintable edge of a PDF page (a quarter inch, common to most
    // printers), so that a PDF printed on paper loses nothing.
    static constexpr double PdfEdgeMm = 6.35;

    // The program's current printer. Printing to a file, each job takes the
    // first name of "<name>.pdf", "<name>-001.pdf", ... that nothing has
    // (no file, folder or symbolic link), so that no print replaces another.
    QtPrinterCanvas();
    // PDF: a list goes to pdfPath; the record pages of a run go to
    // "<name>-001.pdf", "<name>-002.pdf", ... beside it.
    explicit QtPrinterCanvas(const QString& pdfPath);
    ~QtPrinterCanvas() override;

    void StartJob(int16_t orientation, int32_t jobNumber) override;
    void NewPage() override;
    void EndDoc() override;
    QStringList FilesWritten() const override { return m_written; }
    void SetFontName(const QString& name) override;
    QString FontName() const override { return m_font.family(); }
    void SetFontSize(double points) override;
    double FontSize() const override { return m_font.pointSizeF(); }
    void SetFontBold(bool bold) override;
    bool FontBold() const override { return m_font.bold(); }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    void DrawPicture(const QByteArray& image, double x, double y, double width, double height) override;

    // The file a job writes to.
    static QString JobFileName(const QString& pdfPath, int32_t jobNumber);

protected:
    void DrawText(const QString& text) override;
    void DrawRectangle(double x1, double y1, double x2, double y2) override;
    // The characters' outlines: the same marks on the page, but no text in
    // the file, so that the file's text starts with the report's own words.
    void DrawRuleText(const QString& text) override;

private:
    void SetUpPdf();
    // Ends the job under way; a job printed to a file of the canvas's own
    // naming then takes its name.
    void FinishJob();
    QString PrivateJobFile();
    double DotsPerMm() const;
    void ApplyFont();

    std::unique_ptr<QPrinter> m_printer;
    QString m_pdfPath;
    // Printing to files of its own naming: the first name of the series.
    QString m_namedAfter;
    // Where the job is written before it takes its name: a folder only
    // this user can enter, beside the named files.
    std::unique_ptr<QTemporaryDir> m_private;
    QString m_jobFile;
    QStringList m_written;
    QPainter m_painter;
    QFont m_font;
};
