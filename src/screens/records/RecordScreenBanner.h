#pragma once

#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

// The picture across the top of the record screens (950 x 58 pixels), drawn
// by the program: the program's name and the screen's subject.
QPixmap DrawRecordScreenBanner(const QString& subject);

// Screens less than this many pixels high show the record screens without
// their banner.
constexpr int CompactScreenHeight = 730;

// The banner as a label named "picBanner"; hidden (the window then lies
// compact) when the window's screen is less than CompactScreenHeight high.
QLabel* MakeRecordScreenBanner(QWidget& window, const QString& subject);
