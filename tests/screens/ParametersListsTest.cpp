#include "ParametersTest.h"
#include "WhenShown.h"

#include "records/BlackListedVRM.h"
#include "screens/admin/BlacklistTab.h"
#include "screens/admin/UsersTab.h"
#include "screens/records/frmEditBlackListVrm.h"

#include <QListWidget>

namespace {

class ListsOnScreen : public ParametersTest {
protected:
    void SetUp() override
    {
        ParametersTest::SetUp();
        blacklistEditor = [this](QWidget*, BlackListedVRM& entry, bool disableVrm, bool allowDelete) {
            EXPECT_FALSE(disableVrm);
            EXPECT_FALSE(allowDelete);
            ++edits;
            if (!accept)
                return;
            if (entry.IsNew())
                entry.SetVRM(vrm);
            entry.SetReason(reason);
            entry.EndEdit();
        };
    }
    void StoreEntry(const QString& mark, const QString& why)
    {
        BlackListedVRM entry;
        entry.SetDataSource(&db());
        entry.SetVRM(mark);
        entry.SetReason(why);
        entry.SetBlacklistedBy("someone");
        entry.Apply();
    }
    QListWidget* List() const { return form->Blacklist()->lstBlackList(); }
    QString StoredReason(const QString& mark)
    {
        return Scalar("SELECT Reason FROM VRM_BLACKLIST WHERE VRM=?", {mark}).toString();
    }

    bool accept = true;
    QString vrm = "AB12CDE";
    QString reason = "Stolen";
    int edits = 0;
};

TEST_F(ListsOnScreen, AnAddedEntryIsStoredWholeAndListedCutTo50)
{
    StoreEntry("ZZ99ZZZ", "Known");
    Open();
    ShowTab(frmParameters::BlacklistTabIndex);
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->currentRow(), 0);
    reason = QString(60, u'r');
    form->Blacklist()->cmdAdd2BL()->click();
    ASSERT_EQ(List()->count(), 2);
    EXPECT_EQ(List()->item(1)->text(), "AB12CDE\t" + QString(50, u'r'));
    EXPECT_EQ(StoredReason("AB12CDE"), QString(60, u'r'));
    EXPECT_EQ(Scalar("SELECT BlacklistedBy FROM VRM_BLACKLIST WHERE VRM='AB12CDE'").toString(), Fixture::Admin);

    form->Blacklist()->cmdAdd2BL()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"This VRM is already in the blacklist"});
    EXPECT_EQ(List()->count(), 2);
    accept = false;
    form->Blacklist()->cmdAdd2BL()->click();
    EXPECT_EQ(List()->count(), 2);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM VRM_BLACKLIST").toInt(), 2);
}

TEST_F(ListsOnScreen, AnEditByDoubleClickIsStoredAtOnce)
{
    StoreEntry("AB12CDE", "Stolen");
    Open();
    ShowTab(frmParameters::BlacklistTabIndex);
    reason = "Cloned plates";
    emit List()->itemDoubleClicked(List()->item(0));
    EXPECT_EQ(StoredReason("AB12CDE"), "Cloned plates");
    EXPECT_EQ(List()->item(0)->text(), "AB12CDE\tCloned plates");
    List()->clearSelection();
    form->Blacklist()->cmdEditBL()->click();
    EXPECT_EQ(edits, 1) << "no line selected: nothing";
}

TEST_F(ListsOnScreen, AnEntryEditedToAnotherMarkIsListedUnderItAndTheOldMarkCanBeAddedAgain)
{
    StoreEntry("AB12CDE", "Stolen");
    blacklistEditor = [](QWidget*, BlackListedVRM& entry, bool, bool) {
        entry.SetVRM(entry.IsNew() ? QStringLiteral("AB12CDE") : QStringLiteral("CD34EFG"));
        entry.SetReason(QStringLiteral("Stolen"));
        entry.EndEdit();
    };
    Open();
    ShowTab(frmParameters::BlacklistTabIndex);
    form->Blacklist()->cmdEditBL()->click();
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->item(0)->text(), "CD34EFG\tStolen");
    form->Blacklist()->cmdAdd2BL()->click();
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(List()->count(), 2);
    EXPECT_EQ(StoredReason("AB12CDE"), "Stolen");
    EXPECT_EQ(StoredReason("CD34EFG"), "Stolen");
}

TEST_F(ListsOnScreen, RemovingAsksFirstAndTheLastEntryLeavesAnEmptyList)
{
    StoreEntry("AB12CDE", "Stolen");
    Open();
    ShowTab(frmParameters::BlacklistTabIndex);
    world.ui().ScriptAnswer(MsgBox::AnswerNo);
    form->Blacklist()->cmdRemoveBL()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Delete AB12CDE from the blacklist?"});
    EXPECT_EQ(world.ui().boxes[0].style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
    EXPECT_EQ(List()->count(), 1);
    EXPECT_EQ(StoredReason("AB12CDE"), "Stolen");

    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    form->Blacklist()->cmdRemoveBL()->click();
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(List()->currentRow(), -1);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM VRM_BLACKLIST").toInt(), 0);
}

TEST_F(ListsOnScreen, TheProgramsEntryDialogAddsToTheBlacklist)
{
    blacklistEditor = EditBlacklistEntry;
    Open();
    ShowTab(frmParameters::BlacklistTabIndex);
    WhenShown<frmEditBlackListVrm>([](frmEditBlackListVrm& dialog) {
        dialog.txtVRM()->setText("AB12CDE");
        dialog.txtReason()->setText("Stolen");
        dialog.cmdOk()->click();
    });
    form->Blacklist()->cmdAdd2BL()->click();
    EXPECT_EQ(StoredReason("AB12CDE"), "Stolen");
    EXPECT_EQ(List()->count(), 1);
}

// ---- the users tab --------------------------------------------------------

TEST_F(ListsOnScreen, UsersAreEditedByDoubleClickAndAddedThroughTheEditor)
{
    QStringList edited;
    userEditor = [&](QWidget* owner, const std::shared_ptr<Enquirers>& enquirers, const std::shared_ptr<User>& user) {
        EXPECT_EQ(owner, form.get());
        EXPECT_EQ(enquirers->Count(), 2);
        edited << (user->IsNew() ? QStringLiteral("(new)") : user->UserName());
        user->SetDescription("Edited");
        if (user->IsNew()) {
            user->SetUserName("added1");
            user->SetPassword(Fixture::Password);
        }
        user->Apply();
    };
    Open();
    ShowTab(frmParameters::UsersTabIndex);
    const auto clerk = form->lstUsers()->findItems("clerk1 ", Qt::MatchStartsWith);
    ASSERT_EQ(clerk.size(), 1);
    form->lstUsers()->setCurrentItem(clerk.first());
    emit form->lstUsers()->itemDoubleClicked(clerk.first());
    form->UserTab()->cmdAddUser()->click();
    EXPECT_EQ(edited, (QStringList{"clerk1", "(new)"}));
    EXPECT_FALSE(form->lstUsers()->findItems("clerk1 (Edited)", Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(form->lstUsers()->findItems("added1 (Edited)", Qt::MatchExactly).isEmpty());
}

} // namespace
