#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

// Prints the monotonic clock once the watched widget has been painted and
// flushed for the first time, then ends the program.
class FirstFrame : public QObject {
  public:
    explicit FirstFrame(QWidget* watched) { watched->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The flush follows the paint in the same pass of the event loop.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
                std::fflush(stdout);
                // Straight out: what the program would do after its first
                // frame is not part of starting up.
                std::_Exit(0);
            });
        }
        return false;
    }

  private:
    bool seen_ = false;
};
