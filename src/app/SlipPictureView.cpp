#include "SlipPictureView.h"

#include <QPaintEvent>
#include <QPainter>

SlipPictureView::SlipPictureView(QWidget *parent)
    : QWidget(parent),
      m_decoding(std::async(std::launch::async, [] { return QImage(QStringLiteral(":/slip.jpg")); }))
{
    setObjectName(QStringLiteral("Image1"));
}

const QPixmap &SlipPictureView::picture()
{
    if (m_decoding.valid())
        m_picture = QPixmap::fromImage(m_decoding.get());
    return m_picture;
}

void SlipPictureView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, picture());
}
