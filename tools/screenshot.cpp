// usage: screenshot FILE.png
#include "form1.h"
#include "italian.h"
#include "rules.h"
#include "sdlcueplayer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <random>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot FILE.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    speakItalian(app);
    SdlCuePlayer cues;
    Form1 window(cues);
    window.show();
    QApplication::processEvents();
    const auto click = [&window](const char* name) {
        window.findChild<QAbstractButton*>(name)->click();
    };

    // Eight pieces placed by turning each until the figure says it fits.
    std::minstd_rand choices(2026);
    const char* const moves[] = {"orarioCmd", "spostaCmd", "orizCmd"};
    click("nuovoCmd");
    while (window.game().state().currentSlot < 9) {
        while (!pieceFits(window.game().state())) {
            click(moves[choices() % 3]);
        }
        click("assegnaCmd");
    }
    click("antiCmd");
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
