#include "EnquiryScreenTest.h"

#include "records/BlackListedVRM.h"
#include "records/JuxMessageErrors.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class EnquiryEditing : public EnquiryScreenTest {
protected:
    void Type(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    // The enquiry as stored, through a connection of its own.
    VQ3 Stored(const QString& id)
    {
        VQ3 enquiry;
        enquiry.SetDataSource(&db());
        enquiry.SetID(id);
        enquiry.Load();
        return enquiry;
    }
    int64_t StoredCount() { return Scalar("SELECT COUNT(*) FROM VQ3_Enquiries WHERE IsTest=0").toLongLong(); }
    QVariant Scalar(const char* sql)
    {
        RecordSet rs = db().OpenRecordSet(QString::fromLatin1(sql));
        const QVariant value = rs.Field(0);
        rs.Close();
        return value;
    }
    void Blacklist(const QString& vrm, const QString& reason)
    {
        BlackListedVRM entry;
        entry.SetDataSource(&db());
        entry.SetVRM(vrm);
        entry.SetReason(reason);
        entry.SetBlacklistedBy(Fixture::Admin);
        entry.SetBlacklistedOn(world.clock().Now());
        entry.Apply();
    }
    void Activate()
    {
        QApplication::setActiveWindow(screen.get());
    }
};

TEST_F(EnquiryEditing, ASavedNewEnquiryIsTheLastRowSelectedAndTheNextOneStartsAtOnce)
{
    Open();
    Store(QStringLiteral("CD34EFG"));
    screen->cmdSearch()->click();
    screen->cmdAdd()->click();
    EXPECT_EQ(screen->Mode(), 2);
    EXPECT_EQ(screen->cmdAdd()->text(), QStringLiteral("Cancel &Add"));
    EXPECT_EQ(screen->cmdSave()->text(), QStringLiteral("&Save Enquiry"));
    EXPECT_TRUE(screen->cmdSave()->isDefault());
    EXPECT_EQ(screen->txtDateOfEvent()->text(), QStringLiteral("15/03/2024"));
    EXPECT_EQ(screen->cboEnquirer()->currentText(), QStringLiteral("Stand-in Parking"));
    EXPECT_FALSE(screen->grdVQ3()->isEnabled());

    Type(screen->txtVRM(), QStringLiteral("ab12 cde"));
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("AB12 CDE")) << "capitals as they are typed";
    Type(screen->txtReference(), QStringLiteral("ref-1%"));
    EXPECT_EQ(screen->txtReference()->text(), QStringLiteral("REF-1"));
    screen->cmdSave()->click();
    EXPECT_TRUE(world.ui().Texts().isEmpty()) << world.ui().Texts().join('|').toStdString();

    ASSERT_EQ(Marks(), (QStringList{"CD34EFG", "AB12CDE"}));
    EXPECT_EQ(screen->grdVQ3()->CurrentRow(), 1);
    const VQ3 saved = Stored(Model().Key(1));
    EXPECT_EQ(saved.EnquiryReference(), QStringLiteral("REF-1"));
    EXPECT_EQ(saved.UserName(), Fixture::Admin);
    EXPECT_EQ(saved.ComputerName(), QStringLiteral("TESTPC"));
    EXPECT_EQ(saved.EnquirerId(), Fixture::FirstEnquirer);
    EXPECT_EQ(screen->Mode(), 2) << "the next new enquiry";
    EXPECT_EQ(screen->cmdAdd()->text(), QStringLiteral("Cancel &Add"));
    EXPECT_EQ(screen->txtVRM()->text(), QString());

    screen->cmdAdd()->click(); // cancel: nothing typed, nothing asked
    EXPECT_EQ(screen->Mode(), 0);
    EXPECT_EQ(screen->cmdAdd()->text(), QStringLiteral("&Add New Enquiry"));
    EXPECT_TRUE(world.ui().Texts().isEmpty());
}

