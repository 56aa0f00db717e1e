#include "support/TestWorld.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "records/VQ7.h"
#include "screens/records/frmAnonymiseVq7.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const QString Marker = QStringLiteral("{Anonymised 15-Mar-24}");

class AnonymiseDialog : public ::testing::Test {
protected:
    AnonymiseDialog()
    {
        auto user = std::make_shared<User>();
        user->SetUserName("clerk1");
        SetCurrentUser(user);
        response->SetTitle("MR");
        response->SetKeeperTitleCode("1");
        response->SetKeeperAddress1("1 HIGH STREET");
        response->SetKeeperPostTown("LEEDS");
        response->SetKeeperPostCode("LS1 1AA");
    }
    ~AnonymiseDialog() override { SetCurrentUser(nullptr); }

    // Opens a dialog on the response, types the reason and presses Anonymise.
    bool Anonymise(const QString& reason)
    {
        frmAnonymiseVq7 dialog;
        dialog.InitialiseForm(response);
        dialog.show();
        dialog.txtReason()->setText(reason);
        dialog.cmdOk()->click();
        EXPECT_EQ(dialog.isVisible(), !dialog.HasChanged());
        return dialog.HasChanged();
    }

    TestWorld world;
    std::shared_ptr<VQ7> response = std::make_shared<VQ7>();
};

TEST_F(AnonymiseDialog, ShowsItsTextsWithTheirOwnSpelling)
{
    frmAnonymiseVq7 dialog;
    EXPECT_EQ(dialog.windowTitle(), "ANONYMISE RESPONSE");
    EXPECT_EQ(dialog.fraReason()->title(), "Making the response anonymous");
    EXPECT_EQ(dialog.lblInst1()->text(), "The personal information on this repsonse will be over written and you "
                                         "will not be able to recover it.");
    EXPECT_TRUE(dialog.Label1()->text().contains("going to be used.  It is a DVLA audit requirement, that"));
    EXPECT_EQ(dialog.Label2()->text(), "Reason why this response is being made anonymous");
    EXPECT_EQ(dialog.txtReason()->maxLength(), 100);
    EXPECT_EQ(dialog.cmdOk()->text(), "&Anonymise");
    EXPECT_TRUE(dialog.cmdOk()->isDefault());
    EXPECT_EQ(dialog.cmdCancel()->text(), "&Cancel");
}

TEST_F(AnonymiseDialog, APrivateKeeperLosesNameAndAddressAndKeepsNoCompanyName)
{
    response->SetKeeperName1("SMITH");
    response->SetKeeperName2("JANE");
    ASSERT_TRUE(Anonymise("  Not used  "));
    for (const QString& field : {response->KeeperName1(), response->KeeperName2(), response->KeeperAddress1(),
                                 response->KeeperAddress2(), response->KeeperAddress3(), response->KeeperAddress4(),
                                 response->KeeperPostTown()})
        EXPECT_EQ(field, Marker);
    EXPECT_EQ(response->Title(), "");
    EXPECT_EQ(response->KeeperTitleCode(), "");
    EXPECT_EQ(response->KeeperPostCode(), "");
    EXPECT_EQ(response->CompanyName(), "");
    EXPECT_EQ(response->OtherName(), "");
    EXPECT_EQ(response->Comment(), "Made anonymous by clerk1 on 15-Mar-24, Reason: Not used");
    EXPECT_TRUE(response->IsDirty());
}

TEST_F(AnonymiseDialog, ACompanyKeeperKeepsEmptyPersonalNames)
{
    response->SetCompanyName("ACME LTD");
    ASSERT_TRUE(Anonymise("Fleet"));
    EXPECT_EQ(response->CompanyName(), Marker);
    EXPECT_EQ(response->KeeperName1(), "");
    EXPECT_EQ(response->KeeperName2(), "");
}

TEST_F(AnonymiseDialog, TheCommentGetsALinePerTimeAndKeepsItsLast255Characters)
{
    response->SetComment(QString(250, 'c'));
    ASSERT_TRUE(Anonymise("Once"));
    const QString line = QStringLiteral("Made anonymous by clerk1 on 15-Mar-24, Reason: ");
    const QString whole = QString(250, 'c') + "\r\n" + line + "Once";
    EXPECT_EQ(response->Comment(), whole.right(255));

    response->SetComment(QString());
    ASSERT_TRUE(Anonymise("Once"));
    world.clock().Set(QDateTime(QDate(2024, 3, 16), QTime(9, 0)));
    ASSERT_TRUE(Anonymise("Twice"));
    EXPECT_EQ(response->Comment(), line + "Once\r\n" + QString(line).replace("15-Mar", "16-Mar") + "Twice");
    EXPECT_EQ(response->KeeperAddress1(), "{Anonymised 16-Mar-24}");
}

TEST_F(AnonymiseDialog, ABlankReasonOrCancelOrTheCloseBoxChangeNothing)
{
    EXPECT_FALSE(Anonymise("   "));
    EXPECT_EQ(world.ui().Texts(), QStringList{"You must give a reason for making this response anonymous"});
    EXPECT_EQ(world.ui().boxes[0].style, MsgBox::Information);
    for (const bool closeBox : {false, true}) {
        frmAnonymiseVq7 dialog;
        dialog.InitialiseForm(response);
        dialog.show();
        dialog.txtReason()->setText("Reason");
        if (closeBox)
            dialog.close();
        else
            dialog.cmdCancel()->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(dialog.HasChanged());
    }
    EXPECT_EQ(response->KeeperAddress1(), "1 HIGH STREET");
    EXPECT_EQ(response->Comment(), "");
}

} // namespace
