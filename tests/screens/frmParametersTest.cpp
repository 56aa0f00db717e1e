#include "ParametersTest.h"
#include "support/RecordingHelp.h"

#include "core/INIFile.h"
#include "help/HHelper.h"
#include "screens/admin/frmMenu.h"
#include "startup/ProgramScreens.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

using Parameters = ParametersTest;

TEST_F(Parameters, OpensOnTheMaintenanceTabWithEveryFieldLoadedAndTestModeOff)
{
    ChangeParameters([](SysParameters& p) {
        p.SetBatchSize(0);
        p.SetExportFormat(2);
        p.SetDuplicateNumberOfDays(-1);
        p.SetVQ7MaintenanceTerm(20);
        p.SetVQ7MaintenancePeriod("Week");
    });
    Settings().SetRunInTestMode(true);
    frmParameters& window = Open();
    EXPECT_EQ(window.windowTitle(), "NEVIX - ADMIN FUNCTIONS");
    ASSERT_EQ(window.sstParameters()->count(), 6);
    const char* captions[] = {"Data &Maintenance", "&Nevix Service", "&Enquirers",
                              "&Vehicle Blacklist", "Users", "Nevix Client"};
    const char* frames[] = {"Data Maintenance", "NEVIX Service", "Enquirers",
                            "Vehicle Blacklist", "Users", "NEVIX Client"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(window.sstParameters()->tabText(i), QLatin1String(captions[i]));
        EXPECT_EQ(static_cast<QGroupBox*>(window.fraParams(i))->title(), QLatin1String(frames[i]));
    }
    EXPECT_EQ(window.sstParameters()->currentIndex(), 0);
    EXPECT_TRUE(window.cmdHelp()->isHidden());
    EXPECT_FALSE(Settings().RunInTestMode());
    EXPECT_EQ(window.Client()->TxtBatchSize()->text(), "99");
    EXPECT_EQ(window.Client()->cboExportFileFormat()->currentIndex(), 1);
    EXPECT_EQ(window.Client()->txtDuplicateDays()->text(), "-1");
    EXPECT_EQ(window.Client()->txtPartyName()->text(), Fixture::PartyName);
    EXPECT_EQ(window.Maintenance()->cboVQ7Period()->currentText(), "Week");
    EXPECT_EQ(window.Service()->lblNevixUsername()->text(), Fixture::ServiceUserName);
    EXPECT_EQ(window.Service()->lblCommsLockInfo()->text(), "Communications are not locked");
    EXPECT_TRUE(window.Service()->cmdUnlockComms()->isHidden());
    EXPECT_FALSE(window.Client()->ChkTrimAsterisk()->isHidden()) << "configuration 2.0";
    EXPECT_EQ(window.Client()->lblConfigVersion()->text(), "Configuration version 2");

    window.cmdOk()->click();
    ASSERT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(StoredParameters().BatchSize(), 99) << "the 99 shown is stored";
    EXPECT_EQ(StoredParameters().ExportFormat(), 2);
}

TEST_F(Parameters, EachTabSetsItsHelpTopicAndOnlyTheServiceTabWatchesCapsLock)
{
    auto engine = std::make_shared<RecordingHelp>();
    GlobalHelp().SetHelpFile("guide.chm");
    GlobalHelp().SetHelpEngine(engine);
    frmParameters& window = Open();
    window.show();
    world.SetCapsLock(true);
    QLabel* caps = window.Service()->lblCapsLockOn();
    window.tmrForCaps_Timer();
    EXPECT_TRUE(caps->isHidden()) << "not on tab 1";
    EXPECT_FALSE(window.tmrForCaps()->isActive());

    ShowTab(frmParameters::ServiceTabIndex);
    EXPECT_TRUE(window.tmrForCaps()->isActive());
    EXPECT_EQ(window.tmrForCaps()->interval(), 100);
    window.tmrForCaps_Timer();
    EXPECT_FALSE(caps->isHidden());
    EXPECT_FALSE(window.Service()->imgCapLockOn()->isHidden());
    world.SetCapsLock(false);
    window.tmrForCaps_Timer();
    EXPECT_TRUE(caps->isHidden());

    world.SetCapsLock(true);
    ShowTab(frmParameters::EnquirersTabIndex);
    EXPECT_FALSE(window.tmrForCaps()->isActive());
    window.tmrForCaps_Timer();
    EXPECT_TRUE(caps->isHidden());
    QTest::keyClick(window.Client()->txtPartyName(), Qt::Key_F1);
    for (int tab : {5, 0})
        ShowTab(tab), QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(engine->topics, (QList<int32_t>{7030, 7060, 7010}));
    ReleaseHelp();
}

