#pragma once

#include <QPixmap>
#include <QString>

// The picture across the top of a record screen, 950 by 58 pixels: the
// program's name and the screen's subject on the screen's own colour.
QPixmap DrawScreenBanner(const QString& subject, const QColor& colour);
