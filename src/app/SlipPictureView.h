#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <future>

// The picture of the blank slip, drawn at its natural size from the top-left
// corner, neither stretched nor centred. The slip's boxes are its children,
// placed in picture pixels. The JPEG is decoded on a worker thread while the
// window and the printer are being prepared, so start-up does not wait for it.
class SlipPictureView : public QWidget {
public:
    explicit SlipPictureView(QWidget *parent);

    const QPixmap &picture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::future<QImage> m_decoding;
    QPixmap m_picture;
};
