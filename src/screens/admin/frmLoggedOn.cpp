#include "screens/admin/frmLoggedOn.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmLoggedOn::frmLoggedOn(const QString& userName, const QString& whatFollows,
                         std::function<void()> logOff, QWidget* parent)
    : QWidget(parent), m_lblUser(new QLabel(this)),
      m_cmdLogOff(new QPushButton(QStringLiteral("Log &Off"), this))
{
    setObjectName(QStringLiteral("frmLoggedOn"));
    setWindowTitle(QStringLiteral("Nevix"));
    m_lblUser->setObjectName(QStringLiteral("lblUser"));
    m_cmdLogOff->setObjectName(QStringLiteral("cmdLogOff"));
    m_lblUser->setText(QStringLiteral("Logged on as %1.\n%2 is not available in this version yet.")
                           .arg(userName, whatFollows));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblUser);
    layout->addWidget(m_cmdLogOff, 0, Qt::AlignRight);
    // The next window opens before this one closes: the program ends when
    // its last window closes.
    connect(m_cmdLogOff, &QPushButton::clicked, this, [this, logOff = std::move(logOff)] {
        if (logOff)
            logOff();
        close();
    });
    resize(380, 120);
}
