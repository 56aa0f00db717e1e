#include "reports/qt/QtPrinterCanvas.h"

#include "core/AtomicFile.h"
#include "core/DiskFunctions.h"
#include "platform/NevixError.h"
#include "reports/qt/CurrentPrinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainterPath>
#include <QPrinter>

#include <utility>

QtPrinterCanvas::QtPrinterCanvas()
{
    if (CurrentPrinter::IsPrintToFile()) {
        m_namedAfter = CurrentPrinter::FileName();
        SetUpPdf();
    } else {
        m_printer = CurrentPrinter::MakePrinter();
        m_printer->setFullPage(false);
    }
}

QtPrinterCanvas::QtPrinterCanvas(const QString& pdfPath) : m_pdfPath(pdfPath)
{
    SetUpPdf();
}

void QtPrinterCanvas::SetUpPdf()
{
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    // A file has no unprintable edge of its own, but the paper it is printed
    // on later does: the common edge keeps the reports' origin on the paper.
    m_printer->setFullPage(false);
    m_printer->setPageMargins(QMarginsF(PdfEdgeMm, PdfEdgeMm, PdfEdgeMm, PdfEdgeMm), QPageLayout::Millimeter);
}

QtPrinterCanvas::~QtPrinterCanvas()
{
    try {
        FinishJob();
    } catch (const NevixError&) {
        // The job's file stays unnamed and goes with the private folder.
    }
}

QString QtPrinterCanvas::JobFileName(const QString& pdfPath, int32_t jobNumber)
{
    if (jobNumber == 0)
        return pdfPath;
    const QFileInfo info(pdfPath);
    return info.dir().filePath(QStringLiteral("%1-%2.pdf").arg(info.completeBaseName()).arg(jobNumber, 3, 10,
                                                                                             QLatin1Char('0')));
}

QString QtPrinterCanvas::PrivateJobFile()
{
    if (!m_private) {
        const QFileInfo first(m_namedAfter);
        m_private = std::make_unique<QTemporaryDir>(
            first.dir().filePath(QStringLiteral(".") + first.completeBaseName() + QStringLiteral(".XXXXXX")));
        if (!m_private->isValid())
            throw NevixError(ErrorNumbers::ObjectErrorBase + 1,
                             QStringLiteral("The printer could not start the document: ") + m_private->errorString());
    }
    return m_private->filePath(QStringLiteral("job.pdf"));
}

void QtPrinterCanvas::FinishJob()
{
    if (m_painter.isActive())
        m_painter.end();
    if (m_jobFile.isEmpty())
        return;
    const QString written = std::exchange(m_jobFile, QString());
    QFile::setPermissions(written, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                       QFileDevice::WriteGroup);
    for (int32_t number = 0;; ++number) {
        const QString name = JobFileName(m_namedAfter, number);
        if (NameTaken(name))
            continue;
        QString reason;
        if (AtomicFile::PutInPlace(written, name, AtomicFile::Placement::NewOnly, &reason)) {
            m_written << name;
            return;
        }
        if (!NameTaken(name)) // else taken meanwhile
            throw NevixError(ErrorNumbers::PathFileAccess, QStringLiteral("The report could not be saved as ") +
                                                               name + QStringLiteral(": ") + reason);
    }
}

void QtPrinterCanvas::StartJob(int16_t orientation, int32_t jobNumber)
{
    FinishJob();
    if (!m_pdfPath.isEmpty())
        m_printer->setOutputFileName(JobFileName(m_pdfPath, jobNumber));
    else if (!m_namedAfter.isEmpty())
        m_printer->setOutputFileName(m_jobFile = PrivateJobFile());
    m_printer->setPageOrientation(orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!m_painter.begin(m_printer.get())) {
        m_jobFile.clear();
        throw NevixError(ErrorNumbers::ObjectErrorBase + 1, QStringLiteral("The printer could not start the document."));
    }
    m_painter.setPen(QPen(Qt::black, 0.2 * DotsPerMm()));
    m_painter.setBrush(Qt::NoBrush);
    SetCurrentX(0);
    SetCurrentY(0);
    ApplyFont();
}

void QtPrinterCanvas::NewPage()
{
    if (!m_printer->newPage())
        throw NevixError(ErrorNumbers::ObjectErrorBase + 1, QStringLiteral("The printer could not start a new page."));
    SetCurrentX(0);
    SetCurrentY(0);
}

void QtPrinterCanvas::EndDoc()
{
    FinishJob();
}

void QtPrinterCanvas::SetFontName(const QString& name)
{
    m_font.setFamily(name);
    ApplyFont();
}

void QtPrinterCanvas::SetFontSize(double points)
{
    m_font.setPointSizeF(points);
    ApplyFont();
}

void QtPrinterCanvas::SetFontBold(bool bold)
{
    m_font.setBold(bold);
    ApplyFont();
}

void QtPrinterCanvas::ApplyFont()
{
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

double QtPrinterCanvas::DotsPerMm() const
{
    return m_printer->resolution() / 25.4;
}

double QtPrinterCanvas::ScaleWidth() const
{
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).width() / DotsPerMm();
}

double QtPrinterCanvas::ScaleHeight() const
{
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height() / DotsPerMm();
}

double QtPrinterCanvas::TextWidth(const QString& text) const
{
    return QFontMetricsF(m_font, m_printer.get()).horizontalAdvance(text) / DotsPerMm();
}

double QtPrinterCanvas::TextHeight(const QString&) const
{
    return QFontMetricsF(m_font, m_printer.get()).height() / DotsPerMm();
}

void QtPrinterCanvas::DrawText(const QString& text)
{
    const double ascent = QFontMetricsF(m_font, m_printer.get()).ascent();
    m_painter.drawText(QPointF(CurrentX() * DotsPerMm(), CurrentY() * DotsPerMm() + ascent), text);
}

void QtPrinterCanvas::DrawRuleText(const QString& text)
{
    const double ascent = QFontMetricsF(m_font, m_printer.get()).ascent();
    QPainterPath outline;
    outline.addText(QPointF(CurrentX() * DotsPerMm(), CurrentY() * DotsPerMm() + ascent),
                    QFont(m_font, m_printer.get()), text);
    m_painter.fillPath(outline, m_painter.pen().color());
}

void QtPrinterCanvas::DrawRectangle(double x1, double y1, double x2, double y2)
{
    const double k = DotsPerMm();
    m_painter.drawRect(QRectF(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k)));
}

void QtPrinterCanvas::DrawPicture(const QByteArray& image, double x, double y, double width, double height)
{
    const QImage picture = QImage::fromData(image);
    if (picture.isNull())
        return;
    const double k = DotsPerMm();
    m_painter.drawImage(QRectF(x * k, y * k, width * k, height * k), picture);
}
