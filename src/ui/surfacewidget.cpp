#include "surfacewidget.h"

#include <QPaintEvent>
#include <QPainter>

SurfaceWidget::SurfaceWidget(int width, int height, QWidget* parent)
    : QWidget(parent), surface_(width, height),
      image_(reinterpret_cast<uchar*>(surface_.bits()), width, height,
             width * static_cast<int>(sizeof(std::uint32_t)), QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::repaintBox(const Surface::Box& box) {
    if (!box.empty()) {
        update(QRect(QPoint(box.x0, box.y0), QPoint(box.x1, box.y1)));
    }
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty.topLeft(), image_, dirty);
    // Beyond the surface, if the window grows, the ground stays white.
    const QRegion outside = QRegion(dirty) - QRegion(image_.rect());
    for (const QRect& part : outside) {
        painter.fillRect(part, Qt::white);
    }
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}
