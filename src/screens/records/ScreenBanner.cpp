#include "screens/records/ScreenBanner.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap DrawScreenBanner(const QString& subject, const QColor& colour)
{
    constexpr int Width = 950;
    constexpr int Height = 58;
    QPixmap pixmap(Width, Height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, Width, 0);
    band.setColorAt(0, colour.darker(160));
    band.setColorAt(1, colour.lighter(130));
    painter.fillRect(pixmap.rect(), band);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(18, 0, 300, Height), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("NEVIX"));
    font.setPixelSize(20);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, Width - 24, Height), Qt::AlignVCenter | Qt::AlignRight, subject);
    return pixmap;
}
