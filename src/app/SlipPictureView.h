#pragma once

#include <QPixmap>
#include <QWidget>

// The picture of the blank slip, drawn at its natural size from the top-left
// corner, neither stretched nor centred. The slip's boxes are its children,
// placed in picture pixels.
class SlipPictureView : public QWidget {
public:
    explicit SlipPictureView(QWidget *parent);

    const QPixmap &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
