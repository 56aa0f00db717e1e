#include "core/qt/CentreForm.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
QMargins FrameOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

// A window learns its frame from the window manager only once it is shown:
// until then it will have the frame of the other windows, its opener's
// first.
QMargins ExpectedFrame(const QWidget& window, const QWidget* opener)
{
    if (const QMargins own = FrameOf(window); !own.isNull())
        return own;
    const auto framed = [](const QWidget* other) { return other && other->isVisible() && !FrameOf(*other).isNull(); };
    if (opener && framed(opener->window()))
        return FrameOf(*opener->window());
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (framed(other))
            return FrameOf(*other);
    }
    return {};
}

int Along(int centre, int length, int start, int room)
{
    return std::max(start, std::min(centre - length / 2, start + room - length));
}

void PlaceCentred(QWidget& window, const QPoint& centre, const QRect& area, const QWidget* opener)
{
    // Its size now: a size chosen by show() would come after the position
    // and lose the frame from it.
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    const QMargins frame = ExpectedFrame(window, opener);
    const QRect outer = FramePlacement(window.size(), frame, centre, area);
    // A window made before it was placed is moved by its inside (its frame
    // is not known to it yet); any other is put where its frame goes.
    if (window.testAttribute(Qt::WA_WState_Created))
        window.setGeometry(outer.marginsRemoved(frame));
    else
        window.move(outer.topLeft());
}

const QScreen* ScreenOf(const QWidget& window)
{
    return window.screen() ? window.screen() : QGuiApplication::primaryScreen();
}
} // namespace

QRect FramePlacement(const QSize& size, const QMargins& frame, const QPoint& centre, const QRect& area)
{
    const QSize outer = size.grownBy(frame);
    return QRect(QPoint(Along(centre.x(), outer.width(), area.left(), area.width()),
                        Along(centre.y(), outer.height(), area.top(), area.height())),
                 outer);
}

void CentreForm(QWidget& window)
{
    const QScreen* screen = ScreenOf(window);
    if (!screen)
        return;
    PlaceCentred(window, screen->geometry().center(), screen->availableGeometry(), nullptr);
}

void CentreOver(QWidget& window, const QWidget* opener)
{
    if (!opener || !opener->isVisible()) {
        CentreForm(window);
        return;
    }
    const QWidget& frame = *opener->window();
    const QScreen* screen = ScreenOf(frame);
    const QRect bounds = screen ? screen->availableGeometry() : frame.frameGeometry();
    PlaceCentred(window, frame.frameGeometry().center(), bounds, opener);
}
