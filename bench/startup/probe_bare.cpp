// The least a Qt Widgets program does to show a window.
#include "firstframe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(792, 554);
    FirstFrame watch(&window);
    window.show();
    return app.exec();
}
