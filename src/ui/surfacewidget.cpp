#include "surfacewidget.h"

#include "colours.h"

#include <QPaintEvent>
#include <QPainter>

SurfaceWidget::SurfaceWidget(int width, int height, int scale, QWidget* parent)
    : QWidget(parent), scale_(scale), surface_(width * scale, height * scale),
      image_(surface_.bits(), width * scale, height * scale, surface_.stride(),
             QImage::Format_Indexed8) {
    // Every byte value has an entry: a fill's passing marks are never shown,
    // but no pixel can ever fall outside the table.
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) {
        const Rgb c = colourTable[static_cast<std::size_t>(i % 16)];
        table[i] = qRgb(c.red, c.green, c.blue);
    }
    image_.setColorTable(table);
    image_.setDevicePixelRatio(scale);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::repaintBox(const Surface::Box& box) {
    if (!box.empty()) {
        update(QRect(QPoint(box.x0 / scale_, box.y0 / scale_),
                     QPoint(box.x1 / scale_, box.y1 / scale_)));
    }
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    const QRect source(dirty.topLeft() * scale_, dirty.size() * scale_);
    painter.drawImage(QRectF(dirty), image_, QRectF(source));
    // Beyond the surface the ground is white.
    const QRect drawn(0, 0, image_.width() / scale_, image_.height() / scale_);
    const QRegion outside = QRegion(dirty) - QRegion(drawn);
    for (const QRect& part : outside) {
        painter.fillRect(part, Qt::white);
    }
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}
