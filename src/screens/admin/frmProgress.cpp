#include "screens/admin/frmProgress.h"

#include "platform/AppContext.h"

#include <algorithm>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString CancelFlag = QStringLiteral("CANCEL");
} // namespace

frmProgress::frmProgress(QWidget* parent)
    : QDialog(parent), m_statusPnl(new QProgressBar(this)),
      m_infoLbl(new QLabel(QStringLiteral("InfoLbl"), this)), m_statusLbl(new QLabel(this)),
      m_cancelBtn(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("PROGRESS"));
    setModal(false);
    m_statusPnl->setObjectName(QStringLiteral("StatusPnl"));
    m_infoLbl->setObjectName(QStringLiteral("InfoLbl0"));
    m_statusLbl->setObjectName(QStringLiteral("StatusLbl"));
    m_cancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    m_statusPnl->setRange(0, 100);
    m_statusPnl->setValue(0);
    m_infoLbl->setMinimumWidth(360);
    m_statusLbl->setVisible(false);
    m_statusLbl->clear();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_infoLbl);
    layout->addWidget(m_statusPnl);
    layout->addWidget(m_statusLbl);
    layout->addLayout(buttons);

    connect(m_cancelBtn, &QPushButton::clicked, this, &frmProgress::CancelBtn_Click);
}

void frmProgress::Load(const QString& caption, const QString& info)
{
    m_statusLbl->clear();
    m_statusPnl->setValue(0);
    setWindowTitle(caption);
    m_infoLbl->setText(info);
    m_loaded = true;
    show();
    AppContext::Current().ui().PumpEvents();
}

void frmProgress::SetValue(int32_t percent)
{
    m_statusPnl->setValue(std::clamp(percent, 0, 100));
}

bool frmProgress::CancelRequested() const
{
    return m_statusLbl->text() == CancelFlag;
}

void frmProgress::Unload()
{
    m_loaded = false;
    hide();
}

void frmProgress::Start(const QString& caption, const QString& info)
{
    Load(caption, info);
}

bool frmProgress::Step(int percent)
{
    SetValue(percent);
    AppContext::Current().ui().PumpEvents();
    return CancelRequested();
}

void frmProgress::Finish()
{
    SetValue(100);
    Unload();
}

void frmProgress::CancelBtn_Click()
{
    m_statusLbl->setText(CancelFlag);
}

void frmProgress::reject()
{
    // Escape is the Cancel button; the work closes the window.
    CancelBtn_Click();
}

void frmProgress::closeEvent(QCloseEvent* event)
{
    // The close box asks the work to stop, like Cancel; the work unloads.
    event->ignore();
    CancelBtn_Click();
}
