#include "surfacewidget.h"

#include "colourtable.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

SurfaceWidget::SurfaceWidget(int width, int height, qreal scale, QWidget* parent)
    : QWidget(parent), scale_(scale),
      surface_(Surface::at(width, scale), Surface::at(height, scale)),
      image_(surface_.bits(), surface_.width(), surface_.height(), surface_.stride(),
             QImage::Format_Indexed8) {
    // Every byte value has an entry: whatever is written through bits(), no
    // pixel can fall outside the table.
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
        repaintWindowPixels(QRect(
            QPoint(Surface::windowPixel(box.x0, scale_), Surface::windowPixel(box.y0, scale_)),
            QPoint(Surface::windowPixel(box.x1, scale_), Surface::windowPixel(box.y1, scale_))));
    }
}

// One window pixel further on every side: where the widget does not begin on
// a device pixel (below a menu bar 23 window pixels high at 1.5), Qt rounds
// between window and device pixels otherwise than the surface does, and the
// last device row or column drawn could be left off the screen.
void SurfaceWidget::repaintWindowPixels(const QRect& rect) {
    update(rect.adjusted(-1, -1, 1, 1));
}

// Mark by mark in order, so that a click's few changes cost no search: a
// mark that comes or goes stands where the two lists differ, or beyond the
// shorter one.
void SurfaceWidget::setMarks(std::vector<ColourMark> marks) {
    QRegion changed;
    const std::size_t longer = std::max(marks_.size(), marks.size());
    for (std::size_t i = 0; i < longer; ++i) {
        const bool inOld = i < marks_.size();
        const bool inNew = i < marks.size();
        if (inOld && !(inNew && marks_[i] == marks[i])) {
            changed += markRect(marks_[i]);
        }
        if (inNew && !(inOld && marks_[i] == marks[i])) {
            changed += markRect(marks[i]);
        }
    }
    marks_ = std::move(marks);
    if (!changed.isEmpty()) {
        update(changed);
    }
}

QRect SurfaceWidget::markRect(const ColourMark& mark) const {
    // A device pixel's rounding and the antialiased edge beyond the reach.
    const int reach = static_cast<int>(std::ceil(markReach(scale_) / scale_)) + 2;
    const QPoint centre = mark.centre.toPoint();
    return QRect(centre - QPoint(reach, reach), centre + QPoint(reach, reach));
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Part by part: a placement changes a board cell and the piece far to
    // its right, and their bounding box holds ten times the pixels. Each part
    // goes in bands of at most 64 device lines: Qt hands taller image blends
    // to its thread pool, and for a cell the hand-off costs more than the copy.
    // The surface pixels of each part go to the same device pixels, none
    // resampled, whether or not the scale is whole.
    const int band = std::max(1, static_cast<int>(64 / scale_));
    for (const QRect& dirty : event->region()) {
        for (int top = dirty.top(); top <= dirty.bottom(); top += band) {
            const int bottom = std::min(top + band, dirty.bottom() + 1);
            const QPoint from(Surface::at(dirty.left(), scale_), Surface::at(top, scale_));
            const QPoint to(Surface::at(dirty.right() + 1, scale_), Surface::at(bottom, scale_));
            const QRectF source(from, to);
            painter.drawImage(QRectF(source.topLeft() / scale_, source.size() / scale_), image_,
                              source);
        }
    }
    // Beyond the surface the ground is white, from the device pixel after
    // the surface's last, which need not end a window pixel.
    const QSizeF drawn = QSizeF(image_.size()) / scale_;
    const QRect whole(0, 0, static_cast<int>(drawn.width()), static_cast<int>(drawn.height()));
    if (!(event->region() - QRegion(whole)).isEmpty()) {
        painter.fillRect(QRectF(drawn.width(), 0, width() - drawn.width(), height()), Qt::white);
        painter.fillRect(QRectF(0, drawn.height(), drawn.width(), height() - drawn.height()),
                         Qt::white);
    }
    // Over the surface's pixels, in device pixels wherever the widget begins,
    // so that each mark's picture is copied pixel for pixel.
    if (!marks_.empty()) {
        const QTransform toDevice = painter.deviceTransform();
        painter.setWorldTransform(toDevice.inverted());
        for (const ColourMark& mark : marks_) {
            if (event->region().intersects(markRect(mark))) {
                QImage& picture =
                    markPictures_[static_cast<std::size_t>(mark.colour - firstPieceColour)];
                if (picture.isNull()) {
                    picture = colourMark(mark.colour, scale_);
                }
                const QPoint middle(picture.width() / 2, picture.height() / 2);
                painter.drawImage(toDevice.map(mark.centre).toPoint() - middle, picture);
            }
        }
    }
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}