TEST_F(EnquiryEditing, ABlacklistedMarkRefusedStartsAFreshEnquiryOrGoesBackToTheStoredOne)
{
    Make(FixtureOptions().WithBulkEnquiries(0));
    Blacklist(QStringLiteral("AB12CDE"), QStringLiteral("Stolen plates"));
    auto stored = Store(QStringLiteral("CD34EFG"));
    OpenAs(Fixture::Admin);

    screen->cmdAdd()->click();
    Type(screen->txtVRM(), QStringLiteral("AB12CDE"));
    screen->cmdSave()->click(); // the default answer: No
    EXPECT_EQ(world.ui().Texts(),
              QStringList{"AB12CDE is on the blacklist because of Stolen plates\rDo you still want to add the enquiry?"});
    EXPECT_EQ(screen->Mode(), 2);
    EXPECT_EQ(screen->txtVRM()->text(), QString()) << "a fresh enquiry";
    EXPECT_EQ(StoredCount(), 1);

    screen->cmdAdd()->click();
    screen->grdVQ3()->SelectGridRow(0);
    screen->cmdEdit()->click();
    EXPECT_EQ(screen->Mode(), 1);
    EXPECT_EQ(screen->cmdAdd()->text(), QStringLiteral("Cancel &Edit"));
    Type(screen->txtVRM(), QStringLiteral("AB12CDE"));
    screen->cmdSave()->click();
    EXPECT_EQ(screen->Mode(), 0);
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("CD34EFG"));
    EXPECT_FALSE(screen->lblBlackList()->isVisible());
    EXPECT_EQ(Stored(stored->ID()).VRMVIN(), QStringLiteral("CD34EFG"));
}

TEST_F(EnquiryEditing, PossibleDuplicatesRefusedKeepTheFieldsAsTyped)
{
    Open();
    Store(QStringLiteral("AB12CDE"), 3, QDate(2024, 3, 1), QStringLiteral("FIRST"));
    Store(QStringLiteral("AB12CDE"), 2, QDate(2024, 3, 5), QStringLiteral("SECOND"));
    screen->cmdAdd()->click();
    Type(screen->txtVRM(), QStringLiteral("AB12CDE"));
    Type(screen->txtReference(), QStringLiteral("THIRD"));
    screen->cmdSave()->click();
    EXPECT_EQ(world.ui().Texts(),
              QStringList{"2 possible duplicates for AB12CDE found.\rDo you want to keep this new enquiry?"});
    EXPECT_EQ(screen->Mode(), 2);
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("AB12CDE"));
    EXPECT_EQ(screen->txtReference()->text(), QStringLiteral("THIRD"));
    EXPECT_EQ(screen->focusWidget(), screen->txtReference());
    EXPECT_EQ(StoredCount(), 2);

    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    screen->cmdSave()->click();
    EXPECT_EQ(StoredCount(), 3);
}

TEST_F(EnquiryEditing, ASaveOvertakenByAnotherInstallationShowsTheStoredValues)
{
    Open();
    auto stored = Store(QStringLiteral("CD34EFG"));
    screen->cmdSearch()->click();
    screen->cmdEdit()->click();
    Type(screen->txtVRM(), QStringLiteral("CD35EFG"));

    world.clock().Advance(60);
    CDataBase other;
    Fixture::Connect(other, folder);
    VQ3 theirs;
    theirs.SetDataSource(&other);
    theirs.SetID(stored->ID());
    theirs.Load();
    theirs.SetVRMVIN(QStringLiteral("XY99XYZ"));
    theirs.Apply();
    other.Disconnect();

    screen->cmdSave()->click();
    EXPECT_EQ(world.ui().Texts(),
              QStringList{"Unable to Save the Enquiry because it has been modified by another user since you "
                          "loaded it.\rThe values changed by that user will be loaded."});
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("XY99XYZ"));
    EXPECT_EQ(Marks(), QStringList{"XY99XYZ"});
    EXPECT_EQ(Stored(stored->ID()).VRMVIN(), QStringLiteral("XY99XYZ"));
}

// What the user does to the enquiry CD34EFG of the second row, once another
// installation has deleted it.
struct DeletedElsewhereCase {
    const char* name;
    int shownRow;                       // the row shown when it went
    bool editFirst;                     // the edit was open when it went
    void (*act)(frmVQ3& screen);
    std::vector<const char*> expected; // the messages, in order
};

class DeletedElsewhere : public EnquiryEditing, public ::testing::WithParamInterface<DeletedElsewhereCase> {};

