#pragma once

class QMargins;
class QPoint;
class QRect;
class QSize;
class QWidget;

// Moves the window to the middle of its screen.
void CentreForm(QWidget& window);

// Moves the window to the middle of the window that opens it, kept on that
// window's screen; to the middle of the screen when there is no visible
// opener.
//
// Either way the whole window, its frame and title bar included, lies
// inside the screen's available area, so that it can be dragged; a window
// larger than that area starts at its top left corner. A window not shown
// yet is given the frame of the windows already shown.
void CentreOver(QWidget& window, const QWidget* opener);

// Where a window of this size with this frame goes: its frame centred on
// the point, moved as little as it takes to lie inside the area; along a
// side longer than the area, from the area's start. Returns the frame.
QRect FramePlacement(const QSize& size, const QMargins& frame, const QPoint& centre, const QRect& area);
