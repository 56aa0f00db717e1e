#include "reports/RecordingCanvas.h"
#include "reports/TransmissionLogReport.h"

#include <gtest/gtest.h>

namespace {

using Kind = RecordingCanvas::Kind;

QStringList Numbered(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return lines;
}

TEST(TransmissionLogReport, TitleDateAndEachListUnderItsHeadingInTheirFonts)
{
    RecordingCanvas canvas;
    canvas.SetFontName(QStringLiteral("Courier"));
    canvas.SetFontSize(9);
    PrintTransmissionLog(canvas, QStringLiteral("Send and receive 15/03/2024"), QDate(2024, 3, 15),
                         {{QStringLiteral("Log details"), {QStringLiteral("a"), QStringLiteral("b")}},
                          {QStringLiteral("Errors and Warnings"), {QStringLiteral("E oops")}}});
    EXPECT_EQ(canvas.Texts(), (QStringList{"Send and receive 15/03/2024", "Friday 15 March 2024", "Log details", "a",
                                           "b", "Errors and Warnings", "E oops"}));
    const auto* title = canvas.Find(QStringLiteral("Send and receive 15/03/2024"));
    EXPECT_DOUBLE_EQ(title->y, 30);
    EXPECT_EQ(title->size, 18);
    EXPECT_TRUE(title->bold);
    EXPECT_EQ(canvas.Find(QStringLiteral("Friday 15 March 2024"))->size, 12);
    EXPECT_TRUE(canvas.Find(QStringLiteral("Log details"))->bold);
    EXPECT_EQ(canvas.Find(QStringLiteral("Log details"))->size, 14);
    EXPECT_FALSE(canvas.Find(QStringLiteral("a"))->bold);
    // A blank line after the date and after each list.
    const double line12 = 12 * RecordingCanvas::HeightPerPoint;
    EXPECT_NEAR(canvas.Find(QStringLiteral("Log details"))->y,
                canvas.Find(QStringLiteral("Friday 15 March 2024"))->y + 2 * line12, 1e-9);
    EXPECT_EQ(canvas.orientation, ReportCanvas::Portrait);
    EXPECT_EQ(canvas.Count(Kind::EndDoc), 1);
    EXPECT_EQ(canvas.FontName(), QStringLiteral("Courier")) << "the font is given back";
    EXPECT_EQ(canvas.FontSize(), 9);
}

TEST(TransmissionLogReport, AnEmptyListOrOneShowingNoItemsPrintsNeitherHeadingNorGap)
{
    for (const QStringList& empty : {QStringList{}, QStringList{QStringLiteral("No items")}}) {
        RecordingCanvas canvas;
        PrintTransmissionLog(canvas, QStringLiteral("T"), QDate(2024, 3, 15),
                             {{QStringLiteral("Log details"), empty},
                              {QStringLiteral("Errors and Warnings"), {QStringLiteral("W x")}}});
        EXPECT_EQ(canvas.Texts(), (QStringList{"T", "Friday 15 March 2024", "Errors and Warnings", "W x"}));
        EXPECT_NEAR(canvas.Find(QStringLiteral("Errors and Warnings"))->y,
                    canvas.Find(QStringLiteral("Friday 15 March 2024"))->y + 2 * 12 * RecordingCanvas::HeightPerPoint,
                    1e-9);
    }
}

TEST(TransmissionLogReport, LinesPastTheBottomGoOnNewPagesAndNoneIsLost)
{
    RecordingCanvas canvas;
    const QStringList lines = Numbered(300);
    PrintTransmissionLog(canvas, QStringLiteral("T"), QDate(2024, 3, 15), {{QStringLiteral("Log"), lines}});
    const QStringList texts = canvas.Texts();
    EXPECT_EQ(texts.mid(3), lines);
    EXPECT_GE(canvas.Count(Kind::NewPage), 4) << "300 lines of 4.8 mm do not fit on fewer pages";
    for (const auto& op : canvas.operations) {
        if (op.kind == Kind::Text) {
            EXPECT_LE(op.y + 12 * RecordingCanvas::HeightPerPoint, canvas.ScaleHeight() + 1e-9) << op.text.toStdString();
        }
    }
    // Each new page starts at its top.
    for (qsizetype i = 0; i + 1 < canvas.operations.size(); ++i) {
        if (canvas.operations[i].kind == Kind::NewPage) {
            EXPECT_DOUBLE_EQ(canvas.operations[i + 1].y, 0);
        }
    }
}

TEST(TransmissionLogReport, ALineWiderThanThePaperGoesOnAsManyLinesAsItNeedsAndLosesNothing)
{
    RecordingCanvas canvas;
    // 12 point: 2.4 mm a character, some 80 of them on the width of A4.
    const QString wide = QStringLiteral("07/12/2026 05:30:46 I ") + QStringLiteral("word ").repeated(60).trimmed();
    const QString title = QStringLiteral("T").repeated(200);
    PrintTransmissionLog(canvas, title, QDate(2024, 3, 15), {{QStringLiteral("Log"), {wide, QStringLiteral("next")}}});
    QStringList printed;
    for (const auto& op : canvas.operations) {
        if (op.kind != Kind::Text)
            continue;
        printed << op.text;
        EXPECT_DOUBLE_EQ(op.x, 0);
        EXPECT_LE(canvas.TextWidth(op.text), canvas.ScaleWidth()) << op.text.toStdString();
    }
    QString expected = title + QStringLiteral("Friday 15 March 2024") + QStringLiteral("Log") + wide +
                       QStringLiteral("next");
    EXPECT_EQ(printed.join(QString()).remove(u' '), expected.remove(u' '));
    EXPECT_GT(printed.size(), 6);
    EXPECT_EQ(printed.last(), QStringLiteral("next"));
}

} // namespace
