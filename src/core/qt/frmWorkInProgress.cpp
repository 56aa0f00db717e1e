#include "core/qt/frmWorkInProgress.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

frmWorkInProgress::frmWorkInProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_lblWait(new QLabel(QStringLiteral("Please wait"), this)),
      m_lblWIP(new QLabel(QStringLiteral("Database Work in Progress"), this))
{
    setObjectName(QStringLiteral("frmWorkInProgress"));
    m_lblWait->setObjectName(QStringLiteral("lblWait"));
    m_lblWIP->setObjectName(QStringLiteral("lblWIP"));
    m_lblWait->setAlignment(Qt::AlignCenter);
    m_lblWIP->setAlignment(Qt::AlignCenter);
    m_lblWIP->setWordWrap(true);
    QFont bold = m_lblWait->font();
    bold.setBold(true);
    m_lblWait->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblWait);
    layout->addWidget(m_lblWIP);
    setMinimumWidth(320);
    setModal(false);
    setWindowTitle(QString());

    m_pointer.SetGlobalHourGlass();
}

frmWorkInProgress::~frmWorkInProgress() = default;

void frmWorkInProgress::Unload()
{
    m_unloading = true;
    close();
}

void frmWorkInProgress::closeEvent(QCloseEvent* event)
{
    if (m_unloading)
        event->accept();
    else
        event->ignore();
}

void frmWorkInProgress::reject()
{
    // Escape must not close it either.
}
