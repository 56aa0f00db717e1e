#include "accounts/User.h"
#include "screens/admin/frmChangePassword.h"
#include "support/AccountsTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class ChangePasswordTest : public AccountsTest {
protected:
    void Fill(frmChangePassword& form, const QString& existing, const QString& entered,
              const QString& confirmed)
    {
        form.txtExistingPassword()->setText(existing);
        form.txtPassword()->setText(entered);
        form.txtConfirmPassword()->setText(confirmed);
    }
};

TEST_F(ChangePasswordTest, SaveOnlyWhenTheExistingPasswordIsRightAndTheNewOneConfirmed)
{
    auto user = StoreUser(QStringLiteral("Bob"), QStringLiteral("Secret123"));
    frmChangePassword form(*user);
    form.InitialiseForm();
    EXPECT_EQ(form.fraUser()->title(), QStringLiteral("Bob"));
    EXPECT_FALSE(form.cmdOk()->isEnabled());

    Fill(form, QStringLiteral("SECRET123"), QStringLiteral("Better456"), QStringLiteral("Better456"));
    EXPECT_FALSE(form.cmdOk()->isEnabled()); // letter case counts
    Fill(form, QStringLiteral("Secret123"), QStringLiteral("Better456"), QStringLiteral("Better45"));
    EXPECT_TRUE(form.lblNoMatchNewPw()->isVisibleTo(&form));
    EXPECT_FALSE(form.cmdOk()->isEnabled());
    form.txtConfirmPassword()->setText(QStringLiteral("Better456"));
    EXPECT_FALSE(form.lblNoMatchNewPw()->isVisibleTo(&form));
    EXPECT_TRUE(form.cmdOk()->isEnabled());

    form.cmdOk()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    User stored;
    stored.SetDataSource(&db);
    stored.LoadByUserNameAndPassword(QStringLiteral("Bob"), QStringLiteral("Better456"));
    EXPECT_FALSE(stored.IsNew());
}

TEST_F(ChangePasswordTest, ANewPasswordBreakingTheRuleIsRefused)
{
    auto user = StoreUser(QStringLiteral("Bob"), QStringLiteral("Secret123"));
    frmChangePassword form(*user);
    form.InitialiseForm();
    Fill(form, QStringLiteral("Secret123"), QStringLiteral(" Better456"), QStringLiteral(" Better456"));
    form.cmdOk()->click();
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes.first().text, form.lblPasswordRule()->text());
    EXPECT_EQ(user->Password(), QStringLiteral("Secret123"));
}

TEST_F(ChangePasswordTest, AFailedSaveKeepsTheOldPasswordInMemory)
{
    auto user = StoreUser(QStringLiteral("Bob"), QStringLiteral("Secret123"));
    // Another installation changes the row: the stamp no longer matches.
    Other()->Execute(QStringLiteral("UPDATE USERS SET TmStamp='x' WHERE UserName='Bob'"));
    frmChangePassword form(*user);
    form.InitialiseForm();
    Fill(form, QStringLiteral("Secret123"), QStringLiteral("Better456"), QStringLiteral("Better456"));
    form.cmdOk()->click();
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_TRUE(world.ui().boxes.first().text.endsWith(QStringLiteral("\r\nChanging user password")));
    EXPECT_EQ(user->Password(), QStringLiteral("Secret123"));
    EXPECT_NE(form.result(), QDialog::Accepted);
}

TEST_F(ChangePasswordTest, ShowPasswordShowsAllThreeBoxes)
{
    auto user = StoreUser(QStringLiteral("Bob"), QStringLiteral("Secret123"));
    frmChangePassword form(*user);
    form.chkShowPassword()->click();
    EXPECT_EQ(form.txtExistingPassword()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(form.txtConfirmPassword()->echoMode(), QLineEdit::Normal);
}

// The lines saying that a password does not match come and go as the user
// types: the window and its boxes must not jump when they do.
TEST_F(ChangePasswordTest, TheMismatchLinesMoveNothing)
{
    auto user = StoreUser(QStringLiteral("Bob"), QStringLiteral("Secret123"));
    frmChangePassword form(*user);
    form.InitialiseForm();
    form.show();
    const auto places = [&form] {
        QList<QRect> rects{QRect(QPoint(), form.size())};
        for (QWidget* box : {static_cast<QWidget*>(form.txtExistingPassword()), static_cast<QWidget*>(form.txtPassword()),
                             static_cast<QWidget*>(form.txtConfirmPassword()), static_cast<QWidget*>(form.chkShowPassword()),
                             static_cast<QWidget*>(form.cmdOk())})
            rects << QRect(box->mapTo(&form, QPoint()), box->size());
        return rects;
    };
    QApplication::processEvents();
    const QList<QRect> before = places();
    Fill(form, QStringLiteral("wrong"), QStringLiteral("Better456"), QStringLiteral("Better45"));
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(form.txtExistingPassword(), &leave);
    ASSERT_TRUE(form.lblNoMatchExistingPw()->isVisibleTo(&form));
    ASSERT_TRUE(form.lblNoMatchNewPw()->isVisibleTo(&form));
    QApplication::processEvents();
    EXPECT_EQ(places(), before);
}

} // namespace
