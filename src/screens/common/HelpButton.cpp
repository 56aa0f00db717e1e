#include "screens/common/HelpButton.h"

#include <QWidget>

void HideHelpButton(QWidget& window, int32_t /*TopicId*/)
{
    if (auto* help = window.findChild<QWidget*>(QStringLiteral("cmdHelp")))
        help->setVisible(false);
}
