#pragma once

class QWidget;

// Moves the window to the middle of its screen.
void CentreForm(QWidget& window);
