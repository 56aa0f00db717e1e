#include "screens/common/UnloadAllForms.h"

#include <QApplication>
#include <QWidget>

namespace {
const char* const UnloadingProperty = "nevixUnloading";

QWidget* LastOpenWindow()
{
    QWidget* last = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isWindow() && window->windowType() != Qt::Desktop &&
            !IsUnloading(*window))
            last = window;
    }
    return last;
}
} // namespace

void UnloadAllForms()
{
    while (QWidget* window = LastOpenWindow()) {
        MarkUnloading(*window);
        // Closed from code, then gone whatever its close answered: a
        // window that refuses its own close (the please-wait window) goes
        // too.
        window->close();
        window->hide();
        window->deleteLater();
        QCoreApplication::processEvents();
    }
}

void MarkUnloading(QWidget& window)
{
    window.setProperty(UnloadingProperty, true);
}

bool IsUnloading(const QWidget& window)
{
    return window.property(UnloadingProperty).toBool();
}
