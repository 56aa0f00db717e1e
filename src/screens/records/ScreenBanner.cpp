#include "screens/records/ScreenBanner.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {
constexpr int Width = 950;
constexpr int Height = 58;
} // namespace

BannerLook EnquiryBannerLook()
{
    const QColor colour(0x1f, 0x6f, 0xb4);
    return {colour.darker(160), colour.lighter(130), QString(), 20, 24};
}

BannerLook RecordScreenBannerLook()
{
    return {QColor(0x1f, 0x3d, 0x73), QColor(0x5a, 0x8f, 0xc8), QStringLiteral("Arial"), 18, 18};
}

QPixmap DrawScreenBanner(const QString& subject, const BannerLook& look)
{
    QPixmap pixmap(Width, Height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, Width, 0);
    band.setColorAt(0, look.left);
    band.setColorAt(1, look.right);
    painter.fillRect(pixmap.rect(), band);
    QFont font = look.family.isEmpty() ? painter.font() : QFont(look.family);
    font.setBold(true);
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(18, 0, 300, Height), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("NEVIX"));
    font.setPixelSize(look.subjectPixels);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, Width - look.subjectMargin, Height), Qt::AlignVCenter | Qt::AlignRight, subject);
    return pixmap;
}

QLabel* MakeScreenBanner(QWidget& window, const char* name, const QString& subject, const BannerLook& look,
                         int screenHeight)
{
    auto* banner = new QLabel(&window);
    banner->setObjectName(QLatin1String(name));
    banner->setPixmap(DrawScreenBanner(subject, look));
    banner->setFixedHeight(Height);
    if (screenHeight <= 0) {
        const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
        screenHeight = screen ? screen->geometry().height() : 0;
    }
    if (screenHeight > 0 && screenHeight < CompactScreenHeight)
        banner->setVisible(false);
    return banner;
}
