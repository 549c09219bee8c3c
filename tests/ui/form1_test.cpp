#include "gamestyle.h"
#include "windowtest.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFile>
#include <QImageReader>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <tuple>

namespace {

QRect inWindow(const QWidget* widget, QRect r) {
    return r.translated(widget->mapTo(widget->window(), QPoint()));
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> w;
    const LaidOutBoard board;

  private slots:
    void initTestCase() { QApplication::setStyle(new GameStyle); } // as the game does

    void init() {
        w = std::make_unique<TestWindow>();
        QVERIFY(w->open());
    }
    void cleanup() { w.reset(); }

    // Fonts differ between machines: in the text areas only the ground and
    // some ink count, elsewhere every pixel. A new game from the menu, with
    // the focus where it starts, looks the same: the piece buttons greyed
    // until a piece is dealt.
    void theStartAndANewGameFromTheMenuLookAsTheReferencePicture() {
        QImageReader file(START_WINDOW_PICTURE, "png");
        file.setAutoDetectImageFormat(false); // guessing would load every image plugin
        const QImage reference = file.read().convertToFormat(QImage::Format_RGB32);
        for (const bool played : {false, true}) {
            if (played) {
                for (const char* name : {"nuovoCmd", "assegnaCmd", "orarioCmd"})
                    w->click(name);
                w->command("mnunuova");
                w->button("nuovoCmd")->setFocus();
            }
            QCOMPARE(w->label("Label1")->text(), QString("carica il primo rettangolo"));
            QCOMPARE(w->label("Label2")->text(), QString("mosse: 0"));
            const QImage shot = w->form.grab().toImage().convertToFormat(QImage::Format_RGB32);
            if (qEnvironmentVariableIntValue("ZANFRIA_WRITE_REFERENCE") == 1) {
                QVERIFY(shot.save(START_WINDOW_PICTURE, "PNG"));
                QSKIP("start-window.png written");
            }
            QCOMPARE(shot.size(), reference.size());
            // Where the window draws text: the menu bar, the counter inside its frame, each
            // caption with the shadow a disabled one casts a pixel to the right, and the status
            // line below the buttons that stand in front of it.
            QList<QRect> areas{w->form.menuBar()->geometry(),
                               inWindow(w->label("Label2"), w->label("Label2")->contentsRect())};
            QRect status = inWindow(w->label("Label1"), w->label("Label1")->rect());
            for (const FaceButton* b : w->form.findChildren<FaceButton*>()) {
                areas << inWindow(b, b->captionRect().adjusted(0, 0, 1, 0));
                status.setTop(std::max(status.top(), inWindow(b, b->rect()).bottom() + 1));
            }
            QRegion text;
            for (const QRect& area : areas << status) {
                QImage ground(area.size(), shot.format()); // the ground, and some ink on it
                ground.fill(shot.pixel(area.topLeft()));
                QCOMPARE(QColor(ground.pixel(0, 0)), QColor(reference.pixel(area.topLeft())));
                QVERIFY2(shot.copy(area) != ground,
                         qPrintable(QString("no text at %1,%2").arg(area.x()).arg(area.y())));
                text += area;
            }
            for (int y = 0; y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); ++x) {
                    if (shot.pixel(x, y) != reference.pixel(x, y) && !text.contains(QPoint(x, y))) {
                        QFAIL(qPrintable(
                            QString::asprintf("pixel %d,%d differs, on %s", x, y,
                                              qPrintable(w->form.childAt(x, y)->objectName()))));
                    }
                }
            }
        }
    }

    // Run again by CTest at twice the density: the drawing made at one pixel
    // to the window pixel, each pixel enlarged exactly, and the screen shows
    // it at full density.
    void drawsAtDevicePixelsWithTheLinesEnlargedExactly() {
        const int k = std::max(1, qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
        QCOMPARE(w->form.devicePixelRatioF(), qreal(k));
        const QImage& drawn = board.surface.image();
        QImage enlarged = drawn.scaled(drawn.size() * k).convertToFormat(QImage::Format_RGB32);
        enlarged.setDevicePixelRatio(k);
        QCOMPARE(w->surface()->image().convertToFormat(QImage::Format_RGB32), enlarged);
        const QImage shot = w->surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int index = 0; index <= slotCount; ++index) {
            const QRect cell(board.cell(index).topLeft() * k, board.cell(index).size() * k);
            QCOMPARE(shot.copy(cell), enlarged.copy(cell));
        }
    }

    // Answered "No", the question leaves the game as it was; a close request
    // that comes while it is open is ignored, and it is asked once at a time.
    void quitAnsweredNoChangesNothingAndIsAskedOnceAtATime() {
        w->click("nuovoCmd");
        w->click("orarioCmd");
        const GameState before = w->state();
        const QImage shown = w->form.grab().toImage();
        QObject answering; // takes its answerers with it
        QStringList questions;
        const std::function<void(QMessageBox&)> note = [&](QMessageBox& box) {
            questions << box.text() + " [" + box.defaultButton()->text() + "]";
            if (questions.size() == 1) {
                // Whoever answers a second question, should one come, even inside this one.
                answerQuitQuestions(&answering, "No", note);
                QCloseEvent request; // as the window system delivers it
                QCoreApplication::sendEvent(w->form.windowHandle(), &request);
                QApplication::processEvents();
            }
        };
        answerQuitQuestions(&answering, "No", note);
        for (int asked = 1; asked <= 2; ++asked) {
            w->form.close();
            QTRY_VERIFY(questions.size() >= asked && !QApplication::activeModalWidget());
            QApplication::processEvents();
            QCOMPARE(questions.size(), asked);
            QCOMPARE(questions.back(), QString("Vuoi veramente uscire? [Sì]"));
        }
        QVERIFY(w->form.windowHandle()->isVisible());
        QCOMPARE(w->state(), before);
        w->form.activateWindow(); // as the player comes back to it, focus and all
        QVERIFY(QTest::qWaitForWindowActive(&w->form));
        QCOMPARE(w->form.grab().toImage(), shown);
    }

    // The button, or the frame's close box, Alt+F4 and the system.
    void quitAnsweredSiClosesTheWindowWhateverAskedForIt() {
        for (const bool byButton : {true, false}) {
            QObject answering;
            answerQuitQuestions(&answering, "Sì");
            byButton ? w->click("Command7") : void(w->form.close());
            QTRY_VERIFY(!w->form.isVisible());
            init();
        }
    }

    // Run again by CTest on a machine whose only face is DejaVu Sans, wider
    // than the faces the status line was laid out for.
    void statusLineShowsBothScoringLinesWholeClearOfTheButtons() {
        w->command("mnupunti");
        QLabel* status = w->label("Label1");
        QCOMPARE(status->font().pointSizeF(), 14.0);
        const QFontMetricsF metrics(status->font());
        const QStringList lines = status->text().split("\r\n");
        QCOMPARE(lines.size(), 2);
        for (const QString& line : lines) {
            QVERIFY2(metrics.horizontalAdvance(line) <= status->width(),
                     qPrintable(QFontInfo(status->font()).family()));
        }
        // Where the label puts it, the text clears the buttons standing in front of it.
        const QRectF text = metrics.boundingRect(
            status->rect(), int(status->alignment()) | Qt::TextWordWrap, status->text());
        for (const FaceButton* b : w->form.findChildren<FaceButton*>()) {
            QVERIFY2(!inWindow(status, text.toAlignedRect()).intersects(inWindow(b, b->rect())),
                     qPrintable(b->objectName()));
        }
    }

    void assistiveTechnologyHearsNamesAndFollowsTheGame() {
        const auto said = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
        };
        QWidget* piece = w->form.findChild<QWidget*>("pieceView");
        const auto [status, counter, figure] =
            std::tuple{w->label("Label1"), w->label("Label2"), w->label("Image1")};
        const QList<FaceButton*> buttons = w->form.findChildren<FaceButton*>();
        for (QWidget* widget : QWidgetList{piece, status, counter, figure} +
                                   QWidgetList(buttons.begin(), buttons.end())) {
            // Not just what it shows.
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
        QCOMPARE(said(piece), QString("nessun rettangolo"));
        w->click("nuovoCmd");
        w->click("orarioCmd");
        // The piece is read out side by side, as it is turned.
        const char* colours[] = {"blu", "verde", "azzurro", "rosso", "viola"};
        const auto name = [&](std::int32_t code) { return colours[code - firstPieceColour]; };
        const Piece p = w->state().piece();
        QCOMPARE(said(piece), QString("alto %1, destra %2, basso %3, sinistra %4")
                                  .arg(name(p.top), name(p.right), name(p.bottom), name(p.left)));
        QCOMPARE(said(counter), counter->text());
        QCOMPARE(said(figure), QString("il rettangolo combacia"));
        w->command("mnupunti"); // two lines on screen, one sentence to the ear
        QCOMPARE(said(status), status->text().replace("\r\n", " "));
        w->command("mnunuova");
        QCOMPARE(said(piece), QString("nessun rettangolo"));
        QCOMPARE(said(figure), QString("il rettangolo non combacia"));
    }

    // Put in Italian by the window once its first frame is on screen.
    void qtsOwnTextsAreItalian() {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annulla"));
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Copy"), QString("&Copia"));
    }

    // Whole words on each line, every line within the caption's place.
    void captionsBreakOnlyAtSpacesAndAreNeverClipped() {
        for (const FaceButton* b : w->form.findChildren<FaceButton*>()) {
            const QStringList lines = b->captionLines();
            QCOMPARE(lines.join(' ').simplified(), b->text().simplified());
            QVERIFY(lines.size() * b->fontMetrics().lineSpacing() <= b->captionRect().height());
            for (const QString& line : lines) {
                QVERIFY2(b->fontMetrics().horizontalAdvance(line) <= b->captionRect().width(),
                         qPrintable(line));
            }
        }
        QCOMPARE(w->button("spostaCmd")->captionLines(), QStringList({"SPOSTA", "ALTO-DESTRO"}));
    }

    // Run alone by CTest too, in a process of its own. Start-up memory
    // depends on the window reading its pictures with Qt's built-in PNG
    // decoder alone: one careless load with format guessing, or the menu
    // bar's standard "more commands" mark, maps every image plugin and the
    // JPEG library behind them into the process.
    void noImagePluginIsEverMapped() {
        QVERIFY(!w->label("Image2_0")->pixmap().isNull() &&
                !w->form.windowIcon().isNull()); // read after the first frame
        // Too narrow for the three commands: the menu bar shows its mark.
        w->form.resize(120, w->form.height());
        auto* more = w->form.menuBar()->findChild<QToolButton*>();
        QTRY_VERIFY(more && more->isVisible());
        QCOMPARE(more->icon().availableSizes(), QList<QSize>{QSize(16, 16)});
        QFile maps("/proc/self/maps");
        QVERIFY(maps.open(QIODevice::ReadOnly));
        for (const QByteArray& line : maps.readAll().split('\n')) {
            QVERIFY2(!line.contains("/imageformats/") && !line.contains("libjpeg"),
                     line.constData());
        }
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
