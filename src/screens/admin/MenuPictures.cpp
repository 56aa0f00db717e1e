#include "screens/admin/MenuPictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int Size = 40;

struct Look {
    QColor colour;
    QString glyph;
};

Look LookOf(MenuPicture picture)
{
    switch (picture) {
    case MenuPicture::Enquiries:
        return {QColor(0x1f, 0x6f, 0xb4), QStringLiteral("?")};
    case MenuPicture::Responses:
        return {QColor(0x2e, 0x8b, 0x57), QStringLiteral("\u2713")};
    case MenuPicture::Debits:
        return {QColor(0xc0, 0x7a, 0x12), QStringLiteral("\u00a3")};
    case MenuPicture::SendReceive:
        return {QColor(0x7b, 0x3f, 0xa0), QStringLiteral("\u21c5")};
    case MenuPicture::Log:
        return {QColor(0x4a, 0x5a, 0x6a), QStringLiteral("\u2261")};
    case MenuPicture::Admin:
        return {QColor(0xb0, 0x30, 0x30), QStringLiteral("\u2699")};
    }
    return {Qt::black, QString()};
}

QPixmap Badge(const QColor& colour, const QString& glyph)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(2, 2, Size - 4, Size - 4), 8, 8);
    painter.fillPath(shape, colour);
    painter.setPen(QPen(colour.darker(140), 1.5));
    painter.drawPath(shape);
    QFont font = painter.font();
    font.setPixelSize(Size / 2 + 4);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, glyph);
    return pixmap;
}
} // namespace

QPixmap DrawMenuPicture(MenuPicture picture)
{
    const Look look = LookOf(picture);
    return Badge(look.colour, look.glyph);
}

QPixmap GreyTwin(const QPixmap& picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

QPixmap DrawMenuIcon()
{
    return Badge(QColor(0x1f, 0x3d, 0x73), QStringLiteral("N"));
}
