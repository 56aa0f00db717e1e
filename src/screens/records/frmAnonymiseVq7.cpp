#include "screens/records/frmAnonymiseVq7.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/AskTellUser.h"
#include "platform/AppContext.h"
#include "platform/UserInteraction.h"
#include "records/VQ7.h"
#include "screens/records/AnonymiseResponse.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmAnonymiseVq7::frmAnonymiseVq7(QWidget* parent)
    : QDialog(parent), m_fraReason(new QGroupBox(QStringLiteral("Making the response anonymous"), this)),
      m_lblInst1(new QLabel(QStringLiteral("The personal information on this repsonse will be over written and "
                                           "you will not be able to recover it."),
                            m_fraReason)),
      m_label1(new QLabel(QStringLiteral("This must be done if the vehicle keeper's information is not going to "
                                         "be used.  It is a DVLA audit requirement, that you must also add a "
                                         "reason saying why the response was made anonymous."),
                          m_fraReason)),
      m_label2(new QLabel(QStringLiteral("Reason why this response is being made anonymous"), m_fraReason)),
      m_txtReason(new QLineEdit(m_fraReason)), m_cmdOk(new QPushButton(QStringLiteral("&Anonymise"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmAnonymiseVq7"));
    setWindowTitle(QStringLiteral("ANONYMISE RESPONSE"));
    setModal(true);
    setFont(QFont(QStringLiteral("Arial")));
    m_fraReason->setObjectName(QStringLiteral("fraReason"));
    m_lblInst1->setObjectName(QStringLiteral("lblInst1"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_txtReason->setObjectName(QStringLiteral("txtReason"));
    m_txtReason->setMaxLength(100);
    for (QLabel* label : {m_lblInst1, m_label1})
        label->setWordWrap(true);
    QFont bold = m_lblInst1->font();
    bold.setBold(true);
    m_lblInst1->setFont(bold);
    m_label2->setBuddy(m_txtReason);
    auto* frame = new QVBoxLayout(m_fraReason);
    frame->addWidget(m_lblInst1);
    frame->addWidget(m_label1);
    frame->addWidget(m_label2);
    frame->addWidget(m_txtReason);

    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fraReason);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(m_cmdOk, &QPushButton::clicked, this, &frmAnonymiseVq7::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmAnonymiseVq7::cmdCancel_Click);
}

void frmAnonymiseVq7::InitialiseForm(std::shared_ptr<VQ7> oVQ7)
{
    m_response = std::move(oVQ7);
}

void frmAnonymiseVq7::cmdOk_Click()
{
    const QString reason = m_txtReason->text().trimmed();
    if (reason.isEmpty()) {
        TellUser(QStringLiteral("You must give a reason for making this response anonymous"), QString(),
                 MsgBox::Information);
        return;
    }
    if (!m_response)
        return;
    const std::shared_ptr<User> user = GetCurrentUser();
    AnonymiseResponse(*m_response, user ? user->UserName() : QString(), AppContext::Current().clock().Today(),
                      reason);
    m_response.reset();
    m_changed = true;
    QDialog::accept();
}

void frmAnonymiseVq7::cmdCancel_Click()
{
    QDialog::reject();
}

void frmAnonymiseVq7::reject()
{
    cmdCancel_Click();
}
