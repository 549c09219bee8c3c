#include "gamestyle.h"
#include "pictures.h"
#include "windowtest.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFile>
#include <QImageReader>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include <tuple>

namespace {

QRect inWindow(const QWidget* widget, QRect r) {
    return r.translated(widget->mapTo(widget->window(), QPoint()));
}

// What a widget shows, in device pixels.
QImage shot(QWidget* widget) {
    QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

// A picture on a ground of one colour, pixel for pixel.
QImage onGround(QPixmap picture, QColor ground) {
    picture.setDevicePixelRatio(1);
    QImage image(picture.size(), QImage::Format_RGB32);
    image.fill(ground);
    QPainter(&image).drawPixmap(0, 0, picture);
    return image;
}

// The lengths of the black runs along row y, x from..to - 1.
QList<int> blackRuns(const QImage& image, int y, int from = 0, int to = -1) {
    QList<int> lengths{0};
    for (int x = from; x < (to < 0 ? image.width() : to); ++x) {
        if (image.pixel(x, y) == qRgb(0, 0, 0))
            ++lengths.back();
        else if (lengths.back() > 0)
            lengths << 0;
    }
    lengths.removeAll(0);
    return lengths;
}

// Rows made columns.
QImage transposed(const QImage& image) {
    return image.transformed(QTransform(0, 1, 1, 0, 0, 0));
}

// WCAG's contrast ratio, from the colours' relative luminance.
double contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [low, high] = std::minmax({luminance(a), luminance(b)});
    return (high + 0.05) / (low + 0.05);
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

    // Run again by CTest at 1.5 and at 2 device pixels to the window pixel.
    // Across each row and down each column of cells, clear of the corners
    // and the diagonals' crossing, every side and diagonal is the same whole
    // number of device pixels wide, near a window pixel, and two sides make
    // twice that where cells meet (down a column, a diagonal's steps are of
    // any length).
    void everyLineOfTheBoardIsOneWidthInDevicePixels() {
        const qreal k = w->form.devicePixelRatioF();
        // The whole window, where the board need not start on a device pixel.
        const QPoint corner = QPointF(w->surface()->mapTo(&w->form, QPoint()) * k).toPoint();
        const QImage across = shot(&w->form).copy(QRect(corner, w->surface()->size() * k));
        const QImage down = transposed(across);
        const auto device = [k](int windowPixel) { return static_cast<int>(windowPixel * k); };
        const int line = blackRuns(across, device(100)).value(0); // the board's left side
        QVERIFY2(line >= k && line < k + 1, qPrintable(QString::number(line)));
        // The piece's cell alone, then the board by columns and by rows.
        QList<std::pair<bool, QList<int>>> groups{{true, {0}}, {false, {0}}};
        for (int i = 1; i <= 6; ++i)
            groups.append({false, {i, i + 6, i + 12}});
        for (int i = 1; i <= 18; i += 6)
            groups.append({true, {i, i + 1, i + 2, i + 3, i + 4, i + 5}});
        const int margin = 10; // window pixels
        for (const auto& [alongRows, cells] : groups) {
            const auto turn = [&](QRect r) {
                return alongRows ? r : QRect(r.y(), r.x(), r.height(), r.width());
            };
            const QRect first = turn(board.cell(cells.front()));
            const QRect all = first.united(turn(board.cell(cells.back())));
            QList<int> expected{line};
            for (int i = 1; i <= cells.size(); ++i)
                expected << line << line << (i < cells.size() ? 2 * line : line);
            const int end = device(first.bottom() - margin);
            for (int at = device(first.top() + margin); at < end; ++at) {
                if (std::abs(at - device(first.top()) - first.height() * k / 2) < margin * k)
                    continue; // where the diagonals cross
                QList<int> found = blackRuns(alongRows ? across : down, at, device(all.left()) - 2,
                                             device(all.right() + 2));
                if (!alongRows && found.size() == expected.size())
                    for (int i = 0; i < found.size(); ++i)
                        found[i] = i % 3 ? line : found[i]; // the diagonals
                QVERIFY2(found == expected, qPrintable(QString("%1 %2: %3")
                                                           .arg(alongRows ? "row" : "column")
                                                           .arg(at)
                                                           .arg(QDebug::toString(found))));
            }
        }
    }

    // At each density, once its four triangles are painted no device pixel
    // inside a cell's outline is left white: where the diagonals cross, the
    // lines close in nothing that a triangle's fill cannot reach.
    void aCellPaintedOnEverySideKeepsNoWhiteAtAnyDensity() {
        for (const qreal k : {1.0, 1.5, 2.0}) {
            LaidOutBoard laidOut(k);
            const Surface& s = laidOut.surface.surface();
            for (std::int16_t index = 0; index <= slotCount; ++index) {
                laidOut.painter.paintTop(index, 9);
                laidOut.painter.paintRight(index, 10);
                laidOut.painter.paintBottom(index, 11);
                laidOut.painter.paintLeft(index, 12);
                const QRect r = laidOut.cell(index);
                QList<QPoint> white;
                for (int y = Surface::at(r.top(), k); y < Surface::at(r.bottom() + 1, k); ++y)
                    for (int x = Surface::at(r.left(), k); x < Surface::at(r.right() + 1, k); ++x)
                        if (s.pixel(x, y) == Surface::white)
                            white << QPoint(x, y);
                QVERIFY2(white.isEmpty(), qPrintable(QString("scale %1, cell %2: white at %3")
                                                         .arg(k)
                                                         .arg(index)
                                                         .arg(QDebug::toString(white))));
            }
        }
    }

    // Run again by CTest at 1.5 and at 2 too. Every picture is shown pixel
    // for pixel from a file made for the screen's density, and above 1 from
    // one with detail the enlarged window-pixel picture has not: each has
    // slanting or curved edges, along which 1% of its pixels lie at least.
    void picturesAreShownPixelForPixelAtTheScreensDensity() {
        const qreal k = w->form.devicePixelRatioF();
        w->click("nuovoCmd"); // every button enabled, the figure shown
        QLabel* figure = w->label("Image1");
        const bool fits = figure->pixmap().cacheKey() == w->label("Image2_0")->pixmap().cacheKey();
        // What is shown, from which picture, whose window-pixel file, on what ground.
        QList<std::tuple<QImage, QPixmap, const char*, QColor>> shown{
            {shot(figure).copy(figure->pixmap().rect()), figure->pixmap(),
             fits ? "figure-fits.png" : "figure-nofit.png", Qt::white}};
        const char* buttons[] = {"nuovoCmd",   "nuovo.png",   "antiCmd",   "anti.png",
                                 "orizCmd",    "oriz.png",    "vertiCmd",  "verti.png",
                                 "assegnaCmd", "assegna.png", "spostaCmd", "sposta.png",
                                 "Command7",   "esci.png",    "orarioCmd", "orario.png"};
        for (int i = 0; i < 16; i += 2) {
            FaceButton* b = w->button(buttons[i]);
            const QRect place(b->pictureRect().topLeft() * k, b->pictureRect().size() * k);
            QVERIFY2(b->isEnabled(), buttons[i]);
            shown.append({shot(b).copy(place), b->picture(), buttons[i + 1], b->faceColour()});
        }
        for (const auto& [image, pixmap, file, ground] : shown) {
            const QPixmap windowPixels = picture(file);
            QCOMPARE(pixmap.devicePixelRatio(), k);
            QCOMPARE(pixmap.size(), (QSizeF(windowPixels.size()) * k).toSize());
            QCOMPARE(image, onGround(pixmap, ground));
            const QImage enlarged = onGround(
                windowPixels.scaled(pixmap.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation),
                ground);
            int beyond = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    beyond += image.pixel(x, y) != enlarged.pixel(x, y);
            QVERIFY2(k == 1 || beyond * 100 >= image.width() * image.height(), file);
        }
    }

    // Run again by CTest at 1.5 and at 2 too. The ring that shows the focus
    // stands out from every button's face by at least 3 : 1, and goes all
    // round two window pixels wide: it crosses the middle row and the middle
    // column twice each.
    void theFocusRingStandsOutFromEveryFace() {
        const qreal k = w->form.devicePixelRatioF();
        w->click("nuovoCmd"); // every button enabled
        for (FaceButton* b : w->form.findChildren<FaceButton*>()) {
            b->setFocus();
            QTRY_VERIFY(b->hasFocus());
            QImage ring = shot(b); // black where the focus changes a pixel, white elsewhere
            b->clearFocus();
            const QImage unfocused = shot(b);
            for (int y = 0; y < ring.height(); ++y) {
                for (int x = 0; x < ring.width(); ++x) {
                    const bool changed = ring.pixel(x, y) != unfocused.pixel(x, y);
                    QVERIFY2(!changed || contrast(ring.pixel(x, y), b->faceColour()) >= 3,
                             qPrintable(b->objectName()));
                    ring.setPixel(x, y, changed ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
                }
            }
            const QList<int> twice{qRound(2 * k), qRound(2 * k)};
            QCOMPARE(blackRuns(ring, ring.height() / 2), twice);
            QCOMPARE(blackRuns(transposed(ring), ring.width() / 2), twice);
        }
    }

    // The focused button is pressed once by Space, Enter, Return or the
    // keypad's Enter, however long the key is held (the keyboard repeats it
    // as a release and a press); a disabled button not at all.
    void spaceEnterAndReturnPressTheFocusedButtonOnce() {
        FaceButton* nuovo = w->button("nuovoCmd");
        FaceButton* assegna = w->button("assegnaCmd");
        QSignalSpy nuovoClicks(nuovo, &QAbstractButton::clicked);
        QSignalSpy assegnaClicks(assegna, &QAbstractButton::clicked);
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_Space, Qt::KeyboardModifiers()},
                                             {Qt::Key_Return, {}},
                                             {Qt::Key_Enter, Qt::KeypadModifier},
                                             {Qt::Key_Enter, {}}}) {
            const auto hold = [&](QWidget* to) {
                for (int event = 0; event < 8; ++event) {
                    QKeyEvent e(event % 2 ? QEvent::KeyRelease : QEvent::KeyPress, key, modifiers,
                                key == Qt::Key_Space ? " " : "\r", event != 0 && event != 7);
                    QApplication::sendEvent(to, &e);
                }
            };
            assegna->setEnabled(false); // as it is until a piece is dealt
            hold(assegna);
            QCOMPARE(assegnaClicks.count(), 0);
            nuovo->setFocus();
            QTRY_VERIFY(nuovo->hasFocus());
            nuovoClicks.clear();
            hold(QApplication::focusWidget());
            QCOMPARE(nuovoClicks.count(), 1);
            QVERIFY(!nuovo->isDown());
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

    // A player using voice control says what a button shows: its name starts with the
    // caption. The text lines are named by what they show; the piece and the board's slots
    // are read colour by colour, as they are turned and placed.
    void assistiveTechnologyHearsNamesAndFollowsTheGame() {
        const auto read = [](QObject* object, QAccessible::Text t = QAccessible::Description) {
            return QAccessible::queryAccessibleInterface(object)->text(t);
        };
        for (FaceButton* b : w->form.findChildren<FaceButton*>()) {
            QVERIFY2(
                read(b, QAccessible::Name).startsWith(b->text().simplified(), Qt::CaseInsensitive),
                qPrintable(b->objectName()));
            QVERIFY2(!read(b).isEmpty(), qPrintable(b->objectName()));
        }
        QWidget* piece = w->form.findChild<QWidget*>("pieceView");
        QWidget* board = w->form.findChild<QWidget*>("boardView");
        const auto [status, counter, figure] =
            std::tuple{w->label("Label1"), w->label("Label2"), w->label("Image1")};
        const auto slot = [&](int index) {
            return QAccessible::queryAccessibleInterface(board)->child(index - 1)->text(
                QAccessible::Name);
        };
        QCOMPARE(read(piece), QString("nessun rettangolo"));
        w->click("nuovoCmd");
        w->click("orarioCmd");
        const char* colours[] = {"blu", "verde", "azzurro", "rosso", "viola"};
        const auto name = [&](std::int32_t code) { return colours[code - firstPieceColour]; };
        const auto sides = [&](Piece p) {
            return QString("alto %1, destra %2, basso %3, sinistra %4")
                .arg(name(p.top), name(p.right), name(p.bottom), name(p.left));
        };
        QCOMPARE(read(piece), sides(w->state().piece()));
        QCOMPARE(read(counter, QAccessible::Name), counter->text());
        QCOMPARE(read(figure), QString("il rettangolo combacia"));
        QCOMPARE(slot(1), QString("casella 1: vuota"));
        w->click("assegnaCmd");
        QCOMPARE(slot(1), "casella 1: " + sides(w->state().placed(1)));
        QCOMPARE(slot(2), QString("casella 2: vuota"));
        w->command("mnupunti"); // two lines on screen, one sentence to the ear
        const QString sentence = status->text().replace("\r\n", " ");
        QCOMPARE(read(status, QAccessible::Name), sentence);
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(status)->textInterface();
        QCOMPARE(text->text(0, text->characterCount()), sentence);
        w->command("mnunuova");
        QCOMPARE(read(piece), QString("nessun rettangolo"));
        QCOMPARE(read(figure), QString("il rettangolo non combacia"));
        QCOMPARE(slot(1), QString("casella 1: vuota"));
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
        QCOMPARE(more->icon().availableSizes(),
                 QList<QSize>({QSize(16, 16), QSize(24, 24), QSize(32, 32)}));
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
