#include "appicon.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>

namespace {

// Drawn on a 32-unit grid and scaled, so every size shows the same picture.
void drawIcon(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);

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
}

// Draws the icon when a size is asked for, sharp at any size, instead of
// drawing every size at start-up.
class AppIconEngine : public QIconEngine {
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 32.0, rect.height() / 32.0);
        drawIcon(*painter);
        painter->restore();
    }

    // Drawn on a cleared, transparent pixmap: the page alone, no square
    // around it, and nothing left over from the memory the pixmap got.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, image.rect(), mode, state);
        painter.end();
        return QPixmap::fromImage(image);
    }

    QIconEngine *clone() const override { return new AppIconEngine; }

    // The sizes a window's icon is handed to the desktop in: 32 and its
    // double for high-DPI screens. Larger sizes are drawn on request.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {{16, 16}, {32, 32}, {48, 48}, {64, 64}}; }
};

}   // namespace

QIcon appIcon()
{
    return QIcon(new AppIconEngine);
}
