#include "ParametersTest.h"

#include "service/NevixMessageTypes.h"
#include "support/FileBytes.h"

#include <QApplication>
#include <QTemporaryDir>

namespace {

class ServiceOnScreen : public ParametersTest {
protected:
    void TypePasswords(const QString& entered, const QString& confirmed)
    {
        form->Service()->txtNevixNewPassword()->setText(entered);
        form->Service()->txtConfirmNevixPassword()->setText(confirmed);
    }
    QString StoredServicePassword()
    {
        NevixParameters account;
        account.SetDataSource(&db());
        account.Load();
        return account.Password();
    }
    int Requests(const QString& type) const { return standIn.Received(type); }
};

TEST_F(ServiceOnScreen, APasswordBreakingTheRuleOrNotConfirmedIsRefusedBeforeAnyQuestion)
{
    Open();
    ShowTab(frmParameters::ServiceTabIndex);
    TypePasswords("Abcde12", "Abcde12");
    form->Service()->cmdChangePasswordOnServer()->click();
    TypePasswords("Abcdefg1", "abcdefg1");
    form->Service()->cmdChangePasswordOnServer()->click();
    EXPECT_EQ(world.ui().Texts(), (QStringList{form->Service()->lblPasswordRule()->text(),
                                               "The new password and confirmed passwords do not match"}));
    EXPECT_EQ(world.ui().boxes[0].style, MsgBox::Exclamation);
    EXPECT_EQ(world.ui().boxes[1].style, MsgBox::Information);
    EXPECT_EQ(Requests(NevixMessageTypes::ChangePassword), 0);
}

TEST_F(ServiceOnScreen, AnAcknowledgedChangeStoresTheNewPassword)
{
    Open();
    TypePasswords("Abcdefg1", "Abcdefg1");
    world.ui().ScriptAnswer(MsgBox::AnswerNo);
    form->Service()->cmdChangePasswordOnServer()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Are you sure you want to change the password on the NEVIX service?"});
    EXPECT_EQ(Requests(NevixMessageTypes::ChangePassword), 0);

    world.ui().boxes.clear();
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    form->Service()->cmdChangePasswordOnServer()->click();
    EXPECT_EQ(world.ui().Texts().value(1), "Password successfully changed on the server.");
    EXPECT_EQ(Requests(NevixMessageTypes::ChangePassword), 1);
    EXPECT_EQ(StoredServicePassword(), "Abcdefg1");
    EXPECT_TRUE(form->Service()->txtNevixNewPassword()->text().isEmpty());
}

TEST_F(ServiceOnScreen, TheWindowCannotBeClosedWhileTheServiceIsAsked)
{
    Open();
    form->show();
    bool closed = true;
    standIn.SetRequestObserver([&](const QString&) {
        EXPECT_FALSE(form->isEnabled());
        closed = form->close();
    });
    ShowTab(frmParameters::EnquirersTabIndex);
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    form->EnquirerTab()->cmdGetEnquirersFromNevix()->click();
    EXPECT_FALSE(closed);
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(LockHolder(LockTypes::Administration), Fixture::Admin);
}

TEST_F(ServiceOnScreen, ARefusedChangeOffersTheLogAndKeepsThePassword)
{
    QTemporaryDir scripts;
    WriteBytes(scripts.filePath("ChangePassword.xml"), ReadBytes(NEVIX_TEST_DATA "/service/err.xml"));
    StandInService refusing(scripts.path());
    SimpleHttpServer refusingServer([&](const SimpleHttpServer::Request& r) { return refusing.Handle(r); });
    ASSERT_TRUE(refusingServer.Listen());
    UseServiceAt(refusingServer.Url(), folder.SettingsFile);
    Open();
    TypePasswords("Abcdefg1", "Abcdefg1");
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    form->Service()->cmdChangePasswordOnServer()->click();
    ASSERT_EQ(world.ui().boxes.size(), 2);
    EXPECT_EQ(world.ui().boxes[1].text, "Password change was unsuccessful.\rDo you want to view the log?");
    EXPECT_EQ(world.ui().boxes[1].style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
    EXPECT_EQ(StoredServicePassword(), Fixture::ServicePassword);
    EXPECT_EQ(form->Service()->txtNevixNewPassword()->text(), "Abcdefg1");
}

TEST_F(ServiceOnScreen, TheCommunicationsLockIsShownAndClearedWithoutAQuestion)
{
    CommsLock held;
    held.AquireCommsLock("other", &db());
    Open();
    EXPECT_EQ(form->Service()->lblCommsLockInfo()->text(), "Comms have been locked by other since 15 Mar 2024 10:30:00");
    EXPECT_FALSE(form->Service()->cmdUnlockComms()->isHidden());
    form->Service()->cmdUnlockComms()->click();
    EXPECT_EQ(form->Service()->lblCommsLockInfo()->text(), "Communications are not locked");
    EXPECT_TRUE(form->Service()->cmdUnlockComms()->isHidden());
    EXPECT_TRUE(world.ui().boxes.isEmpty());
    EXPECT_EQ(LockHolder(LockTypes::Communications), "");
}

// ---- the enquirers tab ----------------------------------------------------

TEST_F(ServiceOnScreen, TheDownloadReplacesTheEnquirersWithOneDefault)
{
    db().Execute("UPDATE ENQUIRER SET EnqName='Old Tolls', IsDefault=1");
    Open();
    ShowTab(frmParameters::EnquirersTabIndex);
    world.ui().ScriptAnswer(MsgBox::AnswerNo);
    form->EnquirerTab()->cmdGetEnquirersFromNevix()->click();
    EXPECT_EQ(Requests(NevixMessageTypes::EnquirerRequest), 0);
    EXPECT_EQ(world.ui().Texts(), QStringList{"This will merge existing Enquirer data.\rAre you sure?"});

    world.ui().boxes.clear();
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    form->EnquirerTab()->cmdGetEnquirersFromNevix()->click();
    EXPECT_EQ(world.ui().Texts().value(1), "Parameters obtained successfully");
    QStringList names;
    for (int i = 0; i < form->cboEnquirer()->count(); ++i)
        names << form->cboEnquirer()->itemText(i);
    EXPECT_EQ(names, (QStringList{"Stand-in Parking", "Stand-in Tolls"}));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ENQUIRER WHERE IsDefault=1").toInt(), 1);
}

TEST_F(ServiceOnScreen, OnlyTheUsersOwnTickChangesTheDefaultEnquirer)
{
    Open();
    form->show();
    QApplication::setActiveWindow(form.get());
    ShowTab(frmParameters::EnquirersTabIndex);
    form->cboEnquirer()->setCurrentIndex(1); // Stand-in Tolls
    ASSERT_FALSE(form->chkIsDefaultEnquirer()->isChecked());
    form->chkIsDefaultEnquirer()->setChecked(true); // by the program
    form->chkIsDefaultEnquirer()->setChecked(false);
    form->cmdOk()->click();
    ASSERT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(Scalar("SELECT EnquirerId FROM ENQUIRER WHERE IsDefault=1").toString(), Fixture::FirstEnquirer);

    Open();
    form->show();
    QApplication::setActiveWindow(form.get());
    ShowTab(frmParameters::EnquirersTabIndex);
    form->cboEnquirer()->setCurrentIndex(1);
    form->chkIsDefaultEnquirer()->setFocus();
    QCoreApplication::processEvents();
    form->chkIsDefaultEnquirer()->click();
    form->cmdOk()->click();
    EXPECT_EQ(Scalar("SELECT EnquirerId FROM ENQUIRER WHERE IsDefault=1").toString(), Fixture::SecondEnquirer);
}

TEST_F(ServiceOnScreen, FoldersAreStoredOnLeavingTheBoxOrBrowsing)
{
    Open();
    ShowTab(frmParameters::EnquirersTabIndex);
    const QString imports = folder.Path + "/AB123/Import2";
    const QString exports = folder.Path + "/AB123/Export2";
    form->txtEnqFolder(0)->setText(imports);
    form->EnquirerTab()->txtEnqFolder_LostFocus(0);
    world.ui().ScriptFile(exports);
    form->EnquirerTab()->cmdBrowse(1)->click();
    EXPECT_EQ(world.ui().folderRequests.value(0).title, "Enquirer Export Folder");
    EXPECT_EQ(form->txtEnqFolder(1)->text(), exports);
    form->cmdOk()->click();
    ASSERT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(Scalar("SELECT ImportFolder FROM ENQUIRER WHERE EnquirerId='AB123'").toString(), imports);
    EXPECT_EQ(Scalar("SELECT ExportFolder FROM ENQUIRER WHERE EnquirerId='AB123'").toString(), exports);
}

TEST_F(ServiceOnScreen, WhatTheFolderBoxesShowIsSavedThoughTheBoxWasNotLeft)
{
    const QString before = Scalar("SELECT ImportFolder FROM ENQUIRER WHERE EnquirerId='AB123'").toString();
    Open();
    form->cmdOk()->click();
    ASSERT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(Scalar("SELECT ImportFolder FROM ENQUIRER WHERE EnquirerId='AB123'").toString(), before)
        << "the tab never shown: its empty boxes store nothing";

    Open();
    ShowTab(frmParameters::EnquirersTabIndex);
    const QString imports = folder.Path + "/AB123/Pasted";
    form->txtEnqFolder(0)->setText(imports); // the focus never in the box
    form->cmdOk()->click();
    ASSERT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(Scalar("SELECT ImportFolder FROM ENQUIRER WHERE EnquirerId='AB123'").toString(), imports);
}

TEST_F(ServiceOnScreen, TheDateOfEventLimitsOfTheSelectedEnquirer)
{
    db().Execute("UPDATE ENQUIRY_REASON SET DateOfEventCutOff=45 WHERE EnquiryCode='01PK'");
    db().Execute("UPDATE ENQUIRY_REASON SET DateOfEventCutOff=0 WHERE EnquiryCode='02PK'");
    Open();
    ShowTab(frmParameters::EnquirersTabIndex);
    form->EnquirerTab()->cmdShowDoeCutOff()->click();
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].style, MsgBox::Information);
    const QString text = world.ui().boxes[0].text;
    EXPECT_TRUE(text.startsWith("Date of Event limits for Stand-in Parking as set by the DVLA.\r\n"));
    EXPECT_TRUE(text.contains("\r\n 01PK, Parking enquiry         : 30-Jan-24  (45 days ago)\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("\r\n 02PK, Private parking         : No Date of Event limit\r\n"));
}

} // namespace
