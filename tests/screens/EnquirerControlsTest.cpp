#include "screens/EnquirerTestForm.h"
#include "screens/common/EnquirerControls.h"
#include "support/AccountsTest.h"

#include <gtest/gtest.h>

namespace {

class EnquirerControlsTest : public AccountsTest {
protected:
    QStringList Entries(const QComboBox* combo) const
    {
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries.append(combo->itemText(i));
        return entries;
    }

    EnquirerTestForm form;
};

TEST_F(EnquirerControlsTest, TwoEnquirersFillTheComboAndShowTheFirstWithItsDefaultReason)
{
    auto first = StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Alpha"), {"01AA", "02BB"});
    first->SetIntermediaryId(QStringLiteral("IM1"));
    first->SetImportFolder(QStringLiteral("+in"));
    first->SetExportFolder(QStringLiteral("+out"));
    first->SetIsDefault(true);
    first->EnquiryReasons()->Item(2)->SetIsDefault(true);
    first->Apply();
    StoreEnquirer(QStringLiteral("CD456"), QStringLiteral("Beta"), {"03CC"});
    form.frmEnqFolders()->hide(); // as left by an earlier empty list

    LoadEnquirerCombo(*LoadedEnquirers(), form);

    EXPECT_EQ(Entries(form.cboEnquirer()), QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(form.cboEnquirer()->currentIndex(), 0);
    EXPECT_TRUE(form.Shows(form.cboEnquirer()));
    EXPECT_TRUE(form.Shows(form.chkIsDefaultEnquirer()));
    EXPECT_FALSE(form.Shows(form.lblEnquirerName()));
    EXPECT_TRUE(form.chkIsDefaultEnquirer()->isEnabled());
    EXPECT_TRUE(form.chkIsDefaultEnquirer()->isChecked());
    EXPECT_EQ(form.lblEnquirerId()->text(), QStringLiteral("AB123"));
    EXPECT_EQ(form.lblIntermediaryId()->text(), QStringLiteral("IM1"));
    EXPECT_EQ(form.txtEnqFolder(0)->text(), QStringLiteral("+in"));
    EXPECT_EQ(form.txtEnqFolder(1)->text(), QStringLiteral("+out"));
    EXPECT_TRUE(form.Shows(form.frmEnqFolders()));
    EXPECT_EQ(Entries(form.cboReasonForEnquiry()),
              QStringList({"01AA, Reason 01AA", "02BB, Reason 02BB"}));
    EXPECT_EQ(form.cboReasonForEnquiry()->currentText(), QStringLiteral("02BB, Reason 02BB"));
    EXPECT_FALSE(form.Shows(form.lblDefaultReason()));

    // The second enquirer has one reason: the label shows it.
    ShowEnquirerDetails(2, *LoadedEnquirers(), form);
    EXPECT_FALSE(form.chkIsDefaultEnquirer()->isChecked());
    EXPECT_FALSE(form.Shows(form.cboReasonForEnquiry()));
    EXPECT_TRUE(form.Shows(form.lblDefaultReason()));
    EXPECT_EQ(form.lblDefaultReason()->text(), QStringLiteral("03CC, Reason 03CC"));
}

TEST_F(EnquirerControlsTest, OneEnquirerShowsItsNameInTheLabel)
{
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Alpha"), {"01AA", "02BB"});
    LoadEnquirerCombo(*LoadedEnquirers(), form);
    EXPECT_FALSE(form.Shows(form.cboEnquirer()));
    EXPECT_FALSE(form.Shows(form.chkIsDefaultEnquirer()));
    EXPECT_TRUE(form.Shows(form.lblEnquirerName()));
    EXPECT_EQ(form.lblEnquirerName()->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(form.lblEnquirerId()->text(), QStringLiteral("AB123"));
    EXPECT_EQ(form.cboEnquirer()->count(), 0);
}

TEST_F(EnquirerControlsTest, NoEnquirerBlanksTheDetailsAndHidesTheFolders)
{
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Alpha"), {"01AA", "02BB"});
    LoadEnquirerCombo(*LoadedEnquirers(), form);
    form.chkIsDefaultEnquirer()->setChecked(true);

    Enquirers none;
    LoadEnquirerCombo(none, form);
    EXPECT_FALSE(form.chkIsDefaultEnquirer()->isEnabled());
    EXPECT_FALSE(form.chkIsDefaultEnquirer()->isChecked());
    EXPECT_TRUE(form.lblEnquirerId()->text().isEmpty());
    EXPECT_TRUE(form.lblIntermediaryId()->text().isEmpty());
    EXPECT_EQ(form.cboReasonForEnquiry()->count(), 0);
    EXPECT_FALSE(form.Shows(form.frmEnqFolders()));
}

TEST_F(EnquirerControlsTest, ReasonComboSelectsTheDefaultsCodeOrFallsBack)
{
    const auto reasons =
        StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Alpha"), {"01AA", "02BB", "03CC"})
            ->EnquiryReasons();
    auto unlisted = std::make_shared<EnquiryReason>();
    unlisted->SetEnquiryCode(QStringLiteral("99ZZ"));
    const struct {
        std::shared_ptr<EnquiryReason> defaultReason;
        bool keepUnselected;
        int selected;
    } cases[] = {
        {reasons->Item(3), true, 2},
        {unlisted, true, -1},
        {unlisted, false, 0},
        {nullptr, true, -1},
        {nullptr, false, 0},
    };
    for (const auto& c : cases) {
        FillReasonCombo(*reasons, c.keepUnselected, c.defaultReason, form);
        EXPECT_EQ(form.cboReasonForEnquiry()->count(), 3);
        EXPECT_EQ(form.cboReasonForEnquiry()->currentIndex(), c.selected)
            << (c.defaultReason ? c.defaultReason->EnquiryCode() : QStringLiteral("none")).toStdString()
            << " keep " << c.keepUnselected;
    }
}

TEST_F(EnquirerControlsTest, BrowsesFromTheResolvedFolderUnderTheFormsCaption)
{
    world.ui().ScriptFile(QStringLiteral("/data/in"));
    world.ui().ScriptFile(std::nullopt);
    EXPECT_EQ(BrowseEnquirerFolder(0, QStringLiteral("+imports"), form), QStringLiteral("/data/in"));
    EXPECT_EQ(BrowseEnquirerFolder(1, QStringLiteral("/x"), form), QString());
    EXPECT_EQ(BrowseEnquirerFolder(2, QStringLiteral("/x"), form), QString());

    const auto& asked = world.ui().folderRequests;
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].title, QStringLiteral("Enquirer Import Folder"));
    EXPECT_EQ(asked[0].startFolder, world.Folder() + QStringLiteral("/imports"));
    EXPECT_EQ(asked[0].ownerCaption, QStringLiteral("Admin Functions"));
    EXPECT_EQ(asked[1].title, QStringLiteral("Enquirer Export Folder"));
}

} // namespace
