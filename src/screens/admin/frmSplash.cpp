#include "screens/admin/frmSplash.h"

#include "core/GlobalDeclarations.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash(std::function<void()> handOver, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_handOver(std::move(handOver)),
      m_lblVersion(new QLabel(VersionCaption(), this)),
      m_imgKeeper(new QLabel(this)),
      m_cmdClose(new QPushButton(QStringLiteral("&Close"), this)),
      m_tmrintro(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Nevix"));
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_imgKeeper->setObjectName(QStringLiteral("imgKeeper"));
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_tmrintro->setObjectName(QStringLiteral("tmrintro"));

    m_imgKeeper->setText(QStringLiteral("NEVIX"));
    m_imgKeeper->setAlignment(Qt::AlignCenter);
    m_imgKeeper->setMinimumSize(360, 120);
    m_imgKeeper->setStyleSheet(QStringLiteral(
        "QLabel { background: #1f3d73; color: white; font-size: 40pt; font-weight: bold; }"));
    m_lblVersion->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_imgKeeper);
    layout->addWidget(m_lblVersion);
    layout->addWidget(m_cmdClose, 0, Qt::AlignHCenter);
    m_cmdClose->setVisible(false);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::hide);

    m_tmrintro->setInterval(2000);
    connect(m_tmrintro, &QTimer::timeout, this, &frmSplash::tmrintro_Timer);
    m_tmrintro->start();
}

void frmSplash::SetIsAboutBox(bool value)
{
    m_isAboutBox = value;
    if (value)
        m_tmrintro->stop();
    else
        m_tmrintro->start();
    m_cmdClose->setVisible(value);
}

void frmSplash::tmrintro_Timer()
{
    if (!m_goAway) {
        m_tmrintro->start(500);
        return;
    }
    m_tmrintro->stop();
    if (!m_hasError && m_handOver)
        m_handOver();
    m_unloading = true;
    close();
    deleteLater();
}

void frmSplash::closeEvent(QCloseEvent* event)
{
    // The user cannot close the splash; the about box closes normally.
    if (m_isAboutBox || m_unloading)
        event->accept();
    else
        event->ignore();
}

void frmSplash::reject()
{
    if (m_isAboutBox)
        QDialog::reject();
}
