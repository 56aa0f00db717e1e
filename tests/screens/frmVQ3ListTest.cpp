#include "EnquiryScreenTest.h"

#include "records/JuxMessageErrors.h"
#include "records/VQ3Enquiries.h"
#include "screens/records/ScreenControls.h"
#include "screens/admin/frmMenu.h"
#include "startup/ProgramScreens.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using EnquiryList = EnquiryScreenTest;

void ClickHeading(frmVQ3& screen, int column)
{
    QHeaderView* header = screen.grdVQ3()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

void ClickRow(frmVQ3& screen, int row)
{
    RecordGrid* grid = screen.grdVQ3();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->Model()->index(row, 1)).center());
}

TEST_F(EnquiryList, CaptionsCountTheRowsLoadedAndEveryMatch)
{
    Open(Fixture::Admin, FixtureOptions().WithBulkEnquiries(150));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("NEVIX - VEHICLE ENQUIRIES"));
    EXPECT_EQ(Caption(), QStringLiteral(" 100 of 150 enquiries"));
    EXPECT_EQ(Model().Records(), 100);
    EXPECT_EQ(screen->cboMaxToLoad()->currentText(), QStringLiteral("100"));
    EXPECT_EQ(screen->cboLoadWhat()->currentText(), QStringLiteral("All Enquiries"));

    screen->cboMaxToLoad()->setCurrentIndex(0);
    screen->cmdSearch()->click();
    EXPECT_EQ(Caption(), QStringLiteral(" 150 of 150 enquiries"));
    EXPECT_EQ(Model().Records(), 150);
    EXPECT_EQ(screen->CurrentEnquiry()->ID(), Model().Key(0)) << "Load selects the first row and shows it";
    EXPECT_EQ(screen->txtVRM()->text(), Model().Text(0, 1));
}

TEST_F(EnquiryList, TheColumnsKeepTheirWidthsAndTheDatesNarrowWhileTheListScrolls)
{
    Open(Fixture::Admin, FixtureOptions().WithBulkEnquiries(150));
    RecordGrid* grid = screen->grdVQ3();
    EXPECT_TRUE(grid->isColumnHidden(0));
    EXPECT_EQ(grid->columnWidth(1), TwipsToPixels(2000));
    EXPECT_EQ(grid->columnWidth(2), TwipsToPixels(1310)) << "100 rows need the scroll bar";

    screen->txtVRMSearch()->setText(Model().Text(0, 1));
    screen->cmdSearch()->click();
    ASSERT_EQ(Model().Records(), 1);
    EXPECT_EQ(grid->columnWidth(1), TwipsToPixels(2000));
    EXPECT_EQ(grid->columnWidth(2), TwipsToPixels(1530));
}

TEST_F(EnquiryList, AnEmptyListKeepsOneBlankRowAndShowsNothing)
{
    Open();
    EXPECT_EQ(Caption(), QStringLiteral(" 0 of None enquiries"));
    EXPECT_EQ(Model().rowCount(), 1);
    EXPECT_EQ(Model().Text(0, 1), QString());
    EXPECT_EQ(screen->CurrentEnquiry(), nullptr);
    EXPECT_EQ(screen->txtVRM()->text(), QString());
    EXPECT_FALSE(screen->cmdPrint()->isEnabled());
    EXPECT_TRUE(world.ui().Texts().isEmpty()) << world.ui().Texts().join('|').toStdString();
}

struct LoadWhatCase {
    const char* name;
    int index;
    int expected; // of the 150 bulk enquiries, states taken in turn
};

class WhatToLoadTable : public EnquiryScreenTest, public ::testing::WithParamInterface<LoadWhatCase> {};

