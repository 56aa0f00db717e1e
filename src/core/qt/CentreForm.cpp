#include "core/qt/CentreForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
// A window not shown yet has no frame; it will open at the size it was
// given, else at its size hint.
QSize OpeningSize(const QWidget& window)
{
    return window.isVisible()                     ? window.frameGeometry().size()
           : window.testAttribute(Qt::WA_Resized) ? window.size()
                                                  : window.sizeHint();
}

void MoveCentreTo(QWidget& window, const QPoint& centre, const QRect& bounds)
{
    const QSize size = OpeningSize(window);
    QPoint topLeft(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
    // On the screen, its title bar first, when the window is larger.
    topLeft.setX(std::max(bounds.left(), std::min(topLeft.x(), bounds.right() + 1 - size.width())));
    topLeft.setY(std::max(bounds.top(), std::min(topLeft.y(), bounds.bottom() + 1 - size.height())));
    window.move(topLeft);
}
} // namespace

void CentreForm(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = OpeningSize(window);
    window.move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}

void CentreOver(QWidget& window, const QWidget* opener)
{
    if (!opener || !opener->isVisible()) {
        CentreForm(window);
        return;
    }
    const QWidget& frame = *opener->window();
    const QScreen* screen = frame.screen() ? frame.screen() : QGuiApplication::primaryScreen();
    const QRect bounds = screen ? screen->availableGeometry() : frame.frameGeometry();
    MoveCentreTo(window, frame.frameGeometry().center(), bounds);
}
