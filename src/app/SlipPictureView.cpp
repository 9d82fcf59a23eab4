#include "SlipPictureView.h"

#include <QPaintEvent>
#include <QPainter>

SlipPictureView::SlipPictureView(QWidget *parent)
    : QWidget(parent), m_picture(QStringLiteral(":/slip.jpg"))
{
    setObjectName(QStringLiteral("Image1"));
}

void SlipPictureView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, m_picture);
}
