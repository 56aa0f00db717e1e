#include "ResponseScreenTest.h"

#include "core/ApplicationSettings.h"
#include "core/INIFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

TEST_F(ResponseScreen, OpensOnTheFirstHundredWithItsControlsAndTheFirstResponseShown)
{
    Open();
    EXPECT_EQ(window->windowTitle(), "NEVIX - VEHICLE RESPONSES");
    EXPECT_EQ(Control<QComboBox>("cboMaxToLoad")->currentText(), "100");
    EXPECT_EQ(Caption(), "30 of 30 responses");
    EXPECT_EQ(Heading(), "VRM/VIN");
    EXPECT_TRUE(window->grdVQ7()->isColumnHidden(0));
    EXPECT_EQ(window->grdVQ7()->columnWidth(1), 2420 / 15) << "narrower beside the scroll bar";
    EXPECT_EQ(window->grdVQ7()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(Text("txtVRM"), Vrms().first());
    EXPECT_EQ(Control("txtEngineCapacity")->property("Tag").toString(), "LEGACY");
    EXPECT_EQ(Control("lblRegistration")->property("Tag").toString(), "NOTLEGACY");
    EXPECT_TRUE(Control<QLineEdit>("txtVRM")->isReadOnly() && Control<QLineEdit>("txtVRM")->font().bold());
    EXPECT_FALSE(Control<QPlainTextEdit>("txtComments")->isReadOnly());
    EXPECT_FALSE(Control("cmdHelp")->isVisible());
    EXPECT_FALSE(Control("lblEnquirerFilters")->isVisible()) << "admin1 has every enquirer";
}

TEST_F(ResponseScreen, EveryControlHasItsName)
{
    Open();
    for (const char* name :
         {"fraSearch", "fraLoaded", "txtVRMSearch", "lblSearchVrm", "txtLastDays", "lblSearchReceivedInLast", "lblDays",
          "chkShowErrs", "cboMaxToLoad", "lblMaxToLoad", "cmdSearch", "cmdClearSearch", "cmdShowEnquirers",
          "fraEnquiry", "txtVRM", "lblVRM", "txtDateOfEvent", "lblDateOfEvent", "txtReference", "lblReference",
          "txtEnquirerName", "lblEnquirer", "txtWhenReceived", "lblWhenReceived", "txtDateOfResponse",
          "lblResponseDate", "lblBlackList", "fraVehicle", "txtRegistrationNumber", "lblRegistration", "txtMake",
          "lblMake", "txtModel", "lblModel", "txtColour", "lblColour", "txtSecondaryColour", "lblSecondColour",
          "txtBodyType", "lblBodyType", "txtVIN", "lblVIN", "txtFleetNumber", "lblFleetNumber", "txtTaxStatus",
          "txtStatus", "txtTaxCategory", "lblTaxCategory", "txtSeatingCapacity", "lblSeatingCapacity",
          "txtEngineCapacity", "lblEngineCapacity", "txtFirstRegistered", "lblFirstRegistered", "txtLicenceExpiry",
          "lblLicenceExpiry", "txtDateOfTheft", "lblDateOfTheft", "txtDateOfRecovery", "lblDateOfRecovery",
          "txtDateOfScrappage", "lblDateScapping", "txtDateOfExport", "lblDateExport", "txtPreviousKeepers",
          "lblPreviousKeepers", "txtLastKeeperChange", "lblLastKeeperChange", "frmKeeper", "txtKeeperTitle",
          "lblKeeperTitle", "txtKeeperName", "lblKeeperSurname", "txtKeeperForename", "lblKeeperForename",
          "txtKeeperAddress1", "txtKeeperAddress4", "lblKeeperAddress1", "txtKeeperPostTown", "lblKeeperPostTown",
          "txtKeeperPostCode", "lblKeeperPostCode", "fraErrors", "lstErrors", "fraComments", "txtComments",
          "cmdAddToBlacklist", "cmdAnonymise", "cmdExport", "cmdPrint", "cmdReturn", "cmdHelp"})
        Control(name);
    int legacy = 0;
    for (QWidget* widget : window->findChildren<QWidget*>())
        legacy += widget->property("Tag").toString() == "LEGACY";
    EXPECT_EQ(legacy, 18) << "nine boxes and their labels";
    EXPECT_EQ(Control<QLineEdit>("txtVRMSearch")->maxLength(), 16);
    EXPECT_EQ(Control<QLineEdit>("txtLastDays")->maxLength(), 3);
}

TEST_F(ResponseScreen, ALowScreenShowsTheWindowWithoutItsBanner)
{
    tools.ScreenHeight = 729;
    Open();
    EXPECT_TRUE(Control("picBanner")->isHidden());
    tools.ScreenHeight = 730;
    Reopen();
    EXPECT_FALSE(Control("picBanner")->isHidden());
}

TEST_F(ResponseScreen, AnEmptyResultKeepsOneBlankRowAndEmptiesTheDetails)
{
    Open(Fixture::Clerk);
    EXPECT_TRUE(Control("lblEnquirerFilters")->isVisible());
    EXPECT_EQ(Control<QLabel>("lblEnquirerFilters")->text(), "The Enquirers are being filtered by your user name");
    Control<QPushButton>("cmdShowEnquirers")->click();
    EXPECT_EQ(world.ui().Texts().last(),
              "Your user name allows you to raise and import Enquiries for the following Enquirers\rStand-in Parking");
    EXPECT_EQ(Caption(), "None of None responses") << "clerk1's enquirer has no response";
    EXPECT_EQ(window->ListModel().rowCount(), 1);
    EXPECT_EQ(window->ListModel().Key(0), "");
    EXPECT_EQ(Text("txtVRM"), "");
    EXPECT_EQ(Control<QListWidget>("lstErrors")->count(), 0);
    for (const char* control : {"cmdAddToBlacklist", "cmdPrint", "cmdExport", "cmdAnonymise", "txtComments"})
        EXPECT_FALSE(Control(control)->isEnabled()) << control;
    EXPECT_EQ(window->grdVQ7()->columnWidth(1), 2660 / 15);
}

TEST_F(ResponseScreen, TheCaptionCountsTheRowsLoadedOfAllThatMatch)
{
    Make(FixtureOptions().WithOldResponses(1234 - Fixture::Counts::Responses));
    Open();
    EXPECT_EQ(Caption(), "100 of 1,234 responses");
    Search("FX07AAA");
    EXPECT_EQ(Caption(), "1  of 1 response");
    Control<QComboBox>("cboMaxToLoad")->setCurrentText("ALL");
    Search("");
    EXPECT_EQ(Caption(), "1,234 of 1,234 responses");
    Control<QComboBox>("cboMaxToLoad")->setCurrentText("200");
    Search("FX");
    EXPECT_EQ(Caption(), "30 of 30 responses");
}

TEST_F(ResponseScreen, HeadingClicksSortAToZThenZToAAndLoadsKeepTheTurn)
{
    Open();
    QHeaderView* heading = window->grdVQ7()->horizontalHeader();
    QStringList sorted = Vrms();
    sorted.sort();
    emit heading->sectionClicked(1);
    EXPECT_EQ(Heading(), "VRM/VIN (A to Z)");
    EXPECT_EQ(Vrms(), sorted);
    EXPECT_EQ(Text("txtVRM"), sorted.first());
    emit heading->sectionClicked(1);
    EXPECT_EQ(Heading(), "VRM/VIN (Z to A)");
    EXPECT_EQ(Vrms().first(), sorted.last());
    emit heading->sectionClicked(1);
    Control<QPushButton>("cmdSearch")->click();
    EXPECT_EQ(Heading(), "VRM/VIN");
    Control<QPushButton>("cmdClearSearch")->click();
    EXPECT_FALSE(window->VrmSortAscending()) << "Load and Clear leave the turn to Z to A";
    emit heading->sectionClicked(1);
    EXPECT_EQ(Heading(), "VRM/VIN (Z to A)");
}

TEST_F(ResponseScreen, TheSearchBoxIsCleanedOnLeavingAndTakesWildcardsLiterally)
{
    Make();
    for (const char* vrm : {"AB12CDE", "AB92XYZ", "AB1CDE", "A%12"})
        Store(QLatin1String(vrm));
    Open();
    auto* search = Control<QLineEdit>("txtVRMSearch");
    Focus(search);
    EXPECT_TRUE(Control<QPushButton>("cmdSearch")->isDefault());
    search->setText(" ab 12 c ");
    FocusGrid();
    EXPECT_EQ(search->text(), "AB12C");
    Search("%");
    EXPECT_EQ(Vrms(), QStringList());
    Search("AB?2");
    EXPECT_EQ(Vrms(), QStringList({"AB12CDE", "AB92XYZ"}));
}

TEST_F(ResponseScreen, TheErrorBoxLoadsAtOnce)
{
    Open();
    Control<QCheckBox>("chkShowErrs")->click();
    EXPECT_EQ(Caption(), "12 of 12 responses") << "the DVLA codes A and X";
    window->Responses().LoadListedRows();
    EXPECT_EQ(window->Responses().Count(), 12);
    for (const auto& response : window->Responses())
        EXPECT_FALSE(response->DVLAERRCode().isEmpty());

    Control<QCheckBox>("chkShowErrs")->setChecked(false);
    EXPECT_EQ(Caption(), "30 of 30 responses") << "cleared, however, the box loads again";
}

TEST_F(ResponseScreen, TheDaysTypedAreKeptUnderGuiAndShownAtTheNextOpening)
{
    Make();
    const QDateTime now = world.clock().Now();
    for (int daysAgo : {0, 1, 2, 3})
        Store(QStringLiteral("DAY%1").arg(daysAgo), now.addDays(-daysAgo).addSecs(-60));
    Open();
    Control<QLineEdit>("txtLastDays")->setText("3");
    Control<QLineEdit>("txtLastDays")->insert("x");
    EXPECT_EQ(Text("txtLastDays"), "3") << "digits only, pasted or typed";
    Search("DAY");
    EXPECT_EQ(Vrms(), QStringList({"DAY0", "DAY1", "DAY2"}));
    window->close();
    EXPECT_EQ(INIFile().GetIniString("GUI", "VQ7SearchRecievedInLastDays", "", folder.SettingsFile), "3");
    ReleaseSettings();
    Settings().Load();
    Reopen();
    EXPECT_EQ(Text("txtLastDays"), "3");
}

} // namespace