TEST_P(DeletedElsewhere, NothingIsShownOrWrittenAndItsRowLeavesTheList)
{
    const DeletedElsewhereCase& c = GetParam();
    Open();
    Store(QStringLiteral("AB12CDE"), 1, QDate(2024, 3, 1));
    const QString id = Store(QStringLiteral("CD34EFG"), 1, QDate(2024, 3, 2))->ID();
    Store(QStringLiteral("EF56GHI"), 1, QDate(2024, 3, 3));
    screen->cmdSearch()->click();
    ASSERT_EQ(Marks(), (QStringList{"AB12CDE", "CD34EFG", "EF56GHI"}));
    screen->grdVQ3()->SelectGridRow(c.shownRow);
    if (c.editFirst) {
        screen->cmdEdit()->click();
        Type(screen->txtVRM(), QStringLiteral("CD35EFG"));
    }
    DeleteElsewhere<VQ3>(id);
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    c.act(*screen);

    QStringList expected;
    for (const char* text : c.expected)
        expected << QString::fromUtf8(text).replace(QStringLiteral("%1"), id);
    EXPECT_EQ(world.ui().Texts(), expected);
    EXPECT_EQ(StoredCount(), 2);
    EXPECT_EQ(Marks(), (QStringList{"AB12CDE", "EF56GHI"}));
    EXPECT_FALSE(screen->List().Exists(id));
    EXPECT_EQ(screen->CurrentEnquiry(), nullptr);
    EXPECT_EQ(screen->txtVRM()->text(), QString());
    EXPECT_EQ(screen->Mode(), 0);
    EXPECT_EQ(screen->cmdAdd()->text(), QStringLiteral("&Add New Enquiry"));
    EXPECT_TRUE(screen->cmdSave()->isHidden());
    EXPECT_FALSE(screen->cmdEdit()->isEnabled());
    EXPECT_FALSE(screen->cmdDelete()->isEnabled());
    EXPECT_TRUE(screen->grdVQ3()->isEnabled());
    EXPECT_EQ(screen->grdVQ3()->CurrentRow(), -1) << "no row is current: a click on any shows it";

    screen->grdVQ3()->SelectGridRow(0);
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("AB12CDE")) << "the rest of the list is as it was";
    EXPECT_EQ(world.ui().Texts().size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    Installations, DeletedElsewhere,
    ::testing::Values(
        DeletedElsewhereCase{"SelectingItsRow", 0, false,
                             [](frmVQ3& s) {
                                 RecordGrid* grid = s.grdVQ3();
                                 QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                                   grid->visualRect(grid->Model()->index(1, 1)).center());
                             },
                             {"Cannot find the selected VQ3 (%1)"}},
        DeletedElsewhereCase{"EditingIt", 1, false, [](frmVQ3& s) { s.cmdEdit()->click(); },
                             {"Cannot find the selected VQ3 (%1)"}},
        DeletedElsewhereCase{"SavingItsEdit", 1, true, [](frmVQ3& s) { s.cmdSave()->click(); },
                             {"Unable to Save the Enquiry because it has been deleted by another user since you "
                              "loaded it."}},
        DeletedElsewhereCase{"DeletingIt", 1, false, [](frmVQ3& s) { s.cmdDelete()->click(); },
                             {"Delete this Enquiry?", "Unable to Delete the Enquiry because it has been deleted by "
                                                      "another user since you loaded it."}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedSaveCase {
    const char* name;
    const char* mark;
    const char* date;
};

class RefusedSave : public EnquiryEditing, public ::testing::WithParamInterface<RefusedSaveCase> {};

TEST_P(RefusedSave, LeavesTheGridShowingTheStoredValues)
{
    const RefusedSaveCase& c = GetParam();
    Open();
    Store(QStringLiteral("AB12CDE"), 2, QDate(2024, 2, 1));
    Store(QStringLiteral("CD34EFG"), 1, QDate(2024, 3, 1));
    screen->cmdSearch()->click();
    screen->grdVQ3()->SelectGridRow(1);
    screen->cmdEdit()->click();
    Type(screen->txtVRM(), QString::fromLatin1(c.mark));
    Type(screen->txtDateOfEvent(), QString::fromLatin1(c.date));
    screen->cmdSave()->click(); // refused: by the checks, or by No to keeping a possible duplicate
    ASSERT_EQ(screen->Mode(), 1) << world.ui().Texts().join('|').toStdString();
    EXPECT_EQ(Model().Text(1, 1), QStringLiteral("CD34EFG"));
    EXPECT_EQ(Model().Text(1, 2), QStringLiteral("01/03/2024"));

    Type(screen->txtDateOfEvent(), QStringLiteral("02/03/2024"));
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    screen->cmdSave()->click();
    ASSERT_EQ(screen->Mode(), 0);
    EXPECT_EQ(Model().Text(1, 1), QString::fromLatin1(c.mark)) << "the saved values, once saved";
    EXPECT_EQ(Model().Text(1, 2), QStringLiteral("02/03/2024"));
}

INSTANTIATE_TEST_SUITE_P(Saves, RefusedSave,
                         ::testing::Values(RefusedSaveCase{"ByTheChecks", "CD35EFG", "1/2/3/4"},
                                           RefusedSaveCase{"ByNoToAPossibleDuplicate", "AB12CDE", "02/03/2024"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EnquiryEditing, TheDateOfEventIsRewrittenWhenItsBoxLosesTheFocus)
{
    Open();
    Store(QStringLiteral("CD34EFG"));
    screen->cmdSearch()->click();
    Activate();
    screen->cmdEdit()->click();
    ASSERT_EQ(QApplication::focusWidget(), screen->txtVRM());
    screen->txtDateOfEvent()->setFocus();
    Type(screen->txtDateOfEvent(), QStringLiteral("1/2/5a0"));
    EXPECT_EQ(screen->txtDateOfEvent()->text(), QStringLiteral("1/2/50")) << "digits and / only";
    screen->txtReference()->setFocus();
    EXPECT_EQ(screen->txtDateOfEvent()->text(), QStringLiteral("01/02/1950"));

    // A date that is no date stays as typed and keeps the edit open.
    screen->txtDateOfEvent()->setFocus();
    Type(screen->txtDateOfEvent(), QStringLiteral("1/2/3/4"));
    screen->cmdSave()->click();
    ASSERT_EQ(world.ui().Texts().size(), 1);
    EXPECT_EQ(world.ui().Texts()[0],
              QStringLiteral("Please enter a valid Date of Event was: 1/2/3/4, changed to to 1/April/2000"));
    EXPECT_EQ(screen->Mode(), 1);
    EXPECT_EQ(screen->txtDateOfEvent()->text(), QStringLiteral("1/2/3/4"));
    EXPECT_EQ(QApplication::focusWidget(), screen->txtDateOfEvent());
    EXPECT_EQ(Stored(Model().Key(0)).DateOfEvent(), QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
}

TEST_F(EnquiryEditing, OnlyAnUnsentEnquiryCanBeDeleted)
{
    Open();
    auto sent = Store(QStringLiteral("AB12CDE"), 1, QDate(2024, 3, 1));
    sent->SetWhenPrepared(world.clock().Now());
    sent->SetWhenSent(world.clock().Now());
    sent->Apply();
    Store(QStringLiteral("CD34EFG"), 1, QDate(2024, 3, 2));
    screen->cmdSearch()->click();
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("AB12CDE"));
    EXPECT_FALSE(screen->cmdDelete()->isEnabled());
    EXPECT_FALSE(screen->cmdEdit()->isEnabled());
    screen->cmdDelete_Click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"You cannot delete this because it has been sent to the service."});
    EXPECT_EQ(StoredCount(), 2);

    screen->grdVQ3()->SelectGridRow(1);
    ASSERT_TRUE(screen->cmdDelete()->isEnabled());
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    screen->cmdDelete()->click();
    EXPECT_EQ(world.ui().Texts().last(), QStringLiteral("Delete this Enquiry?"));
    EXPECT_EQ(StoredCount(), 1);
    EXPECT_EQ(Marks(), QStringList{"AB12CDE"});
    EXPECT_EQ(screen->txtVRM()->text(), QStringLiteral("AB12CDE"));
}

TEST_F(EnquiryEditing, ClearedErrorsGoWithTheNextSave)
{
    Open();
    auto stored = Store(QStringLiteral("CD34EFG"));
    stored->AddError(QStringLiteral("NS500"), QStringLiteral("Invalid VRM"));
    stored->Apply();
    screen->cmdSearch()->click();
    EXPECT_EQ(screen->lstErrors()->count(), 1);
    EXPECT_FALSE(screen->cmdClearErrors()->isEnabled()) << "only while editing";
    screen->cmdEdit()->click();
    ASSERT_TRUE(screen->cmdClearErrors()->isEnabled());
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    screen->cmdClearErrors()->click();
    EXPECT_EQ(world.ui().Texts(), QStringList{"Do you want to clear the errors on this Enquiry?\rNote that you must "
                                              "save the Enquiry for the change to take effect."});
    EXPECT_EQ(screen->lstErrors()->count(), 0);
    EXPECT_EQ(Stored(stored->ID()).Errors()->Count(), 1) << "not before the save";
    screen->cmdSave()->click();
    EXPECT_EQ(screen->Mode(), 0);
    EXPECT_EQ(Stored(stored->ID()).Errors()->Count(), 0);
}

TEST_F(EnquiryEditing, ClosingWithChangesOutstandingAsksFirst)
{
    Open();
    Store(QStringLiteral("CD34EFG"));
    screen->cmdSearch()->click();
    screen->cmdEdit()->click();
    Type(screen->txtVRM(), QStringLiteral("CD35EFG"));
    EXPECT_FALSE(screen->close());
    EXPECT_EQ(world.ui().Texts(), QStringList{"Discard the outstanding changes?"});
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->Mode(), 1);
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    EXPECT_TRUE(screen->close());

    OpenAs(Fixture::Admin);
    EXPECT_TRUE(screen->close());
    EXPECT_EQ(world.ui().Texts().size(), 2) << "browsing asks nothing";
}

} // namespace

