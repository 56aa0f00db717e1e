#pragma once

#include <QString>

class QWidget;

// The folder browser owned by the given window (none when null), opening on
// startFolder. The folder chosen, or "" when cancelled.
QString ShowFolderBrowser(QWidget* ownerWindow, const QString& title, const QString& startFolder);
