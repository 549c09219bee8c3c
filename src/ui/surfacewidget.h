#pragma once

#include "surface.h"

#include <QImage>
#include <QWidget>

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

  signals:
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    qreal scale_;
    Surface surface_;
    QImage image_;
};
