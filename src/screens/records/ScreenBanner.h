#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

// How a banner looks: its band's colours from left to right, the font of
// its lettering (empty: the application's), and the subject's letter size
// and distance from the right edge in pixels.
struct BannerLook {
    QColor left;
    QColor right;
    QString family;
    int subjectPixels = 20;
    int subjectMargin = 24;
};

// The enquiry screen's banner, and the one the response and statement
// screens share.
BannerLook EnquiryBannerLook();
BannerLook RecordScreenBannerLook();

// Screens less than this many pixels high show the record screens without
// their banner, in a lower window.
constexpr int CompactScreenHeight = 730;

// The picture across the top of a record screen, 950 by 58 pixels: the
// program's name and the screen's subject.
QPixmap DrawScreenBanner(const QString& subject, const BannerLook& look);

// The banner as the window's label of that name; hidden when the screen,
// screenHeight pixels high (0: the window's screen), is less than
// CompactScreenHeight high.
QLabel* MakeScreenBanner(QWidget& window, const char* name, const QString& subject, const BannerLook& look,
                         int screenHeight = 0);
