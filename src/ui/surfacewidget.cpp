#include "surfacewidget.h"

#include "colours.h"

#include <QPaintEvent>
#include <QPainter>

SurfaceWidget::SurfaceWidget(int width, int height, QWidget* parent)
    : QWidget(parent), surface_(width, height),
      image_(surface_.bits(), width, height, surface_.stride(), QImage::Format_Indexed8) {
    // Every byte value has an entry: a fill's passing marks are never shown,
    // but no pixel can ever fall outside the table.
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) {
        const Rgb c = colourTable[static_cast<std::size_t>(i % 16)];
        table[i] = qRgb(c.red, c.green, c.blue);
    }
    image_.setColorTable(table);
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
