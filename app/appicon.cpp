#include "appicon.h"

#include <QPainter>
#include <QPixmap>

namespace {

// Drawn on a 32-unit grid and scaled, so every size shows the same picture.
QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // The page, with a folded corner.
    const QPolygonF page({{5, 2}, {22, 2}, {28, 8}, {28, 30}, {5, 30}});
    painter.setPen(QPen(QColor(60, 60, 60), 1.2));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawPolygon(page);
    painter.setBrush(QColor(192, 192, 192));
    painter.drawPolygon(QPolygonF({{22, 2}, {22, 8}, {28, 8}}));

    // Rows of "bytes": short and long bars as decimal codes of varying width.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 30));
    const int widths[5][3] = {{3, 5, 4}, {5, 3, 5}, {4, 4, 3}, {3, 5, 5}, {5, 4, 3}};
    for (int row = 0; row < 5; ++row) {
        qreal x = 8;
        for (int w : widths[row]) {
            painter.drawRect(QRectF(x, 11 + row * 3.8, w, 2));
            x += w + 2;
        }
    }
    return pixmap;
}

} // namespace

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(drawIcon(size));
    return icon;
}
