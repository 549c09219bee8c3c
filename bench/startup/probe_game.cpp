// The game's start-up, as main() does it, ending after the first frame.
#include "firstframe.h"
#include "form1.h"
#include "gamestyle.h"
#include "printclock.h"
#include "sdlcueplayer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new GameStyle);
    SdlCuePlayer cues;
    Form1 window(cues);
    afterFirstFrame(window.centralWidget(), printClockAndExit);
    window.show();
    return app.exec();
}
