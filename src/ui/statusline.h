#pragma once

#include <string_view>

class QLabel;
class QWidget;

// The status line, Label1: the game's hints and messages, in 14-point
// magenta on light cyan, the last message winning.
QLabel* createStatusLine(QWidget* parent);
void showStatus(QLabel& line, std::string_view text);
// Keeps its height and hugs the bottom edge of the area at full width.
void dockStatusLine(QLabel& line, const QWidget& area);
