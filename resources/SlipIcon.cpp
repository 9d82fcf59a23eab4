#include "SlipIcon.h"

#include <QPainter>

QImage drawSlipIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);

    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);

    // The slip: a white sheet with a blue heading bar and ruled lines.
    const QRectF sheet(3.5, 1.5, 21, 28);
    painter.setPen(QPen(QColor(40, 60, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(sheet, 1.5, 1.5);
    painter.fillRect(QRectF(6, 4, 16, 3), QColor(60, 120, 200));
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 10; y <= 26; y += 4)
        painter.drawLine(QPointF(6, y + 0.5), QPointF(22, y + 0.5));

    // The red cross in a white disc, over the slip's lower right corner.
    const QPointF centre(22.5, 22.5);
    painter.setPen(QPen(QColor(40, 60, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 8.5, 8.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(215, 25, 32));
    painter.drawRect(QRectF(centre.x() - 2.5, centre.y() - 6.5, 5, 13));
    painter.drawRect(QRectF(centre.x() - 6.5, centre.y() - 2.5, 13, 5));
    return icon;
}
