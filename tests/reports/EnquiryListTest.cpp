#include "reports/ReportTestSupport.h"

#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "reports/GroupedList.h"
#include "reports/ReportPage.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using Enquiries = std::vector<std::shared_ptr<VQ3>>;

QString EnqTotal(const QString& key, int count, int returned)
{
    return QStringLiteral("Number of enquiries for %1 : %2, number returned : %3").arg(key).arg(count).arg(returned);
}

QString ReasonTotal(const QString& key, int count, int returned)
{
    return QStringLiteral("  ") + EnqTotal(key, count, returned);
}

QString Closing(int count, int returned)
{
    return QStringLiteral("Total number enquiries : %1, number returned : %2").arg(count).arg(returned);
}

const QStringList Headings{"VRM/VIN", "Date of Event", "Date of Enquiry", "HC", "Enquiry Reference", "Sent",
                           "Received"};

QStringList Heading(const QString& text)
{
    return QStringList{text} + Headings;
}

TEST(EnquiryList, OneSentEnquiryWithoutResponse)
{
    ReportRig rig;
    auto e = Enquiry("Acme", "Parking", "AB12CDE");
    e->SetWhenSent(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    rig.printer.PrintVehicleEnquiries(Enquiries{e});
    const QStringList expected = Heading("Acme - Parking") +
                                 QStringList{"AB12CDE", "01/03/2024", "02/03/2024", "", "", "05/03/2024  14:07", ""} +
                                 QStringList{EnqTotal("Acme", 1, 0), ReasonTotal("Parking", 1, 0), Closing(1, 0)};
    QStringList texts = rig.canvas.Texts();
    const int start = int(texts.indexOf(QStringLiteral("Acme - Parking")));
    ASSERT_GE(start, 0);
    EXPECT_EQ(texts.mid(start, expected.size()), expected);
    EXPECT_TRUE(rig.canvas.Find(QStringLiteral("Acme - Parking"))->bold);
    EXPECT_TRUE(rig.canvas.Find(Closing(1, 0))->bold);
    EXPECT_EQ(texts.last(), QStringLiteral("Page 1"));
    EXPECT_EQ(rig.canvas.Find(QStringLiteral("VRM/VIN"))->x, 15);
    EXPECT_EQ(rig.canvas.Find(QStringLiteral("Received"))->x, 235);
    EXPECT_EQ(rig.canvas.operations.last().kind, RecordingCanvas::Kind::EndDoc);
    EXPECT_EQ(rig.canvas.orientation, ReportCanvas::Landscape);
    EXPECT_EQ(rig.events, (QList<int32_t>{1, 2, 3}));
}

struct GroupingCase {
    const char* name;
    Enquiries enquiries;
    QStringList expected; // the body lines, without the column headings and the rows
};

class Grouping : public testing::TestWithParam<GroupingCase> {};

TEST_P(Grouping, PrintsHeadingsAndTotalsInOrder)
{
    ReportRig rig;
    rig.printer.PrintVehicleEnquiries(GetParam().enquiries);
    QStringList lines;
    for (const QString& t : BodyTexts(rig.canvas))
        if (!Headings.contains(t) && !t.startsWith(QLatin1String("V")) && !t.contains(QLatin1Char('/')) &&
            t != QLatin1String("Y"))
            lines << t;
    EXPECT_EQ(lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EnquiryList, Grouping,
    testing::Values(
        GroupingCase{"KeysDifferingInCaseAreOneGroup",
                     {Enquiry("Acme", "Parking", "V1", true), Enquiry("ACME", "PARKING", "V2")},
                     {"Acme - Parking", EnqTotal("Acme", 2, 1), ReasonTotal("Parking", 2, 1), Closing(2, 1)}},
        GroupingCase{"SecondReasonClosesTheFirst",
                     {Enquiry("Acme", "Parking", "V1", true), Enquiry("Acme", "Speeding", "V2"),
                      Enquiry("Acme", "Speeding", "V3", true)},
                     {"Acme - Parking", ReasonTotal("Parking", 1, 1), "Acme - Speeding", EnqTotal("Acme", 3, 2),
                      ReasonTotal("Speeding", 2, 1), Closing(3, 2)}},
        GroupingCase{"EmptyFirstEnquirerOpensItsGroup",
                     {Enquiry("", "Parking", "V1"), Enquiry("", "Parking", "V2"), Enquiry("Acme", "Parking", "V3")},
                     {EnqTotal("", 2, 0), ReasonTotal("Parking", 2, 0), "Acme - Parking", EnqTotal("Acme", 1, 0),
                      ReasonTotal("Parking", 1, 0), Closing(3, 0)}},
        GroupingCase{"EmptyFirstReasonOpensItsSubGroup",
                     {Enquiry("Acme", "", "V1"), Enquiry("Acme", "Parking", "V2")},
                     {"Acme - ", ReasonTotal("", 1, 0), "Acme - Parking", EnqTotal("Acme", 2, 0),
                      ReasonTotal("Parking", 1, 0), Closing(2, 0)}},
        GroupingCase{"NewEnquirerClosesASharedReason",
                     {Enquiry("Acme", "Parking", "V1", true), Enquiry("Bolt", "Parking", "V2"),
                      Enquiry("Bolt", "Parking", "V3")},
                     {"Acme - Parking", EnqTotal("Acme", 1, 1), ReasonTotal("Parking", 1, 1), "Bolt - Parking",
                      EnqTotal("Bolt", 2, 0), ReasonTotal("Parking", 2, 0), Closing(3, 1)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EnquiryList, EmptyEnquirerHeadingIsAnEmptyBoldLine)
{
    ReportRig rig;
    rig.printer.PrintVehicleEnquiries(Enquiries{Enquiry("", "Parking", "V1")});
    const QStringList texts = rig.canvas.Texts();
    const int headings = int(texts.indexOf(QStringLiteral("VRM/VIN")));
    ASSERT_GT(headings, 0);
    EXPECT_EQ(texts[headings - 1], QString());
    int emptyBold = 0;
    for (const auto& op : rig.canvas.operations)
        if (op.kind == RecordingCanvas::Kind::Text && op.text.isEmpty() && op.bold && op.x == 10)
            ++emptyBold;
    EXPECT_GE(emptyBold, 1);
}

Enquiries Many(int n, int perGroup)
{
    Enquiries list;
    for (int i = 0; i < n; ++i)
        list.push_back(Enquiry(QStringLiteral("E%1").arg(i / perGroup), QStringLiteral("R%1").arg(i / 3),
                               QStringLiteral("V%1").arg(i), i % 2 == 0));
    return list;
}

TEST(EnquiryList, PageBreaksRepeatTheGroupHeadingAndNumberThePages)
{
    ReportRig rig;
    rig.printer.PrintVehicleEnquiries(Many(60, 100));
    ASSERT_GE(rig.canvas.Count(RecordingCanvas::Kind::NewPage), 1);
    const QStringList page2 = rig.PageTexts(2);
    EXPECT_EQ(page2.first(), QStringLiteral("NEVIX Enquiries"));
    const int heading = int(page2.indexOf(QRegularExpression(QStringLiteral("^E0 - R\\d+$"))));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(page2.mid(heading + 1, Headings.size()), Headings);
    EXPECT_TRUE(rig.PageTexts(1).contains(QStringLiteral("Page 1")));
    EXPECT_TRUE(page2.contains(QStringLiteral("Page 2")));
    EXPECT_EQ(rig.canvas.Count(RecordingCanvas::Kind::StartJob), 1);
}

// Totals and headings never pass the footer top; only a row may reach into
// the gap above the footer.
TEST(EnquiryList, TotalsAndHeadingsStayAboveTheFooterTop)
{
    for (const int perGroup : {2, 3, 5, 7}) {
        ReportRig rig;
        ReportPage page(rig.canvas, ReportRig::Options(0, false));
        page.StartDocument(ReportCanvas::Landscape, 0);
        const double footerTop = page.FooterTop();
        rig.canvas.operations.clear();
        rig.printer.PrintVehicleEnquiries(Many(150, perGroup));
        const double line = 1.2 * 10 * RecordingCanvas::HeightPerPoint;
        for (const auto& op : rig.canvas.operations) {
            if (op.kind != RecordingCanvas::Kind::Text)
                continue;
            if (op.text.contains(QLatin1String("Number of enquiries")) || op.text.contains(QLatin1String(" - "))) {
                EXPECT_LE(op.y + line, footerTop + 1e-9) << op.text.toStdString() << " per group " << perGroup;
            }
            if (!op.text.startsWith(QLatin1String("This page")) && !op.text.startsWith(QLatin1String("The use")) &&
                !op.text.contains(QLatin1String("printed at")) && !op.text.startsWith(QLatin1String("Page "))) {
                EXPECT_LE(op.y, footerTop + 1e-9) << op.text.toStdString();
            }
        }
    }
}

TEST(EnquiryList, CancelledListPrintsNoTotalsAndNoLastFooter)
{
    ReportRig rig;
    rig.cancelAtRow = 2;
    rig.printer.PrintVehicleEnquiries(Enquiries{Enquiry("Acme", "P", "V1"), Enquiry("Acme", "P", "V2")});
    const QStringList texts = rig.canvas.Texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("V1")));
    EXPECT_FALSE(texts.contains(QStringLiteral("V2")));
    for (const QString& t : texts) {
        EXPECT_FALSE(t.contains(QLatin1String("Number of")));
        EXPECT_FALSE(t.startsWith(QLatin1String("This page")));
    }
    EXPECT_EQ(rig.canvas.operations.last().kind, RecordingCanvas::Kind::EndDoc);
    EXPECT_EQ(rig.events, (QList<int32_t>{1, 2, 2, 3}));
}

struct BreakCase {
    const char* name;
    double gap; // footer top - (Y + reserved height)
    bool orEqual;
    bool breaks;
};

class PageBreakRule : public testing::TestWithParam<BreakCase> {};

TEST_P(PageBreakRule, BreaksWhenTheReservedHeightPassesTheFooterTop)
{
    TestWorld world;
    RecordingCanvas canvas;
    ReportPage page(canvas, ReportRig::Options(0, false));
    page.StartDocument(ReportCanvas::Landscape, 0);
    GroupedList list(page);
    list.DefineColumn(1, QStringLiteral("H"), 0);
    ReportGroupState state;
    state.groupKey = QStringLiteral("A");
    state.groupCount = 3;
    state.newGroupKey = QStringLiteral("B");
    const double h = list.HeightOfGroupBreak(state);
    EXPECT_DOUBLE_EQ(h, 3 * 1.2 * 4); // the total, the heading and the column headings
    canvas.SetCurrentY(page.FooterTop() - h - GetParam().gap);
    list.BreakPageIfDue(state, QStringLiteral("T"), QString(), QString(), GetParam().orEqual);
    EXPECT_EQ(canvas.Count(RecordingCanvas::Kind::NewPage), GetParam().breaks ? 1 : 0);
    EXPECT_EQ(state.pageNumber, GetParam().breaks ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(GroupedList, PageBreakRule,
                         testing::Values(BreakCase{"Below", 0.5, false, false}, BreakCase{"AtGreater", 0, false, false},
                                         BreakCase{"AtGreaterOrEqual", 0, true, true},
                                         BreakCase{"Above", -0.5, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Fails once, when it prints the given text.
class FailingCanvas : public RecordingCanvas {
public:
    QString failOn;
    bool failed = false;

protected:
    void DrawText(const QString& text) override
    {
        if (!failed && text == failOn) {
            failed = true;
            throw NevixError(ErrorNumbers::ObjectErrorBase + 1, QStringLiteral("Paper jam"));
        }
        RecordingCanvas::DrawText(text);
    }
};

struct ErrorCase {
    const char* name;
    int16_t answer;
    int rowsPrinted; // times "V3" is printed
    bool totals;
};

class ErrorBox : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorBox, AnswerDecidesHowTheListGoesOn)
{
    TestWorld world;
    FailingCanvas canvas;
    canvas.failOn = QStringLiteral("V3");
    PrinterOfData printer(canvas, ReportRig::Options(0, false));
    world.ui().ScriptAnswer(GetParam().answer);
    printer.PrintVehicleEnquiries(
        Enquiries{Enquiry("A", "P", "V1"), Enquiry("A", "P", "V2"), Enquiry("A", "P", "V3"), Enquiry("A", "P", "V4")});
    ASSERT_EQ(world.ui().boxes.size(), 1);
    const auto& box = world.ui().boxes[0];
    EXPECT_TRUE(box.text.startsWith(QLatin1String("An error has occurred while printing")));
    EXPECT_TRUE(box.text.contains(QLatin1String("Paper jam\rYou may:\rCorrect the problem and press Retry\rIgnore the "
                                                "problem and continue printing\rAbort the printing")));
    EXPECT_EQ(box.style & MsgBox::ButtonMask, MsgBox::AbortRetryIgnore);
    EXPECT_EQ(canvas.Texts().count(QStringLiteral("V3")), GetParam().rowsPrinted);
    EXPECT_EQ(canvas.Texts().contains(QStringLiteral("V4")), GetParam().totals);
    EXPECT_EQ(canvas.Texts().contains(Closing(4, 0)), GetParam().totals);
    EXPECT_EQ(canvas.Texts().contains(QStringLiteral("Page 1")), GetParam().totals);
    EXPECT_EQ(canvas.operations.last().kind, RecordingCanvas::Kind::EndDoc);
}

INSTANTIATE_TEST_SUITE_P(EnquiryList, ErrorBox,
                         testing::Values(ErrorCase{"Retry", MsgBox::AnswerRetry, 1, true},
                                         ErrorCase{"Ignore", MsgBox::AnswerIgnore, 0, true},
                                         ErrorCase{"Abort", MsgBox::AnswerAbort, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Fails at the start of every job.
class DeadPrinter : public RecordingCanvas {
public:
    void StartJob(int16_t, int32_t) override { throw NevixError(ErrorNumbers::ObjectErrorBase + 2, QStringLiteral("No printer")); }
};

TEST(EnquiryList, ErrorReachingTheOperationIsAWarningAndStillDone)
{
    TestWorld world;
    DeadPrinter canvas;
    PrinterOfData printer(canvas, ReportRig::Options(0, false));
    QList<int32_t> events;
    printer.SetPrintingProgress([&](int32_t e, const QString&, int32_t, int32_t, bool&) { events << e; });
    printer.PrintVehicleEnquiries(Enquiries{Enquiry("A", "P", "V1")});
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes[0].text.startsWith(QLatin1String("Error printing enquiries:")));
    EXPECT_TRUE(world.ui().boxes[0].text.contains(QLatin1String("No printer")));
    EXPECT_EQ(events, (QList<int32_t>{1, 3}));
}

} // namespace
