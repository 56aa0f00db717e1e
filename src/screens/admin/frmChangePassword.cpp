#include "screens/admin/frmChangePassword.h"

#include "accounts/User.h"
#include "accounts/Validation.h"
#include "core/AskTellUser.h"
#include "platform/NevixError.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* PasswordBox(const QString& name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(15);
    return box;
}

QLabel* HiddenLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setVisible(false);
    return label;
}

// A line that comes and goes as the user types keeps its place, so that the
// window and the boxes below it do not jump: it lies in a holder that is
// always there, at the size of the line.
QWidget* LineHolder(QLabel* line, QWidget* parent)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(line);
    holder->setMinimumSize(line->sizeHint());
    return holder;
}
} // namespace

frmChangePassword::frmChangePassword(User& user, QWidget* parent)
    : QDialog(parent), m_user(user),
      m_fraUser(new QGroupBox(QStringLiteral("User's Details"), this)),
      m_txtExistingPassword(PasswordBox(QStringLiteral("txtExistingPassword"), this)),
      m_txtPassword(PasswordBox(QStringLiteral("txtPassword"), this)),
      m_txtConfirmPassword(PasswordBox(QStringLiteral("txtConfirmPassword"), this)),
      m_chkShowPassword(new QCheckBox(QStringLiteral("Show password"), this)),
      m_lblNoMatchExistingPw(HiddenLabel(QStringLiteral("lblNoMatchExistingPw"),
                                         QStringLiteral("Does not match the existing password"), this)),
      m_lblNoMatchNewPw(HiddenLabel(QStringLiteral("lblNoMatchNewPw"),
                                    QStringLiteral("Does not match the new password"), this)),
      m_lblPasswordRule(new QLabel(PasswordRuleText(), this)),
      m_lblChangePWRulesMessage1(HiddenLabel(QStringLiteral("lblChangePWRulesMessage1"),
                                             QStringLiteral("Password rules have changed to increase security."),
                                             this)),
      m_lblChangePWRulesMessage2(HiddenLabel(QStringLiteral("lblChangePWRulesMessage2"),
                                             QStringLiteral("Please change your existing password."), this)),
      m_cmdOk(new QPushButton(QStringLiteral("&Save"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmChangePassword"));
    setWindowTitle(QStringLiteral("CHANGE PASSWORD"));
    m_fraUser->setObjectName(QStringLiteral("fraUser"));
    m_chkShowPassword->setObjectName(QStringLiteral("chkShowPassword"));
    m_lblPasswordRule->setObjectName(QStringLiteral("lblPasswordRule"));
    m_lblPasswordRule->setWordWrap(true);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdOk->setDefault(true);

    auto* form = new QFormLayout(m_fraUser);
    form->addRow(QStringLiteral("Existing password"), m_txtExistingPassword);
    form->addRow(QString(), LineHolder(m_lblNoMatchExistingPw, m_fraUser));
    form->addRow(QStringLiteral("New Password"), m_txtPassword);
    auto* confirm = new QLabel(QStringLiteral("Confirm Password"), m_fraUser);
    confirm->setObjectName(QStringLiteral("lblConfirmPassword"));
    form->addRow(confirm, m_txtConfirmPassword);
    form->addRow(QString(), LineHolder(m_lblNoMatchNewPw, m_fraUser));
    form->addRow(QString(), m_chkShowPassword);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblChangePWRulesMessage1);
    layout->addWidget(m_lblChangePWRulesMessage2);
    layout->addWidget(m_fraUser);
    layout->addWidget(m_lblPasswordRule);
    layout->addLayout(buttons);

    m_txtExistingPassword->installEventFilter(this);
    connect(m_txtPassword, &QLineEdit::textChanged, this, &frmChangePassword::CheckNewPasswords);
    connect(m_txtConfirmPassword, &QLineEdit::textChanged, this,
            &frmChangePassword::CheckNewPasswords);
    connect(m_chkShowPassword, &QCheckBox::toggled, this, [this](bool shown) {
        for (QLineEdit* box : {m_txtExistingPassword, m_txtPassword, m_txtConfirmPassword})
            box->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    connect(m_cmdOk, &QPushButton::clicked, this, &frmChangePassword::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmChangePassword::InitialiseForm()
{
    for (QLineEdit* box : {m_txtExistingPassword, m_txtPassword, m_txtConfirmPassword})
        box->clear();
    m_lblNoMatchExistingPw->setVisible(false);
    m_lblNoMatchNewPw->setVisible(false);
    m_fraUser->setTitle(m_user.UserName());
    m_chkShowPassword->setChecked(false);
    m_cmdOk->setEnabled(PasswordEntriesComplete());
}

bool frmChangePassword::PasswordEntriesComplete() const
{
    const QString existing = m_txtExistingPassword->text();
    return !existing.isEmpty() && existing == m_user.Password() &&
           !m_txtPassword->text().isEmpty() &&
           m_txtConfirmPassword->text() == m_txtPassword->text();
}

void frmChangePassword::CheckExistingPassword()
{
    const QString existing = m_txtExistingPassword->text();
    m_lblNoMatchExistingPw->setVisible(!existing.isEmpty() && existing != m_user.Password());
    m_cmdOk->setEnabled(PasswordEntriesComplete());
}

void frmChangePassword::CheckNewPasswords()
{
    const QString entered = m_txtPassword->text();
    const QString confirmed = m_txtConfirmPassword->text();
    m_lblNoMatchNewPw->setVisible(!entered.isEmpty() && !confirmed.isEmpty() && entered != confirmed);
    m_cmdOk->setEnabled(PasswordEntriesComplete());
}

void frmChangePassword::cmdOk_Click()
{
    if (!PasswordEntriesComplete())
        return;
    const QString rule = ValidateNevixPassword(m_txtPassword->text());
    if (!rule.isEmpty()) {
        TellUserWarning(rule, QString());
        return;
    }
    // A failed save must leave the old password in force, in memory too, so
    // that a forced change that failed does not let the user in.
    const auto before = m_user.SaveState();
    try {
        m_user.SetPassword(m_txtPassword->text());
        m_user.Apply();
    } catch (const NevixError& e) {
        m_user.RestoreState(*before);
        TellUserWarning(e.Description() + QStringLiteral("\r\nChanging user password"), QString());
        return;
    }
    accept();
}

bool frmChangePassword::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtExistingPassword &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        CheckExistingPassword();
    return QDialog::eventFilter(watched, event);
}
