#pragma once

#include "colourmarks.h"
#include "surface.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <vector>

// Shows the drawing surface in the window's client area; everything
// painted on it stays until it is cleared or wiped. The surface has `scale`
// device pixels for each of the window's pixels, whole or not (see
// Surface::at), so it is shown pixel for pixel on a high-density screen.
class SurfaceWidget : public QWidget {
    Q_OBJECT
  public:
    SurfaceWidget(int width, int height, qreal scale, QWidget* parent = nullptr);

    qreal scale() const { return scale_; }

    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    // The surface's pixels as an image, without a copy.
    const QImage& image() const { return image_; }

    // Repaints the window's pixels over these surface pixels.
    void repaintBox(const Surface::Box& box);
    // Repaints these window pixels, whatever device pixels they fall on.
    void repaintWindowPixels(const QRect& rect);

    // The marks drawn over the surface from now on, each on the device pixel
    // nearest its centre. Where a mark comes, goes or changes is repainted.
    void setMarks(std::vector<ColourMark> marks);

  signals:
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The window pixels a mark may touch.
    QRect markRect(const ColourMark& mark) const;

    qreal scale_;
    Surface surface_;
    QImage image_;
    std::vector<ColourMark> marks_;
    std::array<QImage, 5> markPictures_; // by colour, made as first needed
};
