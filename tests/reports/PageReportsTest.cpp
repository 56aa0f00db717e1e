#include "reports/ReportTestSupport.h"

#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "records/JuxMessageErrors.h"
#include "reports/ReportFormat.h"

#include <gtest/gtest.h>

namespace {

using Responses = std::vector<std::shared_ptr<VQ7>>;
using Statements = std::vector<std::shared_ptr<DebitStatement>>;
using Kind = RecordingCanvas::Kind;

QDateTime At(int y, int m, int d, int h = 0, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

std::shared_ptr<VQ7> Response(const QString& enquirer = QStringLiteral("Acme"))
{
    auto r = std::make_shared<VQ7>();
    r->SetEnquirerName(enquirer);
    r->SetVRM(QStringLiteral("AB12CDE"));
    r->SetWhenReceived(At(2024, 3, 10, 9, 15));
    r->SetKeeperName1(QStringLiteral("SMITH"));
    r->SetKeeperName2(QStringLiteral("JOHN"));
    r->SetKeeperAddress1(QStringLiteral("1 High Street"));
    return r;
}

// The value printed after a label (the next text), or no value.
std::optional<QString> ValueOf(const RecordingCanvas& canvas, const QString& label)
{
    const QStringList texts = canvas.Texts();
    const auto at = texts.indexOf(label);
    if (at < 0 || at + 1 >= texts.size())
        return std::nullopt;
    return texts[at + 1];
}

TEST(ResponsePage, NoticeAShowsItsTextAndNoLegacyLines)
{
    ReportRig rig;
    auto r = Response();
    r->SetDVLAERRCode(QStringLiteral("A"));
    rig.printer.PrintVehicleResponses(Responses{r});
    const QStringList texts = rig.canvas.Texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("DVLA Notices")));
    EXPECT_TRUE(texts.contains(QStringLiteral("No trace of VRM at DVLA")));
    for (const char* legacy : {"Engine Capacity", "Vehicle Dates", "Previous Keepers", "Last Keeper Changed"})
        EXPECT_FALSE(texts.contains(QString::fromLatin1(legacy))) << legacy;
    EXPECT_EQ(ValueOf(rig.canvas, QStringLiteral("Name")), QStringLiteral("JOHN SMITH"));
    EXPECT_EQ(ValueOf(rig.canvas, QStringLiteral("When Received")), QStringLiteral("10/03/2024 09:15"));
    EXPECT_EQ(rig.canvas.orientation, ReportCanvas::Portrait);
    for (const QString& t : texts)
        EXPECT_FALSE(t.startsWith(QLatin1String("Page")));
}

TEST(ResponsePage, NoticeXListsEveryMessageErrorAndNoCodeNoSection)
{
    ReportRig rig;
    auto x = Response();
    x->SetDVLAERRCode(QStringLiteral("X"));
    x->AddError(QStringLiteral("E1"), QStringLiteral("First problem"));
    x->AddError(QStringLiteral("E2"), QStringLiteral("Second problem"));
    auto plain = Response();
    rig.printer.PrintVehicleResponses(Responses{x, plain});
    EXPECT_TRUE(rig.PageTexts(1).contains(QStringLiteral("First problem")));
    EXPECT_TRUE(rig.PageTexts(1).contains(QStringLiteral("Second problem")));
    EXPECT_FALSE(rig.PageTexts(2).contains(QStringLiteral("DVLA Notices")));
    EXPECT_EQ(rig.canvas.Count(Kind::StartJob), 2);
    EXPECT_EQ(rig.canvas.Count(Kind::EndDoc), 2);
    EXPECT_EQ(rig.events, (QList<int32_t>{1, 2, 2, 3}));
}

struct KeeperCase {
    const char* name;
    std::function<void(VQ7&)> setUp;
    QStringList lines; // label, value pairs expected
    QStringList absent;
};

class Keeper : public testing::TestWithParam<KeeperCase> {};

TEST_P(Keeper, PrintsTheKeeperLines)
{
    ReportRig rig;
    auto r = Response();
    GetParam().setUp(*r);
    rig.printer.PrintVehicleResponses(Responses{r});
    for (int i = 0; i + 1 < GetParam().lines.size(); i += 2)
        EXPECT_EQ(ValueOf(rig.canvas, GetParam().lines[i]), GetParam().lines[i + 1]) << GetParam().lines[i].toStdString();
    for (const QString& label : GetParam().absent)
        EXPECT_FALSE(rig.canvas.Texts().contains(label)) << label.toStdString();
}

void Legacy(VQ7& r)
{
    r.SetNumberOfKeepers(2);
    r.SetDateLastKeeperChange(At(2020, 5, 6));
}

