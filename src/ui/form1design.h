#pragma once

#include <QColor>
#include <QRect>

class FaceButton;
class Form1;

// How one of the window's eight buttons looks, where it stands and what it
// does. Form1 builds its buttons from this table, in tab order.
struct ButtonDesign {
    const char* name;
    const char* caption;
    const char* picture;
    QRect place;
    QColor face;
    // What a screen reader calls it, its caption first, so that a player
    // who says the caption is understood; then what it does and costs.
    const char* spokenName;
    const char* spokenDescription;
    FaceButton* Form1::*field;
    void (Form1::*click)();
};