namespace {

TEST_F(EnquiryEditing, TheBoxesSwitchTheDefaultButtonAndTheLabelsAndListsFollowTheFocus)
{
    Open(Fixture::Clerk);
    Store(QStringLiteral("CD34EFG"));
    screen->cmdSearch()->click();
    Activate();
    screen->txtVRMSearch()->setFocus();
    EXPECT_TRUE(screen->cmdSearch()->isDefault()) << "Enter loads while a search box has the focus";
    EXPECT_FALSE(screen->cmdAdd()->isDefault());
    screen->grdVQ3()->setFocus();
    EXPECT_TRUE(screen->cmdAdd()->isDefault());
    EXPECT_FALSE(screen->cmdSearch()->isDefault());

    screen->cmdEdit()->click();
    // One enquirer: shown as text; its two reasons: a list.
    EXPECT_FALSE(screen->txtEnquirerName()->isHidden());
    EXPECT_TRUE(screen->cboEnquirer()->isHidden());
    EXPECT_FALSE(screen->cboReasonForEnquiry()->isHidden());
    EXPECT_EQ(screen->cboReasonForEnquiry()->currentText(), QStringLiteral("01PK, Parking enquiry"));

    screen->txtReference()->setFocus();
    QTest::mouseClick(screen->lblVRM(), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), screen->txtVRM()) << "a label's click goes to its box";
    EXPECT_EQ(screen->txtVRM()->selectedText(), QStringLiteral("CD34EFG")) << "the whole text selected";
}