INSTANTIATE_TEST_SUITE_P(
    ResponsePage, Keeper,
    testing::Values(
        KeeperCase{"Company", [](VQ7& r) { r.SetCompanyName(QStringLiteral("Big Fleet plc")); },
                   {"Company", "Big Fleet plc", "Address", "1 High Street"}, {"Title", "Name"}},
        KeeperCase{"LegacyOtherTitleIsEmpty",
                   [](VQ7& r) {
                       Legacy(r);
                       r.SetTitle(QStringLiteral("Other"));
                   },
                   {"Title", "", "Name", "SMITH, JOHN", "Previous Keepers", "2", "Last Keeper Changed", "06/05/2020"},
                   {}},
        KeeperCase{"LegacyCode2IsMrs",
                   [](VQ7& r) {
                       Legacy(r);
                       r.SetKeeperTitleCode(QStringLiteral("2"));
                   },
                   {"Title", "Mrs."}, {}},
        KeeperCase{"LegacyWithoutNamesHasTheEmptyForm",
                   [](VQ7& r) {
                       Legacy(r);
                       r.SetKeeperTitleCode(QStringLiteral("1"));
                       r.SetKeeperName1(QString());
                       r.SetKeeperName2(QString());
                   },
                   {"Title", "", "Name", "", "Address", "", "Previous Keepers", ""}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResponsePage, LongCommentPrintsThreeLinesAndSevenLinesPrintFive)
{
    ReportRig rig;
    auto longComment = Response();
    longComment->SetComment(QString(250, QLatin1Char('c')));
    auto sevenLines = Response();
    sevenLines->SetComment(QStringLiteral("l1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\nl7"));
    rig.printer.PrintVehicleResponses(Responses{longComment, sevenLines});
    QList<int> lengths;
    for (const QString& t : rig.PageTexts(1))
        if (t.startsWith(QLatin1String("ccc")))
            lengths << int(t.size());
    EXPECT_EQ(lengths, (QList<int>{101, 101, 48}));
    const QStringList page2 = rig.PageTexts(2);
    EXPECT_TRUE(page2.contains(QStringLiteral("l5")));
    EXPECT_FALSE(page2.contains(QStringLiteral("l6")));
}

TEST(ResponseSummary, TwoDaysPrintDayLinesThenTheCount)
{
    ReportRig rig;
    auto first = Response();
    auto second = Response();
    second->SetWhenReceived(At(2024, 3, 11, 8));
    second->SetDVLAERRCode(QStringLiteral("A"));
    second->SetRegistrationNumber(QStringLiteral("REG1"));
    rig.printer.PrintVehicleResponseSummary(Responses{first, second});
    const QStringList body = BodyTexts(rig.canvas);
    const auto at = body.indexOf(QStringLiteral("1 for 10-Mar-2024"));
    ASSERT_GE(at, 0);
    EXPECT_TRUE(rig.canvas.Find(QStringLiteral("1 for 10-Mar-2024"))->bold);
    EXPECT_EQ(body.mid(body.size() - 2),
              (QStringList{QStringLiteral("1 for 11-Mar-2024"), QStringLiteral("Number of responses for Acme : 2")}));
    EXPECT_TRUE(body.contains(QStringLiteral("No trace of VRM at DVLA")));
    EXPECT_TRUE(body.contains(QStringLiteral("REG1")));
    EXPECT_TRUE(rig.canvas.Texts().contains(QStringLiteral("Page 1")));
}

std::shared_ptr<DebitStatement> Statement(const QString& enquirer, int charges, int64_t pounds)
{
    auto s = std::make_shared<DebitStatement>();
    s->SetEnquirerName(enquirer);
    s->SetDEBSTAReference(QStringLiteral("REF") + QString::number(charges));
    s->SetNumberOfCharges(charges);
    s->SetTotalAmountOfCharge(Currency::FromUnits(pounds));
    s->SetRateOfCharge(Currency{50000});
    s->SetChargePeriodStart(At(2024, 2, 1));
    s->SetChargePeriodEnd(At(2024, 2, 29));
    return s;
}

struct DifferenceCase {
    const char* name;
    int sent;
    QString difference;
};

class Difference : public testing::TestWithParam<DifferenceCase> {};

TEST_P(Difference, IsNeverNegative)
{
    ReportRig rig;
    rig.printer.SetPeriodCounts([&](const NullableDate&, const NullableDate&) { return GetParam().sent; },
                                [](const NullableDate&, const NullableDate&) { return 7; });
    rig.printer.PrintDebitStatements(Statements{Statement("Acme", 120, 600)});
    EXPECT_EQ(ValueOf(rig.canvas, QStringLiteral("Number of enquiries")), QStringLiteral("120"));
    EXPECT_EQ(ValueOf(rig.canvas, QStringLiteral("Number of enquiries sent in this period")),
              QString::number(GetParam().sent));
    EXPECT_EQ(ValueOf(rig.canvas, QStringLiteral("Number of responses received in this period")), QStringLiteral("7"));
    EXPECT_EQ(ValueOf(rig.canvas, QStringLiteral("Difference between enquiries and charges")), GetParam().difference);
    EXPECT_EQ(ValueOf(rig.canvas, QStringLiteral("Charge per enquiry")), QStringLiteral("£5.00"));
    EXPECT_EQ(ValueOf(rig.canvas, QStringLiteral("Enquirier")), QStringLiteral("Acme"));
    EXPECT_TRUE(rig.canvas.Texts().contains(QStringLiteral("This page was printed from the NEVIX desktop client "
                                                           "system provided by Trelix.")));
}

INSTANTIATE_TEST_SUITE_P(StatementPage, Difference,
                         testing::Values(DifferenceCase{"FewerSent", 118, "2"}, DifferenceCase{"MoreSent", 125, "5"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StatementPage, CancelWhilePreparingLeavesTheFooterOutAndStops)
{
    ReportRig rig;
    rig.printer.SetPeriodCounts([](const NullableDate&, const NullableDate&) { return 0; },
                                [](const NullableDate&, const NullableDate&) { return 0; });
    rig.cancelAtRow = 1;
    rig.printer.PrintDebitStatements(Statements{Statement("Acme", 1, 5), Statement("Acme", 2, 10)});
    EXPECT_EQ(rig.canvas.Count(Kind::StartJob), 1);
    EXPECT_TRUE(rig.canvas.Texts().contains(QStringLiteral("Statement")));
    for (const QString& t : rig.canvas.Texts())
        EXPECT_FALSE(t.startsWith(QLatin1String("This page")));
}

TEST(StatementSummary, GroupsByEnquirerOrReferenceAndSumsCharges)
{
    ReportRig rig;
    rig.printer.PrintDebitStatementSummary(
        Statements{Statement("", 3, 15), Statement("Acme", 1, 1000), Statement("Acme", 2, 234)});
    const QStringList body = BodyTexts(rig.canvas);
    EXPECT_TRUE(body.contains(QStringLiteral("REF3 - ")));
    EXPECT_TRUE(body.contains(QStringLiteral("Total charge for REF3 : £15.00")));
    EXPECT_TRUE(body.contains(QStringLiteral("Acme - ")));
    EXPECT_EQ(body.last(), QStringLiteral("Total charge for Acme : £1,234.00"));
    EXPECT_TRUE(body.contains(QStringLiteral("Charge (£)")));
    EXPECT_TRUE(body.contains(QStringLiteral("1,000.00")));
    EXPECT_TRUE(rig.canvas.Texts().contains(QStringLiteral("Page 1")));
}

TEST(StatementPage, ErrorOffersAbortOfTheProcessAndGoesOnWithTheNext)
{
    class FailOnce : public RecordingCanvas {
    public:
        bool failed = false;

    protected:
        void DrawText(const QString& text) override
        {
            if (!failed && text == QLatin1String("Period")) {
                failed = true;
                throw NevixError(ErrorNumbers::ObjectErrorBase + 3, QStringLiteral("Out of toner"));
            }
            RecordingCanvas::DrawText(text);
        }
    };
    TestWorld world;
    FailOnce canvas;
    PrinterOfData printer(canvas, ReportRig::Options(0, false));
    printer.SetPeriodCounts([](const NullableDate&, const NullableDate&) { return 0; },
                            [](const NullableDate&, const NullableDate&) { return 0; });
    world.ui().ScriptAnswer(MsgBox::AnswerAbort);
    printer.PrintDebitStatements(Statements{Statement("Acme", 1, 5), Statement("Bolt", 2, 10)});
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes[0].text.endsWith(QLatin1String("Abort the print process")));
    EXPECT_EQ(canvas.Count(Kind::StartJob), 2);
    EXPECT_EQ(canvas.Count(Kind::EndDoc), 2);
    EXPECT_EQ(canvas.Texts().count(QStringLiteral("This page was printed from the NEVIX desktop client system "
                                                  "provided by Trelix.")),
              1);
    EXPECT_TRUE(canvas.Texts().contains(QStringLiteral("Bolt")));
}

TEST(ReportFormat, MoneyUnderTheCLocaleIsBritish)
{
    EXPECT_EQ(ReportFormat::Money(Currency{12345000}, QLocale::c()), QStringLiteral("£1,234.50"));
    EXPECT_EQ(ReportFormat::DefaultDate(At(2024, 3, 1)), QStringLiteral("01/03/2024"));
    EXPECT_EQ(ReportFormat::DefaultDate(At(2024, 3, 1, 9, 5)), QStringLiteral("01/03/2024 09:05:00"));
    EXPECT_EQ(ReportFormat::DefaultDate(std::nullopt), QString());
}

} // namespace
