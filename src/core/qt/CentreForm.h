#pragma once

class QWidget;

// Moves the window to the middle of its screen.
void CentreForm(QWidget& window);

// Moves the window to the middle of the window that opens it, kept on that
// window's screen; to the middle of the screen when there is no visible
// opener.
void CentreOver(QWidget& window, const QWidget* opener);