// ---- the save -------------------------------------------------------------

struct CycleCase {
    const char* name;
    int currentTab;
    const char* firstMessage;
};

class SaveCycle : public ParametersTest, public ::testing::WithParamInterface<CycleCase> {};

// Tabs 0, 2, 4 and 5 are all wrong: the first one checked from the
// current tab on, wrapping, is the one that speaks.
TEST_P(SaveCycle, ChecksFromTheCurrentTabOnAndStopsAtTheFirstFailure)
{
    Open();
    auto enquirers = form->EnquirerTab();
    ShowTab(frmParameters::EnquirersTabIndex);
    enquirers->txtEnqFolder(0)->clear();
    enquirers->txtEnqFolder_LostFocus(0);
    form->Maintenance()->txtVQ3Term()->setText("x");
    form->Client()->txtPartyName()->clear();
    // No administrator may deal with every enquirer.
    db().Execute("DELETE FROM USER_ENQUIRER_LINK WHERE EnquirerId='CD456'");
    ShowTab(frmParameters::UsersTabIndex);
    ShowTab(GetParam().currentTab);
    const QVariant stamp = Scalar("SELECT TmStamp FROM System_Parameters");
    form->cmdOk()->click();
    ASSERT_FALSE(world.ui().boxes.isEmpty());
    EXPECT_TRUE(world.ui().boxes[0].text.startsWith(QLatin1String(GetParam().firstMessage)))
        << world.ui().boxes[0].text.toStdString();
    EXPECT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_EQ(Scalar("SELECT TmStamp FROM System_Parameters"), stamp);
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, SaveCycle,
    ::testing::Values(CycleCase{"FromBlacklistUsersFirst", 3, "You must have an Admin user that can access all"},
                      CycleCase{"FromUsers", 4, "You must have an Admin user that can access all"},
                      CycleCase{"FromClient", 5, "Company Name cannot be blank"},
                      CycleCase{"FromMaintenance", 0, "The enquiry maintenance period is invalid"},
                      CycleCase{"FromServiceEnquirersFirst", 1, "Import folder for Stand-in Parking cannot be blank"},
                      CycleCase{"FromEnquirers", 2, "Import folder for Stand-in Parking cannot be blank"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Parameters, ASaveStoresEveryTabInOneGoWithTestModeOffAndClosesTheWindow)
{
    ChangeParameters([](SysParameters& p) { p.SetRunningInTestMode(true); });
    INIFile().SetIniString("System", "BespokeImportFormat", "Yes", folder.SettingsFile);
    INIFile().SetIniString("System", "ConfigVersion", "3", folder.SettingsFile);
    Settings().Load();
    frmParameters& window = Open();
    EXPECT_TRUE(window.Client()->ChkTrimAsterisk()->isHidden()) << "configuration 3";
    EXPECT_TRUE(window.Client()->chkWriteFromLeft()->isHidden());
    EXPECT_FALSE(window.Client()->cboExportFileFormat()->isEnabled());
    EXPECT_EQ(window.Client()->cboExportFileFormat()->currentText(), "Using bespoke format");
    window.Client()->txtPartyName()->setText("New Name Ltd");
    window.Client()->txtDuplicateDays()->setText("-5");
    window.Client()->TxtBatchSize()->setText("25");
    window.Maintenance()->txtTransLogTerm()->setText("2");
    window.Maintenance()->cboTransLogPeriod()->setCurrentText("Week");
    window.show();
    window.cmdOk()->click();

    ASSERT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_FALSE(window.isVisible());
    const SysParameters stored = StoredParameters();
    EXPECT_EQ(stored.ExportFormat(), 4);
    EXPECT_EQ(stored.PartyName(), "New Name Ltd");
    EXPECT_EQ(stored.DuplicateNumberOfDays(), 0);
    EXPECT_EQ(stored.BatchSize(), 25);
    EXPECT_EQ(stored.TransLogMaintenanceTerm(), 2);
    EXPECT_EQ(stored.TransLogMaintenancePeriod(), "Week");
    EXPECT_FALSE(stored.RunningInTestMode());
    EXPECT_FALSE(Settings().RunInTestMode());
    EXPECT_EQ(db().TransactionCount(), 0);
}

TEST_F(Parameters, AFailingSaveWritesNothingAndCanBeMadeAgain)
{
    frmParameters& window = Open();
    ShowTab(frmParameters::EnquirersTabIndex);
    const QString moved = folder.Path + "/moved";
    window.EnquirerTab()->txtEnqFolder(1)->setText(moved);
    window.EnquirerTab()->txtEnqFolder_LostFocus(1);
    window.Client()->txtPartyName()->setText("Changed Ltd");
    // Another installation changes the parameters meanwhile.
    CDataBase other;
    Fixture::Connect(other, folder);
    other.Execute("UPDATE System_Parameters SET TmStamp='elsewhere'");
    other.Disconnect();
    window.cmdOk()->click();

    ASSERT_EQ(world.ui().Texts(), QStringList{"Unable to save settings because:\rConcurrency prevented update."});
    EXPECT_TRUE(window.IsLoaded());
    EXPECT_EQ(db().TransactionCount(), 0);
    EXPECT_NE(Scalar("SELECT ExportFolder FROM ENQUIRER WHERE EnquirerId='AB123'").toString(), moved)
        << "the enquirers went back with the parameters";
    EXPECT_NE(StoredParameters().PartyName(), "Changed Ltd");

    // The batch size that is no number ends the save the same way.
    world.ui().boxes.clear();
    window.Client()->TxtBatchSize()->setText("lots");
    window.cmdOk()->click();
    EXPECT_EQ(world.ui().Texts(),
              QStringList{"Unable to save settings because:\rEnquiry Batch Size is not a number: \"lots\""});

    // The changes are kept in the window, to be saved again.
    ShowTab(frmParameters::ClientTabIndex);
    ShowTab(frmParameters::EnquirersTabIndex);
    EXPECT_EQ(window.EnquirerTab()->txtEnqFolder(1)->text(), moved);
}

// ---- the folder boxes ------------------------------------------------------

TEST_F(Parameters, ALongFolderShowsItsStartWhenTheEnquirersTabIsShownAndAfterTheWindowIsReopened)
{
    const QString deep = folder.Path + "/a folder far down the tree/" + QString(120, u'x');
    db().Execute("UPDATE ENQUIRER SET ImportFolder=?, ExportFolder=?", {deep + "/Import", deep + "/Export"});
    frmMenu menu(db(), ProgramScreens(), {});
    menu.InitialiseForm();
    menu.show();
    for (const char* opening : {"first opened", "reopened"}) {
        menu.cmdMaint()->click();
        auto* window = menu.findChild<frmParameters*>();
        ASSERT_TRUE(window);
        window->sstParameters()->setCurrentIndex(frmParameters::EnquirersTabIndex);
        for (int i = 0; i < 2; ++i) {
            QLineEdit* box = window->EnquirerTab()->txtEnqFolder(i);
            ASSERT_GT(box->fontMetrics().horizontalAdvance(box->text()), box->width());
            EXPECT_EQ(box->cursorPosition(), 0) << opening << ", folder box " << i;
        }
        window->cmdCancel()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
}

// ---- the administration lock ---------------------------------------------

TEST_F(Parameters, TheMenuOpensTheWindowAndClosingItGivesTheLockBack)
{
    frmMenu menu(db(), ProgramScreens(), {});
    menu.InitialiseForm();
    menu.show();
    menu.cmdMaint()->click();
    auto* window = menu.findChild<frmParameters*>();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(LockHolder(LockTypes::Administration), Fixture::Admin);
    window->cmdCancel()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(LockHolder(LockTypes::Administration), "");
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
}

TEST_F(Parameters, ALockThatCannotBeGivenBackIsReportedAndTheWindowStillCloses)
{
    frmParameters& window = Open();
    window.show();
    CDataBase other;
    Fixture::Connect(other, folder);
    other.BeginTrans();
    other.Execute("UPDATE System_Parameters SET Party_Name=Party_Name"); // holds the write lock
    db().SetBusyRetry(1, 1);
    window.close();
    other.Rollback();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(world.ui().Texts(), QStringList{"Unable to clear the Admin Lock when leaving Admin Functions."});
    EXPECT_EQ(LockHolder(LockTypes::Administration), Fixture::Admin);
}

} // namespace
