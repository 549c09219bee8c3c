// The least a Qt Widgets program does to show a window.
#include "firstframe.h"
#include "printclock.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(792, 554);
    afterFirstFrame(&window, printClockAndExit);
    window.show();
    return app.exec();
}