TEST_P(WhatToLoadTable, LoadsItsRowsWhenLoadIsClicked)
{
    const LoadWhatCase& c = GetParam();
    Open(Fixture::Admin, FixtureOptions().WithBulkEnquiries(150));
    screen->cboMaxToLoad()->setCurrentIndex(0);
    screen->cboLoadWhat()->setCurrentIndex(c.index);
    EXPECT_EQ(Caption(), QStringLiteral(" 100 of 150 enquiries")) << "nothing happens until Load";
    screen->cmdSearch()->click();
    EXPECT_EQ(screen->List().Count(), c.expected);
    for (const auto& listed : screen->List()) {
        // The list holds what the grid shows; the whole row is read apart.
        auto enquiry = std::make_shared<VQ3>();
        enquiry->SetDataSource(&db());
        enquiry->SetID(listed->ID());
        enquiry->Load();
        const bool sent = enquiry->WhenSent().has_value();
        switch (c.index) {
        case 1: EXPECT_TRUE(!sent && enquiry->Errors()->Count() == 0); break;
        case 2: EXPECT_GT(enquiry->Errors()->Count(), 0); break;
        case 3: EXPECT_TRUE(sent && enquiry->ResponseReceived() == 0); break;
        default: break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, WhatToLoadTable,
                         ::testing::Values(LoadWhatCase{"AllEnquiries", 0, 150},
                                           LoadWhatCase{"WaitingToBeSentWithoutErrors", 1, 38},
                                           LoadWhatCase{"WithErrors", 2, 38},
                                           LoadWhatCase{"AwaitingResponses", 3, 37}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EnquiryList, AQuestionMarkSearchesForOneCharacterAndTheDaysCountToday)
{
    Open();
    Store(QStringLiteral("AB12CDE"), 0);
    Store(QStringLiteral("AB92XYZ"), 1);
    Store(QStringLiteral("AB2CDEF"), 2);
    Store(QStringLiteral("CD34EFG"), 3);

    QTest::keyClicks(screen->txtVRMSearch(), QStringLiteral("AB?2-%"));
    EXPECT_EQ(screen->txtVRMSearch()->text(), QStringLiteral("AB?2"));
    screen->cmdSearch()->click();
    EXPECT_EQ(Marks(), (QStringList{"AB12CDE", "AB92XYZ"}));

    screen->txtVRMSearch()->clear();
    QTest::keyClicks(screen->txtDaysSinceEnterd(), QStringLiteral("x-3"));
    EXPECT_EQ(screen->txtDaysSinceEnterd()->text(), QStringLiteral("3")) << "digits only";
    screen->txtDaysSinceEnterd()->insert(QStringLiteral("-5"));
    EXPECT_EQ(screen->txtDaysSinceEnterd()->text(), QStringLiteral("3")) << "nor is a sign pasted";
    screen->cmdSearch()->click();
    EXPECT_EQ(Marks(), (QStringList{"AB12CDE", "AB2CDEF", "AB92XYZ"}));

    screen->cmdClearSearch()->click();
    EXPECT_EQ(screen->txtDaysSinceEnterd()->text(), QString());
    EXPECT_EQ(Model().Records(), 4);
}

TEST_F(EnquiryList, HeadingsReloadInTheirOrderAndLoadPutsTheDefaultBack)
{
    Open();
    Store(QStringLiteral("AA11AAA"), 1, QDate(2024, 3, 3));
    Store(QStringLiteral("ZZ11ZZZ"), 1, QDate(2024, 3, 1));
    Store(QStringLiteral("MM11MMM"), 1, QDate(2024, 3, 2));
    screen->cmdSearch()->click();
    EXPECT_EQ(Marks(), (QStringList{"ZZ11ZZZ", "MM11MMM", "AA11AAA"})) << "by date of event";

    ClickRow(*screen, 1);
    EXPECT_EQ(Model().Heading(1), QStringLiteral("VRM/VIN"));
    EXPECT_EQ(Marks(), (QStringList{"ZZ11ZZZ", "MM11MMM", "AA11AAA"})) << "a row click never sorts";
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("MM11MMM"));

    ClickHeading(*screen, 1);
    EXPECT_EQ(Model().Heading(1), QStringLiteral("VRM/VIN (Z..A)"));
    EXPECT_EQ(Marks(), (QStringList{"ZZ11ZZZ", "MM11MMM", "AA11AAA"}));
    ClickHeading(*screen, 2);
    EXPECT_EQ(Model().Heading(1), QStringLiteral("VRM/VIN"));
    EXPECT_EQ(Model().Heading(2), QStringLiteral("Date of Event (Z..A)"));
    EXPECT_EQ(Marks(), (QStringList{"AA11AAA", "MM11MMM", "ZZ11ZZZ"}));
    ClickHeading(*screen, 1);
    EXPECT_EQ(Model().Heading(1), QStringLiteral("VRM/VIN (A..Z)")) << "each heading keeps its own direction";
    EXPECT_EQ(Marks(), (QStringList{"AA11AAA", "MM11MMM", "ZZ11ZZZ"}));
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("AA11AAA")) << "the details follow the top row";

    screen->cmdSearch()->click();
    EXPECT_EQ(Model().Headings(), (QStringList{"", "VRM/VIN", "Date of Event"}));
    EXPECT_EQ(Marks(), (QStringList{"ZZ11ZZZ", "MM11MMM", "AA11AAA"}));
}

TEST_F(EnquiryList, AUserWithSomeOfTheEnquirersIsToldTheyAreFiltered)
{
    Open(Fixture::Clerk);
    EXPECT_FALSE(screen->lblEnquirerFilters()->isHidden());
    EXPECT_EQ(screen->lblEnquirerFilters()->text(), QStringLiteral("The Enquirers are being filtered by your user name"));
    screen->lblEnquirerFilters()->ensurePolished();
    EXPECT_EQ(screen->lblEnquirerFilters()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(screen->cmdShowEnquirers()->isHidden());
    screen->cmdShowEnquirers()->click();
    EXPECT_EQ(world.ui().Texts().last(),
              QStringLiteral("Your user name allows you to raise and import Enquiries for the following "
                             "Enquirers\rStand-in Parking"));

    screen.reset();
    OpenAs(Fixture::Admin);
    EXPECT_TRUE(screen->lblEnquirerFilters()->isHidden());
    EXPECT_TRUE(screen->cmdShowEnquirers()->isHidden());
}

TEST_F(EnquiryList, TheSelectedRowShowsTheStoredEnquiryAgain)
{
    Open();
    auto imported = Store(QStringLiteral("AB12CDE"));
    imported->SetWhenEntered(std::nullopt);
    imported->SetWhenImported(QDateTime(QDate(2024, 3, 14), QTime(9, 5)));
    imported->Apply();
    Store(QStringLiteral("CD34EFG"));
    screen->cmdSearch()->click();
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("AB12CDE"));
    EXPECT_EQ(screen->lblWhenEntered()->text(), QStringLiteral("When Imported"));
    EXPECT_EQ(screen->txtWhenEntered()->text(), QStringLiteral("14/03/2024 09:05"));
    EXPECT_EQ(screen->txtDateOfEvent()->text(), QStringLiteral("01/03/2024"));
    EXPECT_EQ(screen->txtEnquirerName()->text(), QStringLiteral("Stand-in Parking"));
    EXPECT_EQ(screen->txtReasonDesc()->text(), QStringLiteral("01PK, Parking enquiry"));

    // Another installation changes it; selecting the row again shows the change.
    imported->SetEnquiryReference(QStringLiteral("CHANGED-1"));
    imported->Apply();
    ClickRow(*screen, 1);
    ClickRow(*screen, 0);
    EXPECT_EQ(screen->txtReference()->text(), QStringLiteral("CHANGED-1"));
}

TEST_F(EnquiryList, ADatabaseThatFailsIsReportedAndTheWindowStays)
{
    Open();
    Store(QStringLiteral("AB12CDE"));
    Store(QStringLiteral("CD34EFG"));
    screen->cmdSearch()->click();
    db().Execute(QStringLiteral("ALTER TABLE VQ3_Enquiries RENAME TO Gone"));
    ClickRow(*screen, 1);
    ASSERT_EQ(world.ui().Texts().size(), 1);
    EXPECT_TRUE(world.ui().Texts()[0].startsWith(QStringLiteral("Error showing the selected enquiry\r")))
        << world.ui().Texts()[0].toStdString();
    screen->cmdSearch()->click();
    EXPECT_TRUE(world.ui().Texts()[1].startsWith(QStringLiteral("Error from FillUpGrid\r")));
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(EnquiryList, TheMenusVehicleEnquiriesOpensTheScreenAndComesBackWhenItCloses)
{
    Make(FixtureOptions().WithBulkEnquiries(3));
    LogOn(Fixture::Clerk);
    frmMenu menu(db(), ProgramScreens(), {});
    menu.InitialiseForm();
    menu.show();
    menu.cmdEnq()->click();
    auto* opened = menu.findChild<frmVQ3*>();
    ASSERT_TRUE(opened);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(opened->List().Count(), 2) << "the clerk's enquirer's and the one without enquirer";
    opened->cmdReturn()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(menu.findChild<frmVQ3*>());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(world.ui().Texts().isEmpty()) << world.ui().Texts().join('|').toStdString();
}

} // namespace
