#include "commandline.h"
#include "form1.h"
#include "gamestyle.h"
#include "sdlcueplayer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (const auto status = answerCommandLine(argc, argv)) {
        return *status;
    }
    // Before Qt starts any thread: the player sets what the sound server is
    // told of the game in the environment.
    SdlCuePlayer cues;
    catchUnreachableWindowSystem();
    QApplication app(argc, argv);
    windowSystemReached();
    if (const auto status = refuseLeftoverArguments(argc, argv)) {
        return *status;
    }
    QApplication::setStyle(new GameStyle);
    // Ties the window to its desktop entry and icon on every desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.zanfrino.vestito"));
    Form1 window(cues);
    window.show();
    const int status = app.exec();
    // The window has gone: its sound goes with it, now, not when Qt is done.
    cues.stop();
    return status;
}
