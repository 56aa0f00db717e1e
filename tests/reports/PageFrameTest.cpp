#include "reports/ReportTestSupport.h"

#include "reports/ReportPage.h"

#include <gtest/gtest.h>

namespace {

using Kind = RecordingCanvas::Kind;

struct Frame {
    explicit Frame(int16_t fontReduce = 0, bool fastPrint = false)
        : page(canvas, ReportRig::Options(fontReduce, fastPrint))
    {
        page.StartDocument(ReportCanvas::Landscape, 0);
        canvas.operations.clear();
    }
    TestWorld world;
    RecordingCanvas canvas;
    ReportPage page;
};

TEST(PageFrame, HeaderPlacesBoxTitlePartyAndPeriod)
{
    Frame f;
    f.page.PrintPageHeader(QStringLiteral("NEVIX Enquiries"), QStringLiteral("Acme Ltd"),
                           QStringLiteral("01/03/2024 to 31/03/2024"));
    const double right = 297 - 10;
    ASSERT_EQ(f.canvas.Count(Kind::Rectangle), 1);
    for (const auto& op : f.canvas.operations)
        if (op.kind == Kind::Rectangle) {
            EXPECT_DOUBLE_EQ(op.x, 46);
            EXPECT_DOUBLE_EQ(op.y, 10);
            EXPECT_DOUBLE_EQ(op.x2, right);
            EXPECT_DOUBLE_EQ(op.y2, 24);
        }
    const auto* title = f.canvas.Find(QStringLiteral("NEVIX Enquiries"));
    ASSERT_TRUE(title);
    EXPECT_DOUBLE_EQ(title->x, 48);
    EXPECT_DOUBLE_EQ(title->y, 10);
    EXPECT_DOUBLE_EQ(title->size, 18);
    EXPECT_TRUE(title->bold);
    const auto* party = f.canvas.Find(QStringLiteral("Acme Ltd"));
    ASSERT_TRUE(party);
    EXPECT_DOUBLE_EQ(party->x, 48);
    EXPECT_DOUBLE_EQ(party->y, 17);
    EXPECT_DOUBLE_EQ(party->size, 14);
    EXPECT_TRUE(party->bold);
    const auto* period = f.canvas.Find(QStringLiteral("01/03/2024 to 31/03/2024"));
    ASSERT_TRUE(period);
    EXPECT_DOUBLE_EQ(period->x + 24 * 12 * RecordingCanvas::WidthPerPoint, right);
    EXPECT_DOUBLE_EQ(period->size, 12);
    EXPECT_EQ(f.canvas.Count(Kind::Picture), 1);
    EXPECT_FALSE(f.canvas.FontBold());
    EXPECT_DOUBLE_EQ(f.canvas.FontSize(), 10);
}

TEST(PageFrame, EmptyPeriodPrintsNoneAndEmptyPartyAnEmptyBoldLine)
{
    Frame f;
    f.page.PrintPageHeader(QStringLiteral("NEVIX Enquiries"), QString(), QString());
    EXPECT_EQ(f.canvas.Texts(), (QStringList{QStringLiteral("NEVIX Enquiries"), QString()}));
    const auto* party = f.canvas.Find(QString());
    EXPECT_TRUE(party->bold);
    EXPECT_DOUBLE_EQ(party->y, 17);
}

TEST(PageFrame, FooterLinesUserVersionAndPageNumber)
{
    Frame f;
    f.page.PrintPageFooter(QStringLiteral("NEVIX Enquiries"), 2);
    const QStringList texts = f.canvas.Texts();
    ASSERT_EQ(texts.size(), 4);
    const auto* first = f.canvas.Find(texts[0]);
    EXPECT_DOUBLE_EQ(first->y, f.page.FooterTop() + 5);
    EXPECT_DOUBLE_EQ(first->x, 10);
    EXPECT_EQ(texts[0], "This page was printed from the NEVIX desktop client system provided by Trelix.");
    EXPECT_EQ(texts[1], "The use of this data is governed by your contract with the DVLA.  Any misuse may result in "
                        "prosecution.");
    EXPECT_EQ(texts[2], "NEVIX Enquiries printed at 10:30 on 15-Mar-24 by ALICE using Nevix Client v3.01");
    const auto* page = f.canvas.Find(QStringLiteral("Page 2"));
    ASSERT_TRUE(page);
    EXPECT_DOUBLE_EQ(page->x + f.canvas.TextWidth(QStringLiteral("Page 2")), 297 - 3);
    EXPECT_DOUBLE_EQ(page->y, f.canvas.Find(texts[2])->y);
}

TEST(PageFrame, PageNumberZeroPrintsNoPage)
{
    Frame f;
    f.page.PrintPageFooter(QStringLiteral("NEVIX Debit Statement"), 0);
    for (const QString& t : f.canvas.Texts())
        EXPECT_FALSE(t.startsWith(QLatin1String("Page")));
}

TEST(PageFrame, FontReduceShrinksEveryFontAndLowersTheFooterTop)
{
    Frame normal;
    Frame reduced(3);
    EXPECT_GT(reduced.page.FooterTop(), normal.page.FooterTop());
    EXPECT_DOUBLE_EQ(reduced.page.FooterTop(), 200 - 3 * 7 * RecordingCanvas::HeightPerPoint - 5);
    EXPECT_DOUBLE_EQ(reduced.canvas.FontSize(), 7);
    reduced.page.PrintPageHeader(QStringLiteral("T"), QStringLiteral("P"), QStringLiteral("R"));
    reduced.page.PrintSectionHeading(QStringLiteral("S"));
    EXPECT_DOUBLE_EQ(reduced.canvas.Find(QStringLiteral("T"))->size, 15);
    EXPECT_DOUBLE_EQ(reduced.canvas.Find(QStringLiteral("P"))->size, 11);
    EXPECT_DOUBLE_EQ(reduced.canvas.Find(QStringLiteral("R"))->size, 9);
    EXPECT_DOUBLE_EQ(reduced.canvas.Find(QStringLiteral("S"))->size, 11);
    EXPECT_DOUBLE_EQ(reduced.canvas.FontSize(), 7);
}

TEST(PageFrame, FastPrintTypesTheBoxAndOtherwiseDrawsOneRectangle)
{
    Frame typed(0, true);
    typed.page.DrawBox(20, 50, 80, 90);
    const double h = typed.canvas.TextHeight(QStringLiteral("|"));
    const double w = typed.canvas.TextWidth(QStringLiteral("_"));
    QList<double> rowYs;
    QList<double> columnXs;
    for (const auto& op : typed.canvas.operations) {
        ASSERT_EQ(op.kind, Kind::Text);
        if (op.text == QLatin1String("_")) {
            if (!rowYs.contains(op.y))
                rowYs << op.y;
            EXPECT_GE(op.x, 20.5);
            EXPECT_LE(op.x + w, 80 + 0.5 + 1e-9);
        } else {
            ASSERT_EQ(op.text, QStringLiteral("|"));
            if (!columnXs.contains(op.x))
                columnXs << op.x;
            EXPECT_LE(op.y + h, 90 + 1e-9);
        }
    }
    EXPECT_EQ(rowYs, (QList<double>{50 - h, 90 - h}));
    EXPECT_EQ(columnXs, (QList<double>{20, 80}));
    EXPECT_DOUBLE_EQ(typed.canvas.CurrentX(), 80);
    EXPECT_DOUBLE_EQ(typed.canvas.CurrentY(), 90);

    Frame drawn(0, false);
    drawn.page.DrawBox(20, 50, 80, 90);
    ASSERT_EQ(drawn.canvas.operations.size(), 1);
    EXPECT_EQ(drawn.canvas.operations[0].kind, Kind::Rectangle);
}

TEST(PageFrame, TypedColumnWithItsStartBelowTheEndPrintsNothing)
{
    Frame typed(0, true);
    typed.page.DrawBox(20, 90, 80, 50);
    for (const auto& op : typed.canvas.operations)
        EXPECT_NE(op.text, QStringLiteral("|"));
}

struct FitCase {
    const char* name;
    QString text;
    double width;
    QString expected;
};

class FitText : public testing::TestWithParam<FitCase> {};

// At 10 pt a character is 2 mm wide.
TEST_P(FitText, KeepsTheLongestPartBelowTheWidth)
{
    Frame f;
    EXPECT_EQ(f.page.FitTextToWidth(GetParam().text, GetParam().width), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(PageFrame, FitText,
                         testing::Values(FitCase{"Shorter", "abcd", 9, "abcd"}, FitCase{"Equal", "abcd", 8, "abc"},
                                         FitCase{"Longer", "abcdefgh", 9, "abcd"}, FitCase{"Empty", "", 0, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageFrame, PrintLineMovesDownByTheMeasuredTextAndBackToTheMargin)
{
    Frame f;
    f.canvas.SetCurrentY(30);
    f.page.PrintLine(QStringLiteral("abc"), 50.0, true);
    EXPECT_DOUBLE_EQ(f.canvas.CurrentY(), 30 + 1.2 * 4);
    EXPECT_DOUBLE_EQ(f.canvas.CurrentX(), 10);
    EXPECT_TRUE(f.canvas.FontBold());
    f.page.PrintLine({}, {}, false);
    EXPECT_FALSE(f.canvas.FontBold());
    EXPECT_EQ(f.canvas.Texts(), QStringList{QStringLiteral("abc")});
}

TEST(PrintRun, EmptyListRaisesPreparingAndDoneOnlyAndWritesNoDocument)
{
    ReportRig rig;
    rig.printer.PrintVehicleEnquiries(std::vector<std::shared_ptr<VQ3>>{});
    rig.printer.PrintVehicleResponses(std::vector<std::shared_ptr<VQ7>>{});
    EXPECT_EQ(rig.events, (QList<int32_t>{1, 3, 1, 3}));
    EXPECT_EQ(rig.rowsSeen, (QList<int32_t>{0, 0, 0, 0}));
    EXPECT_TRUE(rig.canvas.operations.isEmpty());
}

} // namespace
