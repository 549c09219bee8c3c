#include "facebutton.h"
#include "form1.h"
#include "italian.h"
#include "surfacewidget.h"
#include "windowtest.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

struct ButtonDesign {
    const char* name;
    const char* caption;
    QRect place;
    QColor face;
};

const std::vector<ButtonDesign> buttonDesigns{
    {"nuovoCmd", "NUOVO RETTANGOLO", {504, 264, 121, 81}, {255, 192, 255}},
    {"antiCmd", "RUOTA ANTIORARIO", {96, 424, 89, 73}, {255, 128, 128}},
    {"orizCmd", "RIFLETTI ORIZZONTALE", {312, 424, 105, 73}, {255, 255, 128}},
    {"vertiCmd", "RIFLETTI VERTICALE", {192, 424, 105, 73}, {128, 255, 128}},
    {"assegnaCmd", "ASSEGNA", {632, 264, 145, 81}, {192, 192, 255}},
    {"spostaCmd", "SPOSTA   ALTO-DESTRO", {432, 424, 105, 73}, {128, 255, 255}},
    {"Command7", "PER USCIRE", {632, 416, 153, 81}, {255, 192, 128}},
    {"orarioCmd", "RUOTA ORARIO", {8, 424, 81, 73}, {255, 192, 128}},
};

const char* const pieceButtonNames[] = {"orarioCmd", "antiCmd", "orizCmd", "vertiCmd", "spostaCmd"};

QRgb rgb(int r, int g, int b) {
    return qRgb(r, g, b);
}

enum Side { top, right, bottom, left };

// Collects the regions a widget is asked to repaint.
class PaintSpy : public QObject {
  public:
    PaintSpy(QWidget* watched, QRegion* painted) : painted_(painted) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            *painted_ += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

