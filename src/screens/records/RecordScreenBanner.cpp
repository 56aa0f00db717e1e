#include "screens/records/RecordScreenBanner.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QWidget>

QPixmap DrawRecordScreenBanner(const QString& subject)
{
    constexpr int Width = 950;
    constexpr int Height = 58;
    QPixmap pixmap(Width, Height);
    QPainter painter(&pixmap);
    QLinearGradient fill(0, 0, Width, 0);
    fill.setColorAt(0, QColor(0x1f, 0x3d, 0x73));
    fill.setColorAt(1, QColor(0x5a, 0x8f, 0xc8));
    painter.fillRect(pixmap.rect(), fill);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(18, 0, 200, Height), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("NEVIX"));
    font.setPixelSize(18);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, Width - 18, Height), Qt::AlignVCenter | Qt::AlignRight, subject);
    return pixmap;
}

QLabel* MakeRecordScreenBanner(QWidget& window, const QString& subject)
{
    auto* banner = new QLabel(&window);
    banner->setObjectName(QStringLiteral("picBanner"));
    banner->setPixmap(DrawRecordScreenBanner(subject));
    banner->setFixedHeight(58);
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen && screen->geometry().height() < CompactScreenHeight)
        banner->setVisible(false);
    return banner;
}
