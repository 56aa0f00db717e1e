#include "support/DatabaseTest.h"

#include "WhenShown.h"
#include "records/BlackListedVRM.h"
#include "screens/records/frmEditBlackListVrm.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class BlacklistDialog : public DatabaseTest {
protected:
    // A stored entry as its caller loads it.
    void StoredEntry()
    {
        entry.SetDataSource(&db);
        entry.SetVRM("AB51ABC");
        entry.SetReason("Stolen");
        entry.SetBlacklistedBy("clerk1");
        entry.SetBlacklistedOn(QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
        entry.Apply();
        entry.Load("AB51ABC");
        ASSERT_FALSE(entry.IsNew());
    }

    BlackListedVRM entry;
    frmEditBlackListVrm dialog;
};

TEST_F(BlacklistDialog, ShowsTheEntryWithItsCaptionsAndLimits)
{
    StoredEntry();
    dialog.SetBlacklistedVRM(entry);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "BLACKLISTED VRM");
    EXPECT_EQ(dialog.Frame1()->title(), "BLACK LIST");
    QStringList labels;
    for (int i = 1; i <= 4; ++i)
        labels << dialog.Label(i)->text();
    EXPECT_EQ(labels.join('|'), "VRM/VIN|Reason|Added by|Added on");
    EXPECT_EQ(dialog.txtVRM()->text(), "AB51ABC");
    EXPECT_EQ(dialog.txtReason()->text(), "Stolen");
    EXPECT_EQ(dialog.txtAddedBy()->text(), "clerk1");
    EXPECT_EQ(dialog.txtAddedOn()->text(), "05 Mar 24");
    EXPECT_EQ(dialog.txtVRM()->maxLength(), 25);
    EXPECT_EQ(dialog.txtReason()->maxLength(), 50);
    EXPECT_EQ(dialog.cmdOk()->text(), "&Save");
    EXPECT_TRUE(dialog.cmdOk()->isDefault());
    EXPECT_EQ(dialog.cmdCancel()->text(), "&Cancel");
    EXPECT_FALSE(dialog.cmdDelete()->isVisible());
    // A stored entry's mark is not changed in place.
    EXPECT_TRUE(dialog.txtVRM()->isReadOnly());
    EXPECT_TRUE(dialog.txtVRM()->font().bold());
    EXPECT_TRUE(dialog.txtAddedBy()->isReadOnly() && dialog.txtAddedOn()->isReadOnly());
    EXPECT_FALSE(dialog.txtReason()->isReadOnly());
    EXPECT_FALSE(entry.IsDirty());
}

TEST_F(BlacklistDialog, TypedMarksAreCapitalsLettersDigitsAndBlanksOnly)
{
    dialog.SetBlacklistedVRM(entry, false, true);
    dialog.show();
    EXPECT_FALSE(dialog.txtVRM()->isReadOnly()) << "a new entry's mark, unless the caller fixes it";
    EXPECT_TRUE(dialog.cmdDelete()->isVisible());
    QTest::keyClicks(dialog.txtVRM(), "ab 1-2.c");
    EXPECT_EQ(dialog.txtVRM()->text(), "AB 12C");
    EXPECT_EQ(entry.VRM(), "AB12C");
    QTest::keyClicks(dialog.txtReason(), "seen - twice");
    EXPECT_EQ(entry.Reason(), "seen - twice");
}

struct SaveCase {
    const char* name;
    const char* vrm;
    const char* reason;
    const char* refusal; // "" when saved
};

class BlacklistSave : public BlacklistDialog, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(BlacklistSave, RefusesWithEveryReasonOrAcceptsTheCleanedEntry)
{
    const SaveCase& c = GetParam();
    dialog.SetBlacklistedVRM(entry);
    dialog.show();
    dialog.txtVRM()->setText(QLatin1String(c.vrm));
    dialog.txtReason()->setText(QLatin1String(c.reason));
    dialog.cmdOk()->click();
    if (*c.refusal) {
        EXPECT_EQ(world.ui().Texts(), QStringList{QStringLiteral("Cannot save because:\r") + c.refusal});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(entry.BeenApplied());
        EXPECT_EQ(entry.VRM(), QString(c.vrm).remove(' ').toUpper()) << "the edit is kept";
    } else {
        EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join('|').toStdString();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(entry.BeenApplied());
        EXPECT_FALSE(entry.IsDeleted());
        EXPECT_EQ(entry.Reason(), QString(c.reason).trimmed().remove('\t'));
    }
}

const SaveCase SaveCases[] = {
    {"One_character_and_no_reason", "A", "",
     "Please enter a vehicle registration or VIN\r\nThe reason cannot be blank"},
    {"Blank_reason", "AB51ABC", "   ", "The reason cannot be blank"},
    {"Mark_breaking_a_rule", "ABCD1", "Stolen", "{003}There cannot be more than 3 letters in a VRM group"},
    {"Seventeen_characters_skip_the_mark_rules", "ABCDEFGHIJKLMNOPQ", "Cloned", ""},
    {"Sixteen_characters_do_not", "ABCDEFGHIJKLMNOP", "Cloned", "{001}VRM contains invalid grouping"},
    {"Valid_mark_and_reason_trimmed", "ab51 abc", "  Stolen\t", ""},
};

INSTANTIATE_TEST_SUITE_P(Dialog, BlacklistSave, ::testing::ValuesIn(SaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BlacklistDialog, CancelOrTheCloseBoxPutTheEntryBack)
{
    StoredEntry();
    for (const bool closeBox : {false, true}) {
        frmEditBlackListVrm shown;
        shown.SetBlacklistedVRM(entry, false, true);
        shown.show();
        shown.txtReason()->setText("Changed");
        ASSERT_EQ(entry.Reason(), "Changed");
        if (closeBox)
            shown.close();
        else
            shown.cmdCancel()->click();
        EXPECT_FALSE(shown.isVisible());
        EXPECT_EQ(entry.Reason(), "Stolen");
        EXPECT_FALSE(entry.IsDirty() || entry.BeenApplied());
    }
}

TEST_F(BlacklistDialog, DeleteAsksFirstAndMarksTheEntryOnYes)
{
    StoredEntry();
    dialog.SetBlacklistedVRM(entry, true, true);
    dialog.show();
    world.ui().ScriptAnswer(MsgBox::AnswerNo);
    dialog.cmdDelete()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(entry.IsDeleted());
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, "Remove this vehicle from the blacklist?");
    EXPECT_EQ(world.ui().boxes[0].style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);

    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    dialog.cmdDelete()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(entry.IsDeleted() && entry.BeenApplied());
}

TEST_F(BlacklistDialog, TheEditorFunctionShowsTheDialogModalAndLeavesTheWriteToTheCaller)
{
    StoredEntry();
    WhenShown<frmEditBlackListVrm>([](frmEditBlackListVrm& shown) {
        EXPECT_TRUE(shown.isModal());
        EXPECT_TRUE(shown.txtVRM()->isReadOnly());
        shown.txtReason()->setText("Seen again");
        shown.cmdOk()->click();
    });
    EditBlacklistEntry(nullptr, entry, true, false);
    EXPECT_TRUE(entry.BeenApplied());
    EXPECT_EQ(entry.Reason(), "Seen again");
    const QString reason = QStringLiteral("SELECT Reason FROM VRM_BLACKLIST WHERE VRM='AB51ABC'");
    EXPECT_EQ(Scalar(reason).toString(), "Stolen") << "the dialog writes nothing";
    entry.Apply();
    EXPECT_EQ(Scalar(reason).toString(), "Seen again");
}

} // namespace
