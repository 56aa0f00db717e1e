#include "screens/transmission/frmCloseAutoExecute.h"

#include "screens/transmission/OptionFrame.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char* const OptionCaptions[] = {"Shut down", "Stop scheduled connections and go to manual mode",
                                      "Cancel close and go back to scheduled connections"};
const char* const ButtonCaptions[] = {"&Shut Down", "&Manual Mode", "&Cancel"};
} // namespace

frmCloseAutoExecute::frmCloseAutoExecute(QWidget* parent)
    : QDialog(parent), m_cmdClose(new QPushButton(QString::fromLatin1(ButtonCaptions[0]), this))
{
    setObjectName(QStringLiteral("frmCloseAutoExecute"));
    setWindowTitle(QStringLiteral("CLOSE AUTOEXECUTE"));
    setModal(true);
    QStringList captions;
    for (const char* caption : OptionCaptions)
        captions.append(QString::fromLatin1(caption));
    QGroupBox* frame = BuildOptionFrame(this, QStringLiteral("optClose"), captions,
                                        [this](int index) { optClose_Click(index); }, m_options);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setDefault(true);
    m_cmdClose->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(m_cmdClose, &QPushButton::clicked, this, &frmCloseAutoExecute::cmdClose_Click);
}

int32_t frmCloseAutoExecute::CloseAction() const
{
    for (int i = 0; i < int(m_options.size()); ++i) {
        if (m_options[i]->isChecked())
            return i;
    }
    return ShutDown;
}

void frmCloseAutoExecute::optClose_Click(int index)
{
    m_cmdClose->setText(QString::fromLatin1(ButtonCaptions[index]));
}

void frmCloseAutoExecute::cmdClose_Click()
{
    hide();
}

void frmCloseAutoExecute::reject()
{
    // Escape is not an answer here: the dialog has no cancel button.
}

void frmCloseAutoExecute::closeEvent(QCloseEvent* event)
{
    // The title bar's close goes back to the scheduled connections.
    event->ignore();
    m_options[Cancel]->setChecked(true);
    optClose_Click(Cancel);
    cmdClose_Click();
}
