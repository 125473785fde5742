#include "app/picture_box.hpp"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kelvora {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!image_.isNull()) {
        painter.drawImage(QPoint(0, 0), image_);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = Qt::white;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::RightButton) {
        emit popupRequested(event->globalPosition().toPoint());
    }
}

void PictureBox::contextMenuEvent(QContextMenuEvent* event) {
    // A mouse-driven request was already answered on the button press.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        emit popupRequested(mapToGlobal(rect().center()));
    }
    event->accept();
}

} // namespace kelvora
