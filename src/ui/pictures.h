#pragma once

#include <QIcon>
#include <QPixmap>

// The game's embedded pictures, all PNG. They are read by Qt's own PNG
// decoder with the format stated, so no image plugin is ever loaded.
//
// Each is made at 1, 1.5 and 2 device pixels to the window pixel. This one
// is the file made for a screen of `devicePixelRatio`, or the next denser
// one, marked with its density so that it covers the same window pixels at
// any of them.
QPixmap picture(const char* name, qreal devicePixelRatio = 1);

// A picture at all its densities, for the places that choose by size.
QIcon pictureIcon(const char* name);

// The costumed figure at the sizes a window frame and a task bar use, on
// screens of every density.
QIcon gameIcon();
