#include "screens/common/TransmissionLogDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/AskTellUser.h"
#include "database/LogLines.h"
#include "screens/common/LogListBox.h"

namespace {
constexpr int16_t EveryEvent = EventCodes::Start | EventCodes::End | EventCodes::Information |
                               EventCodes::Communication | EventCodes::Warning |
                               EventCodes::Error | EventCodes::Fatal;
} // namespace

std::unique_ptr<QDialog> BuildTransmissionLogDialog(const LogLines& log, QWidget* owner)
{
    auto dialog = std::make_unique<QDialog>(owner);
    dialog->setObjectName(QStringLiteral("frmTransmissionStatus"));
    dialog->setWindowTitle(QStringLiteral("NEVIX - LOG"));
    dialog->setModal(true);
    auto* list = new QListWidget(dialog.get());
    list->setObjectName(QStringLiteral("lstLog"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog.get());
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog.get());
    layout->addWidget(list);
    layout->addWidget(buttons);
    // The lines wrap to the list's width, so the list gets its size first.
    dialog->resize(640, 420);
    layout->activate();
    FormatLogForDisplay(*list, log, true, EveryEvent);
    return dialog;
}

void ShowTransmissionLog(const LogLines& log, QWidget* owner)
{
    try {
        BuildTransmissionLogDialog(log, owner)->exec();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to view the log because:"), e.Description());
    }
}