  private:
    QRegion* painted_;
};

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1> window;

    FaceButton* button(const char* name) { return window->findChild<FaceButton*>(name); }
    QLabel* label(const char* name) { return window->findChild<QLabel*>(name); }
    SurfaceWidget* surface() { return window->findChild<SurfaceWidget*>(); }
    QRgb pixelAt(QPoint p) { return surface()->image().pixel(p); }
    QImage picture(const char* name) { return label(name)->pixmap().toImage(); }
    bool showsFits() { return picture("Image1") == picture("Image2_0"); }
    bool showsDoesNotFit() { return picture("Image1") == picture("Image2_1"); }
    QAction* menuCommand(const char* name) { return window->findChild<QAction*>(name); }

    // Asks to quit through `request`, answers `answer` and waits for the
    // answer to take effect; returns what each question showed.
    QStringList quitAnswering(const QString& answer, const std::function<void()>& request) {
        QStringList seen;
        answerQuitQuestion(this, answer, [&seen](QMessageBox& box) {
            seen << box.windowTitle() + "|" + box.text() + "|" + QString::number(box.icon()) +
                        "|" + box.defaultButton()->text();
        });
        request();
        [&] { QTRY_VERIFY(!seen.isEmpty() && !QApplication::activeModalWidget()); }();
        return seen;
    }

    void checkPieceShown() {
        const GameState& s = window->game().state();
        const auto p = fillPoints(cellCorner(0));
        QCOMPARE(pixelAt(p[top]), colourOf(s.pieceTop));
        QCOMPARE(pixelAt(p[right]), colourOf(s.pieceRight));
        QCOMPARE(pixelAt(p[bottom]), colourOf(s.pieceBottom));
        QCOMPARE(pixelAt(p[left]), colourOf(s.pieceLeft));
    }

  private slots:
    void initTestCase() { speakItalian(*QCoreApplication::instance()); }

    void qtsOwnTextsAreItalian() {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annulla"));
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Copy"), QString("&Copia"));
    }

    void init() {
        window = std::make_unique<Form1>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void windowHasItsTitleClientSizeAndMenuCommandsOnTheBar() {
        QCOMPARE(window->windowTitle(), QString("Il vestito di Zanfrino"));
        QCOMPARE(window->centralWidget()->size(), QSize(792, 554));
        const QList<QAction*> actions = window->menuBar()->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions[0]->text(), QString("&Nuova partita"));
        QCOMPARE(actions[1]->text(), QString("&Cancella ultimo rettangolo"));
        QCOMPARE(actions[2]->text(), QString("&Punteggio"));
        for (QAction* a : actions) {
            QVERIFY(!a->menu());
        }
    }

    void buttonsStandAtTheirPlacesWithCaptionFaceAndPicture() {
        for (const ButtonDesign& design : buttonDesigns) {
            FaceButton* b = button(design.name);
            QVERIFY2(b, design.name);
            QCOMPARE(b->geometry(), design.place);
            QCOMPARE(b->text(), QString::fromUtf8(design.caption));
            QCOMPARE(b->faceColour(), design.face);
            QCOMPARE(b->picture().size(), QSize(32, 32));
            QCOMPARE(b->grab().toImage().pixel(4, b->height() / 2), design.face.rgb());
            // The caption breaks only at its spaces, and no line is clipped.
            const QStringList lines = b->captionLines();
            QCOMPARE(lines.join(' ').simplified(), b->text().simplified());
            for (const QString& line : lines) {
                QVERIFY2(b->fontMetrics().horizontalAdvance(line) <= b->captionRect().width(),
                         qPrintable(line));
            }
            QVERIFY2(lines.size() * b->fontMetrics().lineSpacing() <= b->captionRect().height(),
                     design.name);
        }
        QCOMPARE(button("spostaCmd")->captionLines(), QStringList({"SPOSTA", "ALTO-DESTRO"}));
        QCOMPARE(button("assegnaCmd")->captionLines(), QStringList({"ASSEGNA"}));
    }

    void picturesLabelsAndTheirFrames() {
        QLabel* image1 = label("Image1");
        QCOMPARE(image1->geometry(), QRect(480, 24, 161, 230));
        QVERIFY(image1->isVisible());
        for (const char* name : {"Image2_0", "Image2_1"}) {
            QVERIFY(!label(name)->isVisible());
            // The "fits" figure is read just after the first frame.
            QTRY_COMPARE(label(name)->pixmap().size(), QSize(161, 230));
        }
        // The two figures are exact mirror images of each other.
        QVERIFY(picture("Image2_0") != picture("Image2_1"));
        QCOMPARE(picture("Image2_0").mirrored(true, false), picture("Image2_1"));

        QLabel* counter = label("Label2");
        QCOMPARE(counter->geometry(), QRect(544, 448, 81, 33));
        QCOMPARE(counter->frameShape(), QFrame::Box);
        QCOMPARE(counter->lineWidth(), 1);
        QCOMPARE(counter->alignment(), Qt::AlignCenter);
        // The counter stands on the ground of text, not on the grey of panels.
        const QColor ground = counter->palette().color(QPalette::Base);
        QCOMPARE(counter->grab().toImage().pixelColor(4, 4), ground);
        QVERIFY(ground != counter->palette().color(QPalette::Window));
    }

    // Run again by CTest on a machine whose only face is DejaVu Sans, wider
    // than the faces the status line was laid out for.
    void statusLineShowsBothScoringLinesWhole() {
        menuCommand("mnupunti")->trigger();
        QLabel* status = label("Label1");
        const QFontMetricsF metrics(status->font());
        QCOMPARE(status->font().pointSizeF(), 14.0);
        const QStringList lines = status->text().split("\r\n");
        QCOMPARE(lines.size(), 2);
        for (const QString& line : lines) {
            QVERIFY2(metrics.horizontalAdvance(line) <= status->width(),
                     qPrintable(QString("%1 px in %2").arg(metrics.horizontalAdvance(line))
                                    .arg(QFontInfo(status->font()).family())));
        }
        // Centred in the label, the text clears the piece buttons that stand
        // over the label's top 8 pixels.
        const QRectF text = metrics.boundingRect(QRectF(status->rect()),
                                                 Qt::AlignCenter | Qt::TextWordWrap, status->text());
        const int overlap = button("orarioCmd")->geometry().bottom() + 1 - status->y();
        QCOMPARE(overlap, 8);
        QVERIFY2(text.top() >= overlap, qPrintable(QString::number(text.top())));
    }

    void keyboardFocusStartsOnNuovoAndTabFollowsTheButtonOrder() {
        QCOMPARE(QApplication::focusWidget(), button("nuovoCmd"));
        // Enable everything first: a disabled button takes no focus.
        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        const char* order[] = {"nuovoCmd",  "antiCmd",  "orizCmd",   "vertiCmd", "assegnaCmd",
                               "spostaCmd", "Command7", "orarioCmd", "nuovoCmd"};
        button("nuovoCmd")->setFocus();
        for (std::size_t i = 1; i < std::size(order); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(order[i]));
        }
    }

    void startsWaitingForTheFirstPiece() {
        QVERIFY(!button("assegnaCmd")->isEnabled());
        for (const char* name : pieceButtonNames) {
            QVERIFY2(!button(name)->isEnabled(), name);
        }
        QVERIFY(button("nuovoCmd")->isEnabled());
        QCOMPARE(label("Label2")->text(), QString("mosse: 0"));
        QLabel* status = label("Label1");
        QCOMPARE(status->text(), QString("carica il primo rettangolo"));
        QCOMPARE(status->font().pointSizeF(), 14.0);
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(128, 0, 128));
        QCOMPARE(status->palette().color(QPalette::Window), QColor(192, 255, 255));
        QCOMPARE(status->geometry(), QRect(0, 489, 792, 65));
        QVERIFY(showsDoesNotFit());
        // The piece buttons stand in front of the status line.
        QCOMPARE(surface()->childAt(20, 492), button("orarioCmd"));
    }

    void surfaceHasBlackLinesExactlyWhereTheCellsAreAndWhiteInside() {
        const auto cellOk = [this](int left, int top) {
            for (int x = left; x < left + 73; ++x) {
                QCOMPARE(pixelAt({x, top}), rgb(0, 0, 0));
                QCOMPARE(pixelAt({x, top + 128}), rgb(0, 0, 0));
            }
            for (int y = top; y < top + 129; ++y) {
                QCOMPARE(pixelAt({left, y}), rgb(0, 0, 0));
                QCOMPARE(pixelAt({left + 72, y}), rgb(0, 0, 0));
            }
            QCOMPARE(pixelAt({left + 36, top + 64}), rgb(0, 0, 0)); // where the diagonals cross
            for (QPoint inside : fillPoints({left, top})) {
                QCOMPARE(pixelAt(inside), rgb(255, 255, 255));
            }
        };
        cellOk(696, 96);
        for (int k = 0; k < 18; ++k) {
            cellOk(24 + 73 * (k % 6), 24 + 129 * (k / 6));
        }
        QCOMPARE(pixelAt({470, 24}), rgb(255, 255, 255)); // between the board and Image1
    }

    void quitAnsweredNoChangesNothing() {
        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        QTest::mouseClick(button("orarioCmd"), Qt::LeftButton);
        const GameState before = window->game().state();
        const QImage surfaceBefore = surface()->image().copy();
        const QString status = label("Label1")->text();
        const bool fits = showsFits();

        const QStringList seen =
            quitAnswering("No", [&] { QTest::mouseClick(button("Command7"), Qt::LeftButton); });

        QCOMPARE(seen, QStringList(
                           QString("Zanfrino|Vuoi veramente uscire?|%1|Sì").arg(QMessageBox::NoIcon)));
        QVERIFY(window->isVisible());
        QCOMPARE(window->game().state(), before);
        QCOMPARE(surface()->image(), surfaceBefore);
        QCOMPARE(label("Label1")->text(), status);
        QCOMPARE(label("Label2")->text(), QString("mosse: 1"));
        QCOMPARE(showsFits(), fits);
    }

    void quitAnsweredSiClosesTheWindowWhateverAskedForIt() {
        quitAnswering("Sì", [&] { QTest::mouseClick(button("Command7"), Qt::LeftButton); });
        QVERIFY(!window->isVisible());

        init();
        // The frame's close box, Alt+F4 and the system come this way.
        quitAnswering("Sì", [&] { window->close(); });
        QVERIFY(!window->isVisible());
    }

    void aCloseRequestWhileTheQuestionIsOpenIsIgnored() {
        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        const QString status = label("Label1")->text();
        int questions = 0;
        bool stayedDuringQuestion = false;
        // While "Vuoi veramente uscire?" waits, the frame's close box is
        // pressed; the question already asks, so nothing more happens.
        answerQuitQuestion(this, "No", [&](QMessageBox&) {
            ++questions;
            QCloseEvent request; // as the window system delivers it
            QCoreApplication::sendEvent(window->windowHandle(), &request);
            QApplication::processEvents();
            stayedDuringQuestion = window->isVisible() && !request.isAccepted();
        });
        QTest::mouseClick(button("Command7"), Qt::LeftButton);
        QTRY_VERIFY(questions > 0 && !QApplication::activeModalWidget());
        QApplication::processEvents();
        QCOMPARE(questions, 1);
        QVERIFY(stayedDuringQuestion);
        QVERIFY(window->isVisible());
        QVERIFY(window->windowHandle()->isVisible());
        QCOMPARE(label("Label1")->text(), status);

        // Asked again afterwards, the question is still asked once.
        QCOMPARE(quitAnswering("No", [&] { window->close(); }).size(), 1);
        QVERIFY(window->isVisible());
    }

    void scoringShowsTwoLinesUntilTheNextMessage() {
        menuCommand("mnupunti")->trigger();
        const QString text = label("Label1")->text();
        QVERIFY(text.startsWith("ogni intervento sul rettangolo vale 1 mossa;"));
        QVERIFY(text.endsWith("scartare un rettangolo equivale a 5 mosse!"));
        QCOMPARE(text.split("\r\n").size(), 2);
        QCOMPARE(label("Label2")->text(), QString("mosse: 0"));

        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        QCOMPARE(label("Label1")->text(), QString("assegna il primo rettangolo"));
    }

    void resizingToAnySizeKeepsTheStatusLineDocked() {
        for (QSize size : {QSize(1, 1), QSize(300, 40), QSize(1200, 900), QSize(792, 554)}) {
            window->centralWidget()->resize(size);
            QCOMPARE(label("Label1")->geometry(), QRect(0, size.height() - 65, size.width(), 65));
            QCOMPARE(button("nuovoCmd")->geometry(), buttonDesigns[0].place);
        }
        window->resize(1, 1);
        QApplication::processEvents();
        QCOMPARE(label("Label1")->y(), window->centralWidget()->height() - 65);
    }

    void newGameTwiceGivesTheSameBoard() {
        const QImage fresh = surface()->image().copy();
        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        QTest::mouseClick(button("assegnaCmd"), Qt::LeftButton);
        menuCommand("mnunuova")->trigger();
        QCOMPARE(surface()->image(), fresh);
        menuCommand("mnunuova")->trigger();
        QCOMPARE(surface()->image(), fresh);
        QVERIFY(!button("assegnaCmd")->isEnabled());
        for (const char* name : pieceButtonNames) {
            QVERIFY2(!button(name)->isEnabled(), name); // the old piece is not on show
        }
        QCOMPARE(label("Label2")->text(), QString("mosse: 0"));
    }

    void clickingThroughTheStartOfAGamePaintsAndCountsAsItGoes() {
        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        checkPieceShown();
        QVERIFY(button("assegnaCmd")->isEnabled());
        for (const char* name : pieceButtonNames) {
            QVERIFY2(button(name)->isEnabled(), name);
        }
        QVERIFY(showsFits());
        QCOMPARE(label("Label1")->text(), QString("assegna il primo rettangolo"));

        int moves = 0;
        for (const char* name : pieceButtonNames) {
            QTest::mouseClick(button(name), Qt::LeftButton);
            ++moves;
            checkPieceShown();
            QCOMPARE(label("Label2")->text(), QString("mosse: %1").arg(moves));
            QVERIFY(showsFits()); // anything fits the first slot
        }

        const GameState first = window->game().state();
        QTest::mouseClick(button("assegnaCmd"), Qt::LeftButton);
        const auto slot1 = fillPoints(cellCorner(1));
        QCOMPARE(pixelAt(slot1[top]), colourOf(first.pieceTop));
        QCOMPARE(pixelAt(slot1[right]), colourOf(first.pieceRight));
        QCOMPARE(pixelAt(slot1[bottom]), colourOf(first.pieceBottom));
        QCOMPARE(pixelAt(slot1[left]), colourOf(first.pieceLeft));
        checkPieceShown();
        QCOMPARE(label("Label1")->text(), QString("assegna il pezzo solo se combacciano i colori"));
        QCOMPARE(window->game().state().currentSlot, 2);
        QCOMPARE(showsFits(), window->game().pieceFits());

        // Turn until it fits, then place it: slot 2 paints, slot 3 stays white.
        for (int i = 0; i < 4 && !showsFits(); ++i) {
            QTest::mouseClick(button("orarioCmd"), Qt::LeftButton);
        }
        for (int i = 0; i < 4 && !showsFits(); ++i) {
            QTest::mouseClick(button("orizCmd"), Qt::LeftButton);
            QTest::mouseClick(button("orarioCmd"), Qt::LeftButton);
        }
        QCOMPARE(showsFits(), window->game().pieceFits());
        if (showsFits()) {
            const GameState second = window->game().state();
            QTest::mouseClick(button("assegnaCmd"), Qt::LeftButton);
            QCOMPARE(pixelAt(fillPoints(cellCorner(2))[left]), colourOf(second.pieceLeft));
            QCOMPARE(pixelAt(fillPoints(cellCorner(3))[top]), rgb(255, 255, 255));
            QCOMPARE(window->game().state().currentSlot, 3);
        }
    }

    void aClickRepaintsOnlyWhatItChanged() {
        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        QApplication::processEvents();
        QRegion painted;
        PaintSpy spy(surface(), &painted);
        QTest::mouseClick(button("orizCmd"), Qt::LeftButton);
        QApplication::processEvents();
        // The piece's two changed triangles, nothing else of the board.
        QVERIFY(!painted.isEmpty());
        QVERIFY2(QRegion(696, 96, 73, 129).contains(painted.boundingRect()),
                 qPrintable(QString("repainted %1,%2 %3x%4")
                                .arg(painted.boundingRect().x())
                                .arg(painted.boundingRect().y())
                                .arg(painted.boundingRect().width())
                                .arg(painted.boundingRect().height())));
    }

    void theScreenKeepsUpWithEveryCellAfterPartialRepaints() {
        const QPoint origin = surface()->mapTo(window.get(), QPoint(0, 0));
        const QImage board = surface()->image().convertToFormat(QImage::Format_RGB32);
        for (const char* name : {"nuovoCmd", "orizCmd", "orarioCmd", "assegnaCmd", "vertiCmd",
                                 "assegnaCmd", "nuovoCmd", "spostaCmd", "assegnaCmd"}) {
            QTest::mouseClick(button(name), Qt::LeftButton);
            QApplication::processEvents();
            const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
            const QImage drawn = surface()->image().convertToFormat(QImage::Format_RGB32);
            for (int index = 0; index <= 18; ++index) {
                const QRect cell(cellCorner(index), QSize(73, 129));
                QCOMPARE(shot.copy(cell.translated(origin)).convertToFormat(QImage::Format_RGB32),
                         drawn.copy(cell));
            }
        }
        QVERIFY(surface()->image().convertToFormat(QImage::Format_RGB32) != board);
    }

    void assistiveTechnologyHearsNamesAndFollowsTheGame() {
        const auto text = [](QWidget* w, QAccessible::Text t) {
            return QAccessible::queryAccessibleInterface(w)->text(t);
        };
        QWidget* piece = window->findChild<QWidget*>("pieceView");
        QVERIFY(piece);
        QCOMPARE(text(piece, QAccessible::Description), QString("nessun rettangolo"));

        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        QTest::mouseClick(button("orarioCmd"), Qt::LeftButton);

        for (const ButtonDesign& design : buttonDesigns) {
            QVERIFY2(!text(button(design.name), QAccessible::Name).isEmpty(), design.name);
        }
        QCOMPARE(text(button("assegnaCmd"), QAccessible::Name),
                 QString("Assegna il rettangolo alla prossima casella"));
        QCOMPARE(text(label("Label1"), QAccessible::Name), QString("Riga di stato"));
        QCOMPARE(text(label("Label1"), QAccessible::Description),
                 QString("assegna il primo rettangolo"));
        QCOMPARE(text(label("Label2"), QAccessible::Name), QString("Contatore delle mosse"));
        QCOMPARE(text(label("Label2"), QAccessible::Description), QString("mosse: 1"));
        QCOMPARE(text(label("Image1"), QAccessible::Name), QString("Figura di Zanfrino"));
        QCOMPARE(text(label("Image1"), QAccessible::Description),
                 QString("il rettangolo combacia"));

        // The piece is read out side by side, as it is turned.
        const char* names[] = {"blu", "verde", "azzurro", "rosso", "viola"};
        const GameState& s = window->game().state();
        const QString expected = QString("alto %1, destra %2, basso %3, sinistra %4")
                                     .arg(names[s.pieceTop - 9], names[s.pieceRight - 9],
                                          names[s.pieceBottom - 9], names[s.pieceLeft - 9]);
        QCOMPARE(text(piece, QAccessible::Description), expected);
        QCOMPARE(text(piece, QAccessible::Name), QString("Rettangolo corrente"));

        // The counter and the status line follow every move.
        QTest::mouseClick(button("antiCmd"), Qt::LeftButton);
        menuCommand("mnupunti")->trigger();
        QCOMPARE(text(label("Label2"), QAccessible::Description), QString("mosse: 2"));
        QVERIFY(text(label("Label1"), QAccessible::Description).contains("3 mosse; scartare"));

        menuCommand("mnunuova")->trigger();
        QCOMPARE(text(piece, QAccessible::Description), QString("nessun rettangolo"));
        QCOMPARE(text(label("Image1"), QAccessible::Description),
                 QString("il rettangolo non combacia"));
    }

    void cancellingWipesTheLastCellBackToWhiteInsideItsLines() {
        QTest::mouseClick(button("nuovoCmd"), Qt::LeftButton);
        QTest::mouseClick(button("assegnaCmd"), Qt::LeftButton);
        const QImage withOne = surface()->image().copy();
        // Force the second piece on: turn until it fits.
        for (int i = 0; i < 24 && !window->game().pieceFits(); ++i) {
            QTest::mouseClick(button(i % 3 ? "orarioCmd" : "spostaCmd"), Qt::LeftButton);
        }
        QVERIFY(window->game().pieceFits());
        QTest::mouseClick(button("assegnaCmd"), Qt::LeftButton);
        QCOMPARE(window->game().state().currentSlot, 3);

        menuCommand("mnucanc")->trigger();
        QCOMPARE(window->game().state().currentSlot, 2);
        QCOMPARE(label("Label1")->text(),
                 QString("questo errore ti costa l'equivalente di cinque mosse"));
        // Cell 2 is as it was before it was filled; Shape1(0) keeps its piece.
        const QRect cell2(97, 24, 74, 130);
        QCOMPARE(surface()->image().copy(cell2), withOne.copy(cell2));
        checkPieceShown();
        QCOMPARE(showsFits(), window->game().pieceFits());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
