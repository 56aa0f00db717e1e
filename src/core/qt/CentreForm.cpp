#include "core/qt/CentreForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreForm(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window.move(area.left() + (area.width() - window.frameGeometry().width()) / 2,
                area.top() + (area.height() - window.frameGeometry().height()) / 2);
}
