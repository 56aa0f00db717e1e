#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on the next visible top-level window of the type once it is up:
// the way to answer a modal window the code under test opens and waits on.
template <typename Window>
void WhenShown(std::function<void(Window&)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<Window*>(w); window && window->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(*window);
                return;
            }
        }
    });
    poll->start();
}
