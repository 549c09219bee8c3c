// The game's start-up, as main() does it, ending after the first frame.
#include "firstframe.h"
#include "form1.h"
#include "gamestyle.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new GameStyle);
    Form1 window;
    FirstFrame watch(window.centralWidget());
    window.show();
    return app.exec();
}
