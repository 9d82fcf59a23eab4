#include "SkyBackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QSize>

namespace {

// One puff of a cloud: an ellipse centred at (x, y) with radii rx, ry, as
// fractions of the picture's width and height, and its opacity.
struct Puff {
    double x, y, rx, ry, opacity;
};

// Clouds are groups of overlapping puffs; kept light and low in contrast so
// that black lettering stays legible over them.
constexpr Puff puffs[] = {
    // upper left
    {0.06, 0.10, 0.10, 0.09, 0.75}, {0.13, 0.07, 0.08, 0.08, 0.70}, {0.19, 0.12, 0.09, 0.07, 0.65},
    // upper right
    {0.74, 0.08, 0.09, 0.08, 0.70}, {0.82, 0.05, 0.10, 0.09, 0.75}, {0.91, 0.10, 0.08, 0.07, 0.65},
    // middle band
    {0.30, 0.42, 0.14, 0.10, 0.45}, {0.40, 0.38, 0.10, 0.09, 0.40}, {0.48, 0.44, 0.12, 0.08, 0.40},
    {0.70, 0.55, 0.13, 0.10, 0.45}, {0.80, 0.50, 0.10, 0.09, 0.40},
    {0.05, 0.60, 0.09, 0.10, 0.45}, {0.12, 0.66, 0.10, 0.08, 0.40},
    // low clouds along the bottom
    {0.20, 0.92, 0.16, 0.12, 0.80}, {0.35, 0.95, 0.14, 0.10, 0.75}, {0.55, 0.93, 0.17, 0.12, 0.80},
    {0.72, 0.96, 0.14, 0.10, 0.75}, {0.90, 0.92, 0.15, 0.12, 0.80}, {0.03, 0.95, 0.10, 0.10, 0.75},
};

} // namespace

void paintSky(QPainter &painter, const QSize &size)
{
    const double w = size.width();
    const double h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(88, 150, 214));
    sky.setColorAt(0.5, QColor(150, 195, 236));
    sky.setColorAt(1.0, QColor(206, 229, 248));
    painter.fillRect(QRectF(0, 0, w, h), sky);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Puff &puff : puffs) {
        const QPointF centre(puff.x * w, puff.y * h);
        const double rx = puff.rx * w;
        const double ry = puff.ry * h;
        // A radial gradient in a circle, squeezed to the ellipse, fades the
        // puff's edge into the sky.
        QRadialGradient soft(QPointF(0, 0), 1.0);
        soft.setColorAt(0.0, QColor(255, 255, 255, int(255 * puff.opacity)));
        soft.setColorAt(0.6, QColor(255, 255, 255, int(200 * puff.opacity)));
        soft.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.save();
        painter.translate(centre);
        painter.scale(rx, ry);
        painter.setBrush(soft);
        painter.drawEllipse(QPointF(0, 0), 1.0, 1.0);
        painter.restore();
    }
    painter.restore();
}
