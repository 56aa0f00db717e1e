#include "screens/transmission/frmShutDownMode.h"

#include "screens/transmission/OptionFrame.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char* const OptionCaptions[] = {"Shut Down", "Log Off", "Return to Automatic Execution "};
const char* const ButtonCaptions[] = {"&Shut Down", "&Log Off", "&Auto Execute"};
} // namespace

frmShutDownMode::frmShutDownMode(QWidget* parent)
    : QDialog(parent), m_cmdOk(new QPushButton(QStringLiteral("Shut Down"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("frmShutDownMode"));
    setWindowTitle(QStringLiteral("CLOSE"));
    setModal(true);
    QStringList captions;
    for (const char* caption : OptionCaptions)
        captions.append(QString::fromLatin1(caption));
    QGroupBox* frame = BuildOptionFrame(this, QStringLiteral("optCloseDown"), captions,
                                        [this](int index) { optCloseDown_Click(index); }, m_options);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdOk->setDefault(true);
    m_cmdOk->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(m_cmdOk, &QPushButton::clicked, this, &frmShutDownMode::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmShutDownMode::cmdCancel_Click);
}

void frmShutDownMode::InitialiseForm(bool ShowLogOff, bool ShowReturnToAutoExec)
{
    m_options[1]->setVisible(ShowLogOff);
    m_options[2]->setVisible(ShowReturnToAutoExec);
}

void frmShutDownMode::optCloseDown_Click(int index)
{
    m_cmdOk->setText(QString::fromLatin1(ButtonCaptions[index]));
}

void frmShutDownMode::cmdOk_Click()
{
    m_mode = Cancelled;
    for (int i = 0; i < int(m_options.size()); ++i) {
        if (m_options[i]->isChecked())
            m_mode = i + 1;
    }
    hide();
}

void frmShutDownMode::cmdCancel_Click()
{
    m_mode = Cancelled;
    hide();
}

void frmShutDownMode::reject()
{
    cmdCancel_Click();
}

void frmShutDownMode::closeEvent(QCloseEvent* event)
{
    // The title bar's close answers Cancel; the caller unloads the dialog.
    event->ignore();
    cmdCancel_Click();
}
