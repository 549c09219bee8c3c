// usage: screenshot FOLDER
// Writes there the opening of a game in the real window (screenshot.png),
// the same with the colour marks shown (screenshot-marks.png), and each mark
// on its colour as the window draws it at two device pixels to the window
// pixel (mark-blu.png, mark-verde.png ...).
#include "colourmarks.h"
#include "colourtable.h"
#include "form1.h"
#include "italian.h"
#include "rules.h"
#include "sdlcueplayer.h"
#include "speech.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <random>

namespace {

QImage markOnItsColour(ColourCode colour) {
    const QImage mark = colourMark(colour, 2);
    QImage tile(mark.size() + QSize(22, 22), QImage::Format_RGB32);
    tile.fill(QColor::fromRgb(colourTable[static_cast<std::size_t>(colour)]));
    QPainter(&tile).drawImage(11, 11, mark);
    return tile;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot FOLDER\n");
        return 2;
    }
    QApplication app(argc, argv);
    speakItalian(app);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
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
    bool saved = window.grab().save(folder.filePath(QStringLiteral("screenshot.png")));
    window.toggleColourMarks();
    QApplication::processEvents();
    saved = saved && window.grab().save(folder.filePath(QStringLiteral("screenshot-marks.png")));
    for (ColourCode colour = firstPieceColour; colour <= lastPieceColour; ++colour) {
        const QString name = QStringLiteral("mark-%1.png").arg(colourName(colour));
        saved = saved && markOnItsColour(colour).save(folder.filePath(name));
    }
    return saved ? 0 : 1;
}
