#include "StandardFixture.h"
#include "reports/qt/QtPrinterCanvas.h"
#include "support/PdfTools.h"

#include <QDir>
#include <QFontInfo>
#include <QMap>
#include <QPageSize>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PdfReport : public testing::Test {
protected:
    void SetUp() override
    {
        if (!HasPdfToText())
            GTEST_SKIP() << "poppler-utils is not installed (scripts/common.sh installs it)";
    }

    QString Report(const QString& kind)
    {
        const QString out = dir.filePath(kind + QStringLiteral(".pdf"));
        EXPECT_TRUE(RunTool(QStringLiteral(NEVIX_REPORT_TOOL), {kind, QStringLiteral("--fixture"),
                                                             QStringLiteral("standard"), QStringLiteral("-o"), out}));
        return out;
    }

    QTemporaryDir dir;
};

TEST(ReportFonts, ArialResolvesToLiberationSans)
{
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
}

TEST(ReportFonts, RecordPagesGoToNumberedFiles)
{
    EXPECT_EQ(QtPrinterCanvas::JobFileName(QStringLiteral("/t/r.pdf"), 0), QStringLiteral("/t/r.pdf"));
    EXPECT_EQ(QtPrinterCanvas::JobFileName(QStringLiteral("/t/r.pdf"), 1), QStringLiteral("/t/r-001.pdf"));
    EXPECT_EQ(QtPrinterCanvas::JobFileName(QStringLiteral("/t/r.pdf"), 12), QStringLiteral("/t/r-012.pdf"));
}

TEST_F(PdfReport, EnquiryListIsLandscapeA4WithFooterOnEveryPageAndTheTotals)
{
    const QString pdf = Report(QStringLiteral("enquiries"));
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf}).value_or(QString());
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595 pts"))));
    const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    EXPECT_GE(pages, 2);

    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).value_or(QString());
    EXPECT_EQ(text.count(QStringLiteral("NEVIX Enquiries printed at")), pages);
    EXPECT_EQ(text.count(QStringLiteral("provided by Trelix.")), pages);
    EXPECT_EQ(text.count(QStringLiteral("NEVIX Enquiries\n")) + text.count(QStringLiteral("NEVIX Enquiries ")), 2 * pages);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 2")));
    const int returned = Fixture::Counts::AnsweredEnquiries + Fixture::Counts::OldEnquiries / 2;
    EXPECT_TRUE(text.contains(QStringLiteral("Total number enquiries : %1, number returned : %2")
                                  .arg(Fixture::Counts::LiveEnquiries)
                                  .arg(returned)));

    // The columns keep their places from the printable area's corner.
    const QList<PdfWord> words = PdfWords(pdf);
    EXPECT_NEAR(FirstWordXMm(words, QStringLiteral("VRM/VIN")), PageMm(15), 0.5);
    EXPECT_NEAR(FirstWordXMm(words, QStringLiteral("Date")), PageMm(65), 0.5);

    const QString fonts = RunTool(QStringLiteral("pdffonts"), {pdf}).value_or(QString());
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans")));
}

TEST_F(PdfReport, ResponsesWriteOneFileEachWithoutPageNumbers)
{
    Report(QStringLiteral("responses"));
    const QStringList files = QDir(dir.path()).entryList({QStringLiteral("responses-*.pdf")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), Fixture::Counts::Responses);
    EXPECT_EQ(files.first(), QStringLiteral("responses-001.pdf"));
    for (const QString& file : files) {
        const QString text = RunTool(QStringLiteral("pdftotext"), {dir.filePath(file), QStringLiteral("-")}).value_or(QString());
        EXPECT_TRUE(text.contains(QStringLiteral("NEVIX Vehicle Response"))) << file.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("Page "))) << file.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("responses.pdf"))));
}

TEST_F(PdfReport, EveryKindPrints)
{
    for (const char* kind : {"response-summary", "statements", "statement-summary"}) {
        const QString pdf = Report(QString::fromLatin1(kind));
        const QString first = QString::fromLatin1(kind) == QLatin1String("statements")
                                  ? dir.filePath(QStringLiteral("statements-001.pdf"))
                                  : pdf;
        const QString text = RunTool(QStringLiteral("pdftotext"), {first, QStringLiteral("-")}).value_or(QString());
        EXPECT_TRUE(text.contains(QStringLiteral("provided by Trelix."))) << kind;
    }
}

struct PagedKind {
    const char* kind;
    const char* firstFile; // the file of the first page
    QPageSize::PageSizeId size = QPageSize::A4;
    bool landscape;
};

void PrintTo(const PagedKind& c, std::ostream* os)
{
    *os << c.kind;
}

class EveryReportKind : public PdfReport, public testing::WithParamInterface<PagedKind> {};

// A printer cannot print into the paper's edge: nothing may start or end
// there, on any page.
TEST_P(EveryReportKind, StaysInsideThePrintableArea)
{
    const PagedKind& c = GetParam();
    Report(QString::fromLatin1(c.kind));
    const QStringList files =
        QDir(dir.path()).entryList({QString::fromLatin1(c.kind) + QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    EXPECT_EQ(files.first(), QString::fromLatin1(c.firstFile));
    const QSizeF page = QPageSize(c.size).size(QPageSize::Point);
    const double width = c.landscape ? page.height() : page.width();
    const double edge = PdfOriginMm * PointsPerMm;
    for (const QString& file : files) {
        QMap<int, double> left; // of each page
        double right = 0;
        for (const PdfWord& word : PdfWords(dir.filePath(file))) {
            left[word.page] = std::min(left.value(word.page, width), word.xMin);
            right = std::max(right, word.xMax);
        }
        ASSERT_FALSE(left.isEmpty()) << file.toStdString();
        for (auto it = left.cbegin(); it != left.cend(); ++it)
            EXPECT_GE(it.value(), edge - 1) << file.toStdString() << " page " << it.key();
        EXPECT_LE(right, width - edge + 1) << file.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryReportKind,
    testing::Values(PagedKind{"enquiries", "enquiries.pdf", QPageSize::A4, true},
                    PagedKind{"response-summary", "response-summary.pdf", QPageSize::A4, true},
                    PagedKind{"responses", "responses-001.pdf", QPageSize::A4, false},
                    PagedKind{"statements", "statements-001.pdf", QPageSize::A4, false},
                    PagedKind{"statement-summary", "statement-summary.pdf", QPageSize::A4, true}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.kind);
        return name.replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
    });

} // namespace
