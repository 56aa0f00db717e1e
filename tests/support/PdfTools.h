#pragma once

#include "reports/qt/QtPrinterCanvas.h"

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

// Whether poppler's pdftotext is installed to read printed PDF files back.
inline bool HasPdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// Runs a program; its standard output, or no value when it failed.
inline std::optional<QString> RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << ": " << process.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Where a report's millimetre 0 lies on a PDF page: the printable area's
// top left corner, this far inside the page's edges.
inline constexpr double PdfOriginMm = QtPrinterCanvas::PdfEdgeMm;
inline constexpr double PointsPerMm = 72 / 25.4;

// The page position, in millimetres, of a report's position x (or y).
inline double PageMm(double reportMm)
{
    return PdfOriginMm + reportMm;
}

// One word of a PDF page and its box, in points from the page's top left.
struct PdfWord {
    int page = 0; // from 1
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    QString text;
};

// Every word of a PDF file, page by page (pdftotext -bbox).
inline QList<PdfWord> PdfWords(const QString& pdf)
{
    QList<PdfWord> words;
    const auto xml = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!xml)
        return words;
    static const QRegularExpression item(QStringLiteral(
        "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    int page = 0;
    for (auto it = item.globalMatch(*xml); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words.append({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4)});
    }
    return words;
}

// The x of the first word with this text, in millimetres from the page's
// left edge; -1 when there is none.
inline double FirstWordXMm(const QList<PdfWord>& words, const QString& text)
{
    for (const PdfWord& word : words)
        if (word.text == text)
            return word.xMin / PointsPerMm;
    return -1;
}
