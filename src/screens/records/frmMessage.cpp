#include "screens/records/frmMessage.h"

#include "core/GlobalDeclarations.h"
#include "core/PreservePointer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmMessage::frmMessage(QWidget* parent)
    : QDialog(parent), m_lblHeader(new QLabel(QStringLiteral("Import Warning"), this)),
      m_txtMessage(new QPlainTextEdit(this)),
      m_chkApply(new QCheckBox(QStringLiteral("&Apply this answer to any further warnings"), this)),
      m_cmdContinue(new QPushButton(QStringLiteral("&Continue"), this))
{
    setObjectName(QStringLiteral("frmMessage"));
    setWindowTitle(QStringLiteral("IMPORT WARNING"));
    setModal(true);
    QFont arial(QStringLiteral("Arial"));
    setFont(arial);
    m_lblHeader->setObjectName(QStringLiteral("lblHeader"));
    QFont header = arial;
    header.setBold(true);
    header.setPointSize(12);
    m_lblHeader->setFont(header);
    m_txtMessage->setObjectName(QStringLiteral("txtMessage"));
    m_txtMessage->setReadOnly(true);
    m_txtMessage->setMinimumSize(420, 110);
    m_chkApply->setObjectName(QStringLiteral("chkApply"));
    m_cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    m_cmdContinue->setDefault(true);

    auto* frame = new QGroupBox(QStringLiteral("What would you like to do?"), this);
    frame->setObjectName(QStringLiteral("fraAction"));
    auto* options = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"CANCEL the whole import", "Continue with the import and INCLUDE this one",
                              "Continue with the import but SKIP this one"};
    for (int i = 0; i < 3; ++i) {
        m_optAction[i] = new QRadioButton(QLatin1String(captions[i]), frame);
        m_optAction[i]->setObjectName(QStringLiteral("optAction%1").arg(i));
        group->addButton(m_optAction[i], i);
        options->addWidget(m_optAction[i]);
    }
    options->addWidget(m_chkApply);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdContinue);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblHeader);
    layout->addWidget(m_txtMessage);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(m_cmdContinue, &QPushButton::clicked, this, &frmMessage::cmdContinue_Click);
    ResetChoice();
}

void frmMessage::ResetChoice()
{
    m_optAction[0]->setChecked(true);
    m_chkApply->setChecked(false);
    m_action = ValidationAction::Cancelled;
}

void frmMessage::SetMessage(const QString& message)
{
    m_txtMessage->setPlainText(message);
}

int32_t frmMessage::AskAction(const QString& message)
{
    SetMessage(message);
    // Whatever pointer the import shows, the user answers with the normal one.
    PreservePointer pointer;
    pointer.SetNormalCursor();
    exec();
    return GetAction();
}

void frmMessage::Finished()
{
    hide();
    ResetChoice();
    m_txtMessage->clear();
}

void frmMessage::cmdContinue_Click()
{
    const bool always = m_chkApply->isChecked();
    if (m_optAction[1]->isChecked())
        m_action = always ? ValidationAction::ContinueAlways : ValidationAction::Continue;
    else if (m_optAction[2]->isChecked())
        m_action = always ? ValidationAction::SkipAllWithError : ValidationAction::SkipThisEnquiry;
    else
        m_action = ValidationAction::Cancelled;
    accept();
}

void frmMessage::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_optAction[0]->setChecked(true);
    cmdContinue_Click();
}

void frmMessage::reject()
{
    m_optAction[0]->setChecked(true);
    cmdContinue_Click();
}
