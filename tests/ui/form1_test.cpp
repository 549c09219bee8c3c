#include "buttondesigns.h"
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

#include <map>
#include <optional>
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

    // Run again by CTest at 1.5 and at 2 device pixels to the window pixel,
    // below a menu bar 23 window pixels high, so that at 1.5 the board begins
    // half way into a device pixel. Painted on screen piece by piece, as a
    // game paints them, no cell shows a device pixel of the ground inside its
    // outline; across the piece's cell and each row of cells, clear of the
    // corners and the diagonals' crossing, every side and diagonal is the
    // same whole number of device pixels wide, and two sides make twice that
    // where cells meet.
    void theBoardOnScreenIsPaintedWholeWithEvenLinesAtAnyDensity() {
        const qreal k = w->form.devicePixelRatioF();
        w->form.menuBar()->setFixedHeight(23);
        QTRY_VERIFY(w->surface()->y() == 23);
        w->playToTheLastSlot();
        w->click("assegnaCmd");
        QApplication::processEvents();
        const QPoint corner = QPointF(w->surface()->mapTo(&w->form, QPoint()) * k).toPoint();
        const QImage screen = w->form.screen()
                                  ->grabWindow(w->form.winId())
                                  .toImage()
                                  .copy(QRect(corner, w->surface()->size() * k));
        const auto device = [k](int windowPixel) { return static_cast<int>(windowPixel * k); };
        for (int index = 0; index <= slotCount; ++index) {
            const QRect cell = board.cell(index);
            for (int y = device(cell.top()) + 2; y < device(cell.bottom()) - 1; ++y)
                for (int x = device(cell.left()) + 2; x < device(cell.right()) - 1; ++x)
                    QVERIFY2(screen.pixel(x, y) != qRgb(255, 255, 255),
                             qPrintable(QString("cell %1 at %2,%3").arg(index).arg(x).arg(y)));
        }
        // The lines as the window draws them, afresh.
        const QImage across = shot(&w->form).copy(QRect(corner, w->surface()->size() * k));
        const int line = blackRuns(across, device(100)).value(0); // the board's left side
        QVERIFY2(line >= k && line < k + 1, qPrintable(QString::number(line)));
        for (const auto& [first, last] : {std::pair{0, 0}, {1, 6}, {7, 12}, {13, 18}}) {
            const QRect cell = board.cell(first);
            const QRect all = cell.united(board.cell(last));
            QList<int> expected{line};
            for (int i = first; i <= last; ++i)
                expected << line << line << (i < last ? 2 * line : line);
            for (int at = device(cell.top() + 10); at < device(cell.bottom() - 10); ++at) {
                if (std::abs(at - device(cell.top()) - cell.height() * k / 2) >= 10 * k) {
                    QCOMPARE(blackRuns(across, at, device(all.left()) - 2, device(all.right() + 2)),
                             expected);
                }
            }
        }
    }

    // Run again by CTest at 1.5 and at 2 too. Every picture is shown pixel
    // for pixel from a file made for the screen's density, and above 1 from
    // one with detail the enlarged window-pixel picture has not: each has
    // slanting or curved edges, along which 1% of its pixels lie at least.
    // The ring that shows a button's focus stands out from its face by at
    // least 3 : 1, and goes all round two window pixels wide: it crosses the
    // middle row and the middle column twice each.
    void picturesAndFocusRingsAreSharpAndClearAtTheScreensDensity() {
        const qreal k = w->form.devicePixelRatioF();
        w->click("nuovoCmd"); // every button enabled, the figure shown
        QLabel* figure = w->label("Image1");
        const bool fits = figure->pixmap().cacheKey() == w->label("Image2_0")->pixmap().cacheKey();
        // What is shown, from which picture, whose window-pixel file, on what ground.
        QList<std::tuple<QImage, QPixmap, const char*, QColor>> shown{
            {shot(figure).copy(figure->pixmap().rect()), figure->pixmap(),
             fits ? "figure-fits.png" : "figure-nofit.png", Qt::white}};
        for (const ButtonDesign& d :
             {buttonDesign::nuovo, buttonDesign::anti, buttonDesign::oriz, buttonDesign::verti,
              buttonDesign::assegna, buttonDesign::sposta, buttonDesign::esci,
              buttonDesign::orario}) {
            FaceButton* b = w->button(d.name);
            const QRect place(b->pictureRect().topLeft() * k, b->pictureRect().size() * k);
            QVERIFY2(b->isEnabled(), d.name);
            shown.append({shot(b).copy(place), b->picture(), d.picture, b->faceColour()});
            b->setFocus();
            QTRY_VERIFY(b->hasFocus());
            QImage ring = shot(b); // black where the focus changes a pixel, white elsewhere
            b->clearFocus();
            const QImage unfocused = shot(b);
            for (int y = 0; y < ring.height(); ++y) {
                for (int x = 0; x < ring.width(); ++x) {
                    const bool changed = ring.pixel(x, y) != unfocused.pixel(x, y);
                    QVERIFY2(!changed || contrast(ring.pixel(x, y), b->faceColour()) >= 3, d.name);
                    ring.setPixel(x, y, changed ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
                }
            }
            const QList<int> twice{qRound(2 * k), qRound(2 * k)};
            QCOMPARE(blackRuns(ring, ring.height() / 2), twice);
            QCOMPARE(blackRuns(transposed(ring), ring.width() / 2), twice);
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
    void theQuitQuestionAnsweredNoChangesNothingAndSiCloses() {
        w->click("nuovoCmd");
        w->click("orarioCmd");
        const GameState before = w->state();
        const QImage shown = w->form.grab().toImage();
        auto answering = std::make_unique<QObject>(); // takes its answerers with it
        QStringList questions;
        const std::function<void(QMessageBox&)> note = [&](QMessageBox& box) {
            questions << box.text() + " [" + box.defaultButton()->text() + "]";
            if (questions.size() == 1) {
                // Whoever answers a second question, should one come, even inside this one.
                answerQuitQuestions(answering.get(), "No", note);
                QCloseEvent request; // as the window system delivers it
                QCoreApplication::sendEvent(w->form.windowHandle(), &request);
                QApplication::processEvents();
            }
        };
        answerQuitQuestions(answering.get(), "No", note);
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
        // Answered "Sì", it closes the window, asked by the button or by the
        // frame's close box, Alt+F4 and the system.
        answering.reset();
        for (const bool byButton : {true, false}) {
            QObject yes;
            answerQuitQuestions(&yes, "Sì");
            byButton ? w->click("Command7") : void(w->form.close());
            QTRY_VERIFY(!w->form.isVisible());
            init();
        }
    }

    // Focus never falls on PER USCIRE by itself: a button that a new game or
    // the costume's last piece disables hands its focus to NUOVO RETTANGOLO,
    // so that the next Space deals (or discards) and asks nothing.
    void aButtonTheGameDisablesHandsItsFocusToNuovoRettangolo() {
        QObject answering;
        int questions = 0;
        answerQuitQuestions(&answering, "No", [&](QMessageBox&) { ++questions; });
        const auto pressSpace = [&] {
            QTest::keyClick(w->form.focusWidget(), Qt::Key_Space);
            QApplication::processEvents();
        };
        for (const char* name :
             {"orarioCmd", "antiCmd", "orizCmd", "vertiCmd", "spostaCmd", "assegnaCmd"}) {
            w->click("nuovoCmd");
            w->button(name)->setFocus();
            w->command("mnunuova");
            pressSpace();
            QCOMPARE(questions, 0);
            QVERIFY2(w->button("assegnaCmd")->isEnabled(), name);
            QCOMPARE(w->label("Label1")->text(), QString("assegna il primo rettangolo"));
        }
        w->playToTheLastSlot();
        w->button("assegnaCmd")->setFocus();
        pressSpace(); // the last piece: ASSEGNA is disabled under the focus
        QCOMPARE(w->cues.played.back(), Cue::completed);
        const std::int32_t moves = w->state().moveCount;
        pressSpace();
        QCOMPARE(w->state().moveCount, moves + 5);
        QCOMPARE(questions, 0);
    }

    // Run again by CTest on a machine whose only face is DejaVu Sans, wider
    // than the faces the status line was laid out for.
    // The client area never gets smaller than designed, where every button
    // stands whole and the status line lies below the board at full width.
    void statusLineShowsBothScoringLinesWholeClearOfTheButtons() {
        w->form.resize(300, 400);
        QApplication::processEvents();
        const QRect client = w->surface()->rect();
        QVERIFY(client.width() >= Form1::clientWidth && client.height() >= Form1::clientHeight);
        for (const FaceButton* b : w->form.findChildren<FaceButton*>())
            QVERIFY2(client.contains(b->geometry()), qPrintable(b->objectName()));
        QLabel* status = w->label("Label1");
        QCOMPARE(status->geometry(), QRect(0, client.height() - 65, client.width(), 65));
        QCOMPARE(status->geometry().top(), 489);
        w->command("mnupunti");
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

    // Each button and menu command, pressed on a known piece by a click or by
    // its key, does its own command, as the player sees and hears it: the
    // colours in the cells, the counter, the status line, the cue. A key acts
    // wherever the focus is, once however long it is held, and not at all
    // when its button is disabled or the quit question is open.
    void everyButtonAndCommandDoesItsOwnCommand_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("clicked") << false;
        QTest::newRow("by its key") << true;
    }
    void everyButtonAndCommandDoesItsOwnCommand() {
        QFETCH(const bool, byKey);
        const std::map<QString, QKeyCombination> keys{
            {"nuovoCmd", Qt::Key_N},          {"assegnaCmd", Qt::Key_A},
            {"orarioCmd", Qt::Key_Right},     {"antiCmd", Qt::Key_Left},
            {"orizCmd", Qt::Key_O},           {"vertiCmd", Qt::Key_V},
            {"spostaCmd", Qt::Key_S},         {"mnunuova", Qt::CTRL | Qt::Key_N},
            {"mnucanc", Qt::CTRL | Qt::Key_Z}, {"mnupunti", Qt::Key_F1},
            {"Command7", Qt::CTRL | Qt::Key_Q}};
        // Held: one press, then the keyboard's repeats.
        const auto hold = [&](const QString& name, int repeats) {
            const QKeyCombination key = keys.at(name);
            for (int press = 0; press <= repeats; ++press) {
                QTest::simulateEvent(QApplication::focusWidget(), true, key.key(),
                                     key.keyboardModifiers(), QString(), press > 0);
            }
            QTest::keyRelease(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        };
        const auto press = [&](const char* name) {
            if (byKey) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // wherever the focus is
                hold(name, 3);
            } else if (w->form.findChild<QAction*>(name)) {
                w->command(name);
            } else {
                w->click(name);
            }
        };
        const auto cell = [&](int index) { return shownIn(*w->surface(), board.cell(index)); };
        const auto status = [&] { return w->label("Label1")->text(); };
        int moves = 0;
        const auto charged = [&](std::int32_t cost) {
            return w->label("Label2")->text() == QString("mosse: %1").arg(moves += cost);
        };
        const auto heard = [&](std::optional<Cue> cue, std::size_t before) {
            return cue ? w->cues.played.size() == before + 1 && w->cues.played.back() == *cue
                       : w->cues.played.size() == before;
        };
        using enum Side;
        // Each button, its cue, and where each side's colour comes from.
        const std::tuple<const char*, Cue, std::array<Side, 4>> changes[] = {
            {"orarioCmd", Cue::turn, {left, top, right, bottom}},
            {"antiCmd", Cue::turn, {right, bottom, left, top}},
            {"orizCmd", Cue::mirrorLeftRight, {top, left, bottom, right}},
            {"vertiCmd", Cue::click, {bottom, right, top, left}},
            {"spostaCmd", Cue::click, {right, top, bottom, left}},
        };
        if (byKey) {
            const std::size_t cues = w->cues.played.size();
            for (const char* disabled : {"assegnaCmd", "orarioCmd", "antiCmd", "orizCmd",
                                         "vertiCmd", "spostaCmd", "mnucanc"})
                press(disabled);
            QVERIFY(cell(0) == emptyCell && charged(0) && heard(std::nullopt, cues));
            QCOMPARE(status(), QString("carica il primo rettangolo"));
        }
        press("nuovoCmd");
        QCOMPARE(status(), QString("assegna il primo rettangolo"));
        for (const auto& [name, cue, from] : changes) {
            const Piece p = cell(0);
            const std::size_t cues = w->cues.played.size();
            press(name);
            const Piece arranged{p.colour(from[0]), p.colour(from[1]), p.colour(from[2]),
                                 p.colour(from[3])};
            QVERIFY2(cell(0) == arranged && charged(cost::change) && heard(cue, cues), name);
        }
        const Piece first = cell(0);
        press("assegnaCmd"); // anything goes in slot 1
        QCOMPARE(cell(1), first);
        QCOMPARE(status(), QString("assegna il pezzo solo se combacciano i colori"));
        while (cell(0).left == first.right) {
            press("orarioCmd");
            QVERIFY(charged(cost::change));
        }
        std::size_t cues = w->cues.played.size();
        press("assegnaCmd");
        QVERIFY(cell(2) == emptyCell && charged(cost::mismatch));
        QVERIFY(heard(Cue::refused, cues));
        cues = w->cues.played.size();
        press("nuovoCmd");
        QVERIFY(charged(cost::discard) && heard(std::nullopt, cues));
        QCOMPARE(status(), QString("assegna il pezzo solo se combacciano i colori"));
        while (!pieceFits(w->state())) {
            press("antiCmd");
            QVERIFY(charged(cost::change));
        }
        press("assegnaCmd");
        press("mnucanc");
        QVERIFY(cell(2) == emptyCell && charged(cost::cancel));
        QCOMPARE(status(), QString("questo errore ti costa l'equivalente di cinque mosse"));
        press("mnupunti");
        QVERIFY(status().startsWith("ogni intervento sul rettangolo vale 1 mossa") && charged(0));
        QObject answering;
        int questions = 0;
        answerQuitQuestions(&answering, "No", [&](QMessageBox&) {
            const GameState before = w->state();
            const std::size_t cues = w->cues.played.size();
            for (const char* name : {"nuovoCmd", "orarioCmd", "mnunuova", "Command7"})
                hold(name, 0);
            QVERIFY(w->state() == before && w->cues.played.size() == cues);
            ++questions;
        });
        press("Command7");
        QTRY_VERIFY(questions == 1 && !QApplication::activeModalWidget());
        w->form.activateWindow(); // as the player comes back to it
        QVERIFY(QTest::qWaitForWindowActive(&w->form));
        cues = w->cues.played.size();
        press("mnunuova");
        QVERIFY(cell(1) == emptyCell && heard(Cue::newGame, cues));
        QCOMPARE(w->label("Label2")->text(), QString("mosse: 0"));
        QCOMPARE(status(), QString("carica il primo rettangolo"));
    }

    // A player using voice control says what a button shows: its name starts
    // with the caption. A screen reader reads the text lines as they show,
    // the piece colour by colour, and the board as a table of 3 rows of 6
    // whose every cell is its own slot with the colours painted there.
    void assistiveTechnologyReadsTheWindowAsTheEyesSeeIt() {
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
        QCOMPARE(read(piece), QString("nessun rettangolo"));
        const char* colours[] = {"blu", "verde", "azzurro", "rosso", "viola"};
        const auto spoken = [&](Piece p) {
            const auto name = [&](std::int32_t code) { return colours[code - firstPieceColour]; };
            return QString("alto %1, destra %2, basso %3, sinistra %4")
                .arg(name(p.top), name(p.right), name(p.bottom), name(p.left));
        };
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(w->form.findChild<QWidget*>("boardView"))
                ->tableInterface();
        QCOMPARE(table->rowCount() * 10 + table->columnCount(), 36);
        for (const bool filled : {false, true}) {
            if (filled) {
                w->playToTheLastSlot();
                QCOMPARE(read(piece), spoken(shownIn(*w->surface(), board.cell(0))));
                w->click("assegnaCmd");
            }
            for (int slot = 1; slot <= 18; ++slot) {
                QAccessibleInterface* cell = table->cellAt((slot - 1) / 6, (slot - 1) % 6);
                QAccessibleTableCellInterface* place = cell->tableCellInterface();
                const QString colours =
                    filled ? spoken(shownIn(*w->surface(), board.cell(slot))) : QString("vuota");
                QCOMPARE(cell->text(QAccessible::Name),
                         QString("casella %1: %2").arg(slot).arg(colours));
                QCOMPARE(place->rowIndex() * 6 + place->columnIndex() + 1, slot);
                QCOMPARE(cell->rect().center(),
                         w->surface()->mapToGlobal(board.cell(slot).center()));
            }
        }
        QLabel* status = w->label("Label1");
        w->command("mnupunti"); // two lines on screen, one sentence to the ear
        const QString sentence = status->text().replace("\r\n", " ");
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(status)->textInterface();
        QCOMPARE(read(status, QAccessible::Name), sentence);
        QCOMPARE(text->text(0, text->characterCount()), sentence);
        QCOMPARE(read(w->label("Label2"), QAccessible::Name), w->label("Label2")->text());
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
        // Qt's own texts too are put in Italian then.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annulla"));
        // Too narrow for the three commands (on a large font): the menu bar shows its mark.
        w->form.menuBar()->resize(120, w->form.menuBar()->height());
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
