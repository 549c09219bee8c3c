#pragma once

#include "surface.h"

#include <QImage>
#include <QWidget>

// Shows the drawing surface in the window's client area; everything
// painted on it stays until it is cleared or wiped.
class SurfaceWidget : public QWidget {
    Q_OBJECT
  public:
    SurfaceWidget(int width, int height, QWidget* parent = nullptr);

    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    // The surface's pixels as an image, without a copy.
    const QImage& image() const { return image_; }

    void repaintBox(const Surface::Box& box);

  signals:
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    Surface surface_;
    QImage image_;
};