TEST_F(EnquiryEditing, AnEnquirerChosenByTheUserRefillsTheReasonsAndOneChosenByTheProgramDoesNot)
{
    Open(Fixture::Admin);
    Store(QStringLiteral("CD34EFG"));
    screen->cmdSearch()->click();
    Activate();
    screen->cmdEdit()->click();
    ASSERT_FALSE(screen->cboEnquirer()->isHidden());
    EXPECT_EQ(screen->cboEnquirer()->currentText(), QStringLiteral("Stand-in Parking"));
    screen->cboEnquirer()->setCurrentIndex(1);
    EXPECT_EQ(screen->cboReasonForEnquiry()->itemText(0), QStringLiteral("01PK, Parking enquiry"))
        << "a selection without the focus leaves the reasons";
    screen->cboEnquirer()->setFocus();
    EXPECT_EQ(screen->cboEnquirer()->property("Tag").toString(), QStringLiteral("ON"));
    screen->cboEnquirer()->setCurrentIndex(0);
    screen->cboEnquirer()->setCurrentIndex(1);
    EXPECT_EQ(screen->cboReasonForEnquiry()->itemText(0), QStringLiteral("04TL, Toll arrears"));
    screen->txtVRM()->setFocus();
    EXPECT_EQ(screen->cboEnquirer()->property("Tag").toString(), QString());
}

TEST_F(EnquiryEditing, ASmallScreenGetsTheCompactLayoutWithoutTheBanner)
{
    Make(FixtureOptions().WithBulkEnquiries(0));
    LogOn(Fixture::Admin);
    RecordScreenTools tools;
    tools.ScreenHeight = 729;
    frmVQ3 small(tools);
    small.InitialiseForm();
    EXPECT_FALSE(small.HasPicture());
    EXPECT_EQ(small.height(), 635);
    screen.reset();
    OpenAs(Fixture::Admin);
    EXPECT_TRUE(screen->HasPicture()) << "730 pixels and more keep it";
}

} // namespace