namespace {

TEST_F(ResponseScreen, ShowsLegacyBoxesAndTheKeeperLayoutOfTheSelectedResponse)
{
    Open();
    // The fixture's responses take their kind in turn: private keeper,
    // legacy data, company keeper, DVLA "A", DVLA "X".
    Select("FX03AAA");
    for (const char* control : {"txtEngineCapacity", "lblEngineCapacity", "txtLastKeeperChange", "lblDateExport"})
        EXPECT_FALSE(Control(control)->isVisible()) << control;
    EXPECT_EQ(Control<QLabel>("lblKeeperTitle")->text(), "Title");
    EXPECT_EQ(Text("txtKeeperTitle"), "MR");
    EXPECT_TRUE(Control("txtKeeperName")->isVisible());
    Select("FX07AAA");
    EXPECT_TRUE(Control("txtEngineCapacity")->isVisible() && Control("lblLastKeeperChange")->isVisible());
    EXPECT_EQ(Text("txtPreviousKeepers"), "3");
    Select("FX11AAA");
    EXPECT_EQ(Control<QLabel>("lblKeeperTitle")->text(), "Company");
    EXPECT_EQ(Text("txtKeeperTitle"), "FIXTURE HAULAGE LTD");
    for (const char* control : {"txtKeeperName", "lblKeeperSurname", "txtKeeperForename", "lblKeeperForename"})
        EXPECT_FALSE(Control(control)->isVisible()) << control;
    EXPECT_GT(Control("txtKeeperTitle")->width(), 1320 / 15);
    Select("FX19AAA");
    EXPECT_EQ(Control<QListWidget>("lstErrors")->count(), 2) << "the X response's two messages";
}

} // namespace
