#include "screens/records/frmEditBlackListVrm.h"

#include "core/AskTellUser.h"
#include "core/FormUtilities.h"
#include "core/VbFormat.h"
#include "core/qt/FormWidgets.h"
#include "platform/UserInteraction.h"
#include "records/BlackListedVRM.h"
#include "records/VRM.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int VinLength = 17;
} // namespace

frmEditBlackListVrm::frmEditBlackListVrm(QWidget* parent)
    : QDialog(parent), m_frame1(new QGroupBox(QStringLiteral("BLACK LIST"), this)),
      m_txtVRM(new QLineEdit(m_frame1)), m_txtReason(new QLineEdit(m_frame1)),
      m_txtAddedBy(new QLineEdit(m_frame1)), m_txtAddedOn(new QLineEdit(m_frame1)),
      m_cmdOk(new QPushButton(QStringLiteral("&Save"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      m_cmdDelete(new QPushButton(QStringLiteral("&Delete"), this))
{
    setObjectName(QStringLiteral("frmEditBlackListVrm"));
    setWindowTitle(QStringLiteral("BLACKLISTED VRM"));
    setModal(true);
    setFont(QFont(QStringLiteral("Arial")));
    m_frame1->setObjectName(QStringLiteral("Frame1"));

    const char* captions[] = {"VRM/VIN", "Reason", "Added by", "Added on"};
    QLineEdit* boxes[] = {m_txtVRM, m_txtReason, m_txtAddedBy, m_txtAddedOn};
    const char* names[] = {"txtVRM", "txtReason", "txtAddedBy", "txtAddedOn"};
    auto* grid = new QGridLayout(m_frame1);
    for (int i = 0; i < 4; ++i) {
        m_labels[i] = new QLabel(QLatin1String(captions[i]), m_frame1);
        m_labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        boxes[i]->setObjectName(QLatin1String(names[i]));
        m_labels[i]->setBuddy(boxes[i]);
        grid->addWidget(m_labels[i], i, 0);
        grid->addWidget(boxes[i], i, 1);
    }
    m_txtVRM->setMaxLength(25);
    m_txtReason->setMaxLength(50);
    for (QLineEdit* box : {m_txtAddedBy, m_txtAddedOn})
        SetTextBoxLocked(false, *box);
    for (QLineEdit* box : {m_txtVRM, m_txtReason})
        box->installEventFilter(this);
    KeyFilter::Install(*m_txtVRM, [](int16_t keyCode) { return FilterAlphaNumericKey(keyCode, QStringLiteral(" ")); });

    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    m_cmdDelete->setVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdDelete);
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame1);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(m_txtVRM, &QLineEdit::textChanged, this, &frmEditBlackListVrm::txtVRM_Change);
    connect(m_txtReason, &QLineEdit::textChanged, this, &frmEditBlackListVrm::txtReason_Change);
    // Letters typed in small are entered as capitals.
    connect(m_txtVRM, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int caret = m_txtVRM->cursorPosition();
        m_txtVRM->setText(upper);
        m_txtVRM->setCursorPosition(caret);
    });
    connect(m_cmdOk, &QPushButton::clicked, this, &frmEditBlackListVrm::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmEditBlackListVrm::cmdCancel_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmEditBlackListVrm::cmdDelete_Click);
}

QLabel* frmEditBlackListVrm::Label(int index) const
{
    return index >= 1 && index <= 4 ? m_labels[index - 1] : nullptr;
}

void frmEditBlackListVrm::SetBlacklistedVRM(BlackListedVRM& oBLVrm, bool DisableVrm, bool AllowDelete)
{
    m_entry = &oBLVrm;
    m_filling = true;
    m_txtAddedBy->setText(oBLVrm.BlacklistedBy());
    const NullableDate on = oBLVrm.BlacklistedOn();
    m_txtAddedOn->setText(on ? FormatDateTime(*on, QStringLiteral("dd mmm yy")) : QString());
    m_txtVRM->setText(oBLVrm.VRM());
    m_txtReason->setText(oBLVrm.Reason());
    m_filling = false;
    m_cmdDelete->setVisible(AllowDelete);
    SetTextBoxLocked(oBLVrm.IsNew() && !DisableVrm, *m_txtVRM);
}

void frmEditBlackListVrm::txtVRM_Change(const QString& text)
{
    if (m_entry && !m_filling)
        m_entry->SetVRM(text);
}

void frmEditBlackListVrm::txtReason_Change(const QString& text)
{
    if (m_entry && !m_filling)
        m_entry->SetReason(text);
}

QString frmEditBlackListVrm::Refusals()
{
    QString message;
    const QString vrm = m_entry->VRM();
    if (vrm.size() < 2) {
        message = QStringLiteral("Please enter a vehicle registration or VIN");
    } else if (vrm.size() != VinLength) {
        // The rule answers with the cleaned mark, or ":" and its message.
        const QString verdict = ValidateVRMText(vrm);
        if (verdict.startsWith(u':'))
            message = verdict.mid(1);
    }
    m_entry->SetReason(RemoveControlChars(m_entry->Reason()));
    if (m_entry->Reason().isEmpty())
        AppendWithSeparator(message, QStringLiteral("The reason cannot be blank"), QStringLiteral("\r\n"));
    return message;
}

void frmEditBlackListVrm::cmdOk_Click()
{
    if (!m_entry)
        return;
    const QString message = Refusals();
    if (!message.isEmpty()) {
        TellUserWarning(QStringLiteral("Cannot save because:"), message);
        return;
    }
    m_entry->EndEdit();
    accept();
}

void frmEditBlackListVrm::cmdDelete_Click()
{
    if (!m_entry)
        return;
    if (AskUser(QStringLiteral("Remove this vehicle from the blacklist?"), QString(), MsgBox::YesNo,
                MsgBox::AnswerNo) != MsgBox::AnswerYes)
        return;
    m_entry->SetIsDeleted(true);
    m_entry->EndEdit();
    accept();
}

void frmEditBlackListVrm::cmdCancel_Click()
{
    if (m_entry)
        m_entry->CancelEdit();
    QDialog::reject();
}

void frmEditBlackListVrm::reject()
{
    cmdCancel_Click();
}

bool frmEditBlackListVrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            HighlightTextOnFocus(*box);
    }
    return QDialog::eventFilter(watched, event);
}

void EditBlacklistEntry(QWidget* owner, BlackListedVRM& entry, bool disableVrm, bool allowDelete)
{
    frmEditBlackListVrm dialog(owner);
    if (owner)
        dialog.setWindowIcon(owner->windowIcon());
    dialog.SetBlacklistedVRM(entry, disableVrm, allowDelete);
    dialog.exec();
}
