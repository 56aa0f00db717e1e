#include "core/qt/CentreForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreForm(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A window not shown yet has no frame; it will open at the size it was
    // given, else at its size hint.
    const QSize size = window.isVisible()            ? window.frameGeometry().size()
                       : window.testAttribute(Qt::WA_Resized) ? window.size()
                                                              : window.sizeHint();
    const QRect area = screen->geometry();
    window.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + (area.height() - size.height()) / 2);
}
