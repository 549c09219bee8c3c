#include "firstframe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class FirstFrameWatch final : public QObject {
  public:
    FirstFrameWatch(QWidget* widget, std::function<void()> then)
        : QObject(widget), then_(std::move(then)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(then_));
            deleteLater();
        }
        return false;
    }

  private:
    std::function<void()> then_;
};

} // namespace

void afterFirstFrame(QWidget* widget, std::function<void()> then) {
    new FirstFrameWatch(widget, std::move(then));
}
