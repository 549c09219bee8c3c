#pragma once

#include <functional>

class QWidget;

// Runs `then` once, when the widget's first frame is on screen: after its
// first paint, in the same pass of the event loop that flushes it.
void afterFirstFrame(QWidget* widget, std::function<void()> then);
