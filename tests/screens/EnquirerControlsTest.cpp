#include "screens/EnquirerTestForm.h"
#include "screens/common/EnquirerControls.h"
#include "support/AccountsTest.h"

#include <gtest/gtest.h>

namespace {

class EnquirerControlsTest : public AccountsTest {
protected:
    // The enquirer controls as one text: "-" for a hidden control, "*" marks
    // a combo's selected entry, a reason is shown by its code.
    QString Shown() const
    {
        const auto combo = [&](const QComboBox* c) {
            QStringList entries;
            for (int i = 0; i < c->count(); ++i)
                entries << (i == c->currentIndex() ? "*" : "") + c->itemText(i).section(',', 0, 0);
            return form.Shows(c) ? entries.join(',') : QStringLiteral("-");
        };
        const auto text = [&](const QLabel* l) { return form.Shows(l) ? l->text() : "-"; };
        const QCheckBox* isDefault = form.chkIsDefaultEnquirer();
        return combo(form.cboEnquirer()) + ' ' + text(form.lblEnquirerName()) + ' ' +
               (form.Shows(isDefault) ? QString::number(isDefault->isChecked()) : "-") +
               (isDefault->isEnabled() ? "" : "off") + ' ' + form.lblEnquirerId()->text() + '/' +
               form.lblIntermediaryId()->text() + ' ' +
               (form.Shows(form.frmEnqFolders()) ? form.txtEnqFolder(1)->text() : "-") + ' ' +
               combo(form.cboReasonForEnquiry()) + ' ' + text(form.lblDefaultReason());
    }

    EnquirerTestForm form;
};

TEST_F(EnquirerControlsTest, ComboRulesForTwoOneAndNoEnquirers)
{
    auto first = StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Alpha"), {"01AA", "02BB"});
    first->SetIntermediaryId(QStringLiteral("IM1"));
    first->SetExportFolder(QStringLiteral("+out"));
    first->SetIsDefault(true);
    first->EnquiryReasons()->Item(2)->SetIsDefault(true);
    first->Apply();
    form.frmEnqFolders()->hide(); // as an earlier empty list left it
    LoadEnquirerCombo(*LoadedEnquirers(), form);
    EXPECT_EQ(Shown(), "- Alpha - AB123/IM1 +out 01AA,*02BB -");

    StoreEnquirer(QStringLiteral("CD456"), QStringLiteral("Beta"), {"03CC"});
    LoadEnquirerCombo(*LoadedEnquirers(), form);
    EXPECT_EQ(Shown(), "*Alpha,Beta - 1 AB123/IM1 +out 01AA,*02BB -");
    ShowEnquirerDetails(2, *LoadedEnquirers(), form);
    EXPECT_EQ(Shown(), "*Alpha,Beta - 0 CD456/  - 03CC, Reason 03CC");

    LoadEnquirerCombo(Enquirers(), form);
    EXPECT_EQ(Shown(), "-  -off / - - ");
    EXPECT_EQ(form.cboReasonForEnquiry()->count(), 0);
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
    } cases[] = {{reasons->Item(3), true, 2}, {unlisted, true, -1}, {unlisted, false, 0},
                 {nullptr, true, -1},         {nullptr, false, 0}};
    for (const auto& c : cases) {
        FillReasonCombo(*reasons, c.keepUnselected, c.defaultReason, form);
        EXPECT_EQ(form.cboReasonForEnquiry()->count(), 3);
        EXPECT_EQ(form.cboReasonForEnquiry()->currentIndex(), c.selected) << c.keepUnselected;
    }
}

TEST_F(EnquirerControlsTest, BrowsesFromTheResolvedFolderUnderTheFormsCaption)
{
    world.ui().ScriptFile(QStringLiteral("/data/in"));
    EXPECT_EQ(BrowseEnquirerFolder(0, QStringLiteral("+imports"), form), QStringLiteral("/data/in"));
    EXPECT_EQ(BrowseEnquirerFolder(1, QStringLiteral("/x"), form), QString()); // cancelled
    EXPECT_EQ(BrowseEnquirerFolder(2, QStringLiteral("/x"), form), QString());
    const auto& asked = world.ui().folderRequests;
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].title + '|' + asked[0].startFolder + '|' + asked[0].ownerCaption,
              "Enquirer Import Folder|" + world.PathOf("imports") + "|Admin Functions");
    EXPECT_EQ(asked[1].title, QStringLiteral("Enquirer Export Folder"));
}

TEST_F(EnquirerControlsTest, TheShownEnquirerTakesTheFoldersAndTheSelectedOneTheDefault)
{
    StoreEnquirer(QStringLiteral("AB123"), QStringLiteral("Alpha"), {"01AA"});
    auto enquirers = LoadedEnquirers();
    LoadEnquirerCombo(*enquirers, form);
    EXPECT_EQ(ShownEnquirer(*enquirers, form)->Name(), "Alpha") << "the only one, with no combo";
    SetSelectedEnquirerDefault(true, *enquirers, form);
    EXPECT_FALSE(enquirers->Item(1)->IsDefault()) << "the default is chosen in the combo alone";

    StoreEnquirer(QStringLiteral("CD456"), QStringLiteral("Beta"), {"03CC"});
    enquirers = LoadedEnquirers();
    LoadEnquirerCombo(*enquirers, form);
    form.cboEnquirer()->setCurrentIndex(1);
    SetSelectedEnquirerDefault(true, *enquirers, form);
    EXPECT_EQ(QString::number(enquirers->Item(1)->IsDefault()) + QString::number(enquirers->Item(2)->IsDefault()),
              "01");
    world.ui().ScriptFile(QStringLiteral("/data/out"));
    BrowseIntoFolderBox(1, form, ShownEnquirer(*enquirers, form).get());
    EXPECT_EQ(form.txtEnqFolder(1)->text(), "/data/out");
    SetEnquirerFolder(ShownEnquirer(*enquirers, form).get(), 0, QStringLiteral("/data/in"));
    EXPECT_EQ(enquirers->Item(2)->ExportFolder() + '|' + enquirers->Item(2)->ImportFolder(), "/data/out|/data/in");
    EXPECT_EQ(enquirers->Item(1)->ExportFolder(), QString());

    form.cboEnquirer()->setCurrentIndex(-1);
    EXPECT_EQ(ShownEnquirer(*enquirers, form), nullptr);
    SetSelectedEnquirerDefault(false, *enquirers, form);
    EXPECT_TRUE(enquirers->Item(2)->IsDefault()) << "no enquirer selected: nothing changes";
}

} // namespace
