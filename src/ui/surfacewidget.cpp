#include "surfacewidget.h"

#include "colourtable.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

SurfaceWidget::SurfaceWidget(int width, int height, int scale, QWidget* parent)
    : QWidget(parent), scale_(scale), surface_(width * scale, height * scale),
      image_(surface_.bits(), width * scale, height * scale, surface_.stride(),
             QImage::Format_Indexed8) {
    // Every byte value has an entry: a fill's passing marks are never shown,
    // but no pixel can ever fall outside the table.
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) {
        table[i] = colourTable[static_cast<std::size_t>(i % 16)];
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
    // Part by part: a placement changes a board cell and the piece far to
    // its right, and their bounding box holds ten times the pixels. Each part
    // goes in bands of at most 64 device lines: Qt hands taller image blends
    // to its thread pool, and for a cell the hand-off costs more than the copy.
    const int band = std::max(1, 64 / scale_);
    for (const QRect& dirty : event->region()) {
        for (int top = dirty.top(); top <= dirty.bottom(); top += band) {
            const QRect part(dirty.left(), top, dirty.width(),
                             std::min(band, dirty.bottom() + 1 - top));
            const QRect source(part.topLeft() * scale_, part.size() * scale_);
            painter.drawImage(part, image_, source);
        }
    }
    // Beyond the surface the ground is white.
    const QRect drawn(0, 0, image_.width() / scale_, image_.height() / scale_);
    for (const QRect& part : event->region() - QRegion(drawn)) {
        painter.fillRect(part, Qt::white);
    }
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}
