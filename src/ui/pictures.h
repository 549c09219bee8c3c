#pragma once

#include <QIcon>
#include <QPixmap>

// The game's embedded pictures, all PNG. They are read by Qt's own PNG
// decoder with the format stated, so no image plugin is ever loaded.
QPixmap picture(const char* name);

// The costumed figure at the sizes a window frame and a task bar use.
QIcon gameIcon();
