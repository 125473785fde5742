// A box that shows one image at its own size from the top-left corner on a white background,
// takes the keyboard focus, and asks for a popup menu on a right button press.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace kelvora {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // A null image leaves the box empty. What does not fit is cut off.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

signals:
    // The right mouse button went down over the box, or the keyboard's menu key was pressed
    // while it had the focus. `globalPos` is where a popup menu belongs.
    void popupRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QImage image_;
};

} // namespace kelvora
