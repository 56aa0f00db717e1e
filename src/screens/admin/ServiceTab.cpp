#include "screens/admin/ServiceTab.h"

#include "accounts/Validation.h"
#include "core/AskTellUser.h"
#include "core/VbFormat.h"
#include "database/LogLines.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/admin/ParametersData.h"
#include "screens/common/SelectOnFocus.h"
#include "screens/transmission/ShowTransmissionLog.h"
#include "service/NevixNewPassword.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A key cap with an arrow up: what shows beside the caps-lock warning.
QPixmap DrawCapsLockPicture()
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x80, 0x60, 0x00), 1.5));
    painter.setBrush(QColor(0xff, 0xd8, 0x40));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    painter.setBrush(QColor(0x40, 0x30, 0x00));
    painter.setPen(Qt::NoPen);
    const QPointF arrow[] = {{12, 5}, {19, 12}, {15, 12}, {15, 18}, {9, 18}, {9, 12}, {5, 12}};
    painter.drawPolygon(arrow, 7);
    return picture;
}

QLineEdit* PasswordBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(15);
    SelectTextOnFocus(*box);
    return box;
}

const QString ViewLog = QStringLiteral("Do you want to view the log?");
} // namespace

ServiceTab::ServiceTab(ParametersData& data, QWidget* parent)
    : QGroupBox(QStringLiteral("NEVIX Service"), parent), m_data(data), m_lblNevixUsername(new QLabel(this)),
      m_txtNevixNewPassword(PasswordBox("txtNevixNewPassword", this)),
      m_txtConfirmNevixPassword(PasswordBox("txtConfirmNevixPassword", this)),
      m_chkShowPassword(new QCheckBox(QStringLiteral("Show password"), this)),
      m_cmdChangePasswordOnServer(new QPushButton(QStringLiteral("Change password"), this)),
      m_lblPasswordRule(new QLabel(this)), m_lblCapsLockOn(new QLabel(QStringLiteral("CAPS Lock is ON"), this)),
      m_imgCapLockOn(new QLabel(this)), m_lblCommsLockInfo(new QLabel(this)),
      m_cmdUnlockComms(new QPushButton(QStringLiteral("Unlock now"), this))
{
    setObjectName(QStringLiteral("fraParams1"));
    m_lblNevixUsername->setObjectName(QStringLiteral("lblNevixUsername"));
    m_chkShowPassword->setObjectName(QStringLiteral("chkShowPassword"));
    m_cmdChangePasswordOnServer->setObjectName(QStringLiteral("cmdChangePasswordOnServer"));
    m_lblPasswordRule->setObjectName(QStringLiteral("lblPasswordRule"));
    m_lblPasswordRule->setWordWrap(true);
    m_lblCapsLockOn->setObjectName(QStringLiteral("lblCapsLockOn"));
    m_lblCapsLockOn->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
    m_imgCapLockOn->setObjectName(QStringLiteral("imgCapLockOn"));
    m_imgCapLockOn->setPixmap(DrawCapsLockPicture());
    m_lblCommsLockInfo->setObjectName(QStringLiteral("lblCommsLockInfo"));
    m_cmdUnlockComms->setObjectName(QStringLiteral("cmdUnlockComms"));
    for (QWidget* caps : {static_cast<QWidget*>(m_lblCapsLockOn), static_cast<QWidget*>(m_imgCapLockOn)}) {
        QSizePolicy policy = caps->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        caps->setSizePolicy(policy);
        caps->setVisible(false);
    }

    auto* intro = new QLabel(QStringLiteral("You can change the password used with authenticate to the NEVIX "
                                            "Service. You can also clear any communications lock that has been "
                                            "left open."),
                             this);
    intro->setWordWrap(true);
    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("Your user name on the NEVIX service is"), this));
    name->addWidget(m_lblNevixUsername, 1);

    auto* password = new QGroupBox(QStringLiteral("Change Service Password"), this);
    password->setObjectName(QStringLiteral("fraPassword"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("New password"), m_txtNevixNewPassword);
    form->addRow(QStringLiteral("Confirm new password"), m_txtConfirmNevixPassword);
    form->addRow(QString(), m_chkShowPassword);
    auto* caps = new QHBoxLayout;
    caps->addWidget(m_imgCapLockOn);
    caps->addWidget(m_lblCapsLockOn);
    caps->addStretch();
    auto* passwordLayout = new QGridLayout(password);
    passwordLayout->addLayout(form, 0, 0);
    passwordLayout->addWidget(m_cmdChangePasswordOnServer, 0, 1, Qt::AlignBottom);
    passwordLayout->addLayout(caps, 1, 0, 1, 2);
    passwordLayout->addWidget(m_lblPasswordRule, 2, 0, 1, 2);

    auto* lock = new QGroupBox(QStringLiteral("Communications Lock"), this);
    lock->setObjectName(QStringLiteral("fraCommsLock"));
    auto* lockLayout = new QHBoxLayout(lock);
    lockLayout->addWidget(m_lblCommsLockInfo, 1);
    lockLayout->addWidget(m_cmdUnlockComms);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(name);
    layout->addWidget(password);
    layout->addWidget(lock);
    layout->addStretch();

    connect(m_chkShowPassword, &QCheckBox::toggled, this, [this](bool shown) {
        for (QLineEdit* box : {m_txtNevixNewPassword, m_txtConfirmNevixPassword})
            box->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    connect(m_cmdChangePasswordOnServer, &QPushButton::clicked, this, &ServiceTab::cmdChangePasswordOnServer_Click);
    connect(m_cmdUnlockComms, &QPushButton::clicked, this, &ServiceTab::cmdUnlockComms_Click);
}

void ServiceTab::Fill()
{
    m_lblNevixUsername->setText(m_data.account.UserName());
    m_txtNevixNewPassword->clear();
    m_txtConfirmNevixPassword->clear();
    m_lblPasswordRule->setText(PasswordRuleText());
    ShowCommsLockState();
}

void ServiceTab::ShowCommsLockState()
{
    CommsLock& lock = m_data.lock;
    lock.Load(LockTypes::Communications);
    const bool locked = !lock.LockedBy().isEmpty();
    if (locked) {
        const QDateTime since = lock.LockedOn().value_or(QDateTime());
        m_lblCommsLockInfo->setText(QStringLiteral("Comms have been locked by ") + lock.LockedBy() +
                                    QStringLiteral(" since ") +
                                    FormatDateTime(since, QStringLiteral("dd mmm yyyy hh:nn:ss")));
    } else {
        m_lblCommsLockInfo->setText(QStringLiteral("Communications are not locked"));
    }
    m_cmdUnlockComms->setVisible(locked);
    m_lblCommsLockInfo->repaint();
}

void ServiceTab::ShowCapsLock(bool on)
{
    if (m_lblCapsLockOn->isHidden() == !on)
        return;
    m_lblCapsLockOn->setVisible(on);
    m_imgCapLockOn->setVisible(on);
}

void ServiceTab::cmdChangePasswordOnServer_Click()
{
    try {
        ChangePassword();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to change the password because:"), e.Description());
    }
}

void ServiceTab::ChangePassword()
{
    const QString entered = m_txtNevixNewPassword->text();
    const QString rule = ValidateNevixPassword(entered);
    if (!rule.isEmpty()) {
        TellUserWarning(rule, QString());
        m_txtNevixNewPassword->setFocus();
        return;
    }
    if (entered != m_txtConfirmNevixPassword->text()) {
        TellUser(QStringLiteral("The new password and confirmed passwords do not match"), QString(),
                 MsgBox::Information);
        m_txtNevixNewPassword->setFocus();
        return;
    }
    if (AskUser(QStringLiteral("Are you sure you want to change the password on the NEVIX service?"), QString(),
                MsgBox::YesNo, MsgBox::AnswerNo) != MsgBox::AnswerYes)
        return;
    auto log = std::make_shared<LogLines>();
    log->SetDataSource(&m_data.db);
    int16_t outcome = NewPasswordOutcomes::NotChanged;
    {
        const ParametersBusy busy(m_data, window());
        outcome = RunNevixNewPassword(*log, entered, m_txtConfirmNevixPassword->text());
    }
    bool askToView = false;
    if (outcome == NewPasswordOutcomes::Changed) {
        ReloadAccount();
        TellUser(QStringLiteral("Password successfully changed on the server."), QString(), MsgBox::Information);
    } else if (outcome == NewPasswordOutcomes::ChangedWithErrors) {
        ReloadAccount();
        askToView = AskUser(QStringLiteral("Password change was successful but there were errors."), ViewLog,
                            MsgBox::YesNo, MsgBox::AnswerNo) == MsgBox::AnswerYes;
    } else {
        askToView = AskUser(QStringLiteral("Password change was unsuccessful."), ViewLog, MsgBox::YesNo,
                            MsgBox::AnswerNo) == MsgBox::AnswerYes;
    }
    if (askToView)
        ShowTransmissionLog(window(), log);
}

void ServiceTab::ReloadAccount()
{
    m_data.account.Load();
    m_txtNevixNewPassword->clear();
    m_txtConfirmNevixPassword->clear();
}

void ServiceTab::cmdUnlockComms_Click()
{
    try {
        m_data.lock.ForceClearLock(LockTypes::Communications, &m_data.db);
        ShowCommsLockState();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Could not clear the communication lock because"), e.Description());
    }
}
