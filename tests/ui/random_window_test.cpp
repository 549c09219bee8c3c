#include "facebutton.h"
#include "form1.h"
#include "surfacewidget.h"
#include "windowtest.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <random>

namespace {

const char* const buttonNames[] = {"nuovoCmd",   "antiCmd",   "orizCmd",  "vertiCmd",
                                   "assegnaCmd", "spostaCmd", "Command7", "orarioCmd"};
const char* const pieceButtonNames[] = {"orarioCmd", "antiCmd", "orizCmd", "vertiCmd", "spostaCmd"};
const char* const menuNames[] = {"mnunuova", "mnucanc", "mnupunti"};

bool isPieceColour(QRgb pixel) {
    for (std::int32_t code = 9; code <= 13; ++code) {
        if (pixel == colourOf(code)) {
            return true;
        }
    }
    return false;
}

} // namespace

// Clicks, keys, menu commands, close requests and resizes at random, and
// after each one reads the window back: labels, picture, buttons, surface.
class RandomWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> window;
    std::mt19937 choices{20261206};
    bool piecesEnabled = false;
    bool waitingForPiece = true;
    bool assignEnabled = false;
    bool pieceWhole = false; // all four triangles of Shape1(0) painted since the last new game

    QWidget* child(const char* name) { return window->findChild<QWidget*>(name); }
    QLabel* label(const char* name) { return window->findChild<QLabel*>(name); }
    const QImage& surface() { return window->findChild<SurfaceWidget*>()->image(); }

    void noteClick(const QString& name) {
        if (name == "nuovoCmd" || name == "orarioCmd" || name == "antiCmd") {
            pieceWhole = pieceWhole || piecesEnabled || name == "nuovoCmd";
        }
        if (name == "nuovoCmd") {
            piecesEnabled = true;
            waitingForPiece = false;
            assignEnabled = true;
        } else if (std::find(std::begin(pieceButtonNames), std::end(pieceButtonNames), name) !=
                   std::end(pieceButtonNames)) {
            waitingForPiece = false; // the piece commands judge the piece too
        } else if (name == "mnunuova") {
            pieceWhole = false;
            waitingForPiece = true;
            assignEnabled = false;
            piecesEnabled = false;
        }
    }

    // The focused button, or the window when the message box took focus away.
    QWidget* focused() {
        QWidget* w = window->focusWidget();
        return w ? w : window.get();
    }

    void act() {
        const int slotBefore = window->game().state().currentSlot;
        const int kind = static_cast<int>(choices() % 20);
        if (kind < 12) {
            FaceButton* b = window->findChild<FaceButton*>(buttonNames[choices() % 8]);
            const bool enabled = b->isEnabled();
            QTest::mouseClick(b, Qt::LeftButton);
            if (enabled) {
                noteClick(b->objectName());
            }
        } else if (kind < 14) {
            QTest::keyClick(focused(), Qt::Key_Tab);
        } else if (kind < 16) {
            QWidget* target = focused();
            const bool enabled = target->isEnabled();
            QTest::keyClick(target, Qt::Key_Space);
            if (enabled) {
                noteClick(target->objectName());
            }
        } else if (kind < 18) {
            QAction* a = window->findChild<QAction*>(menuNames[choices() % 3]);
            a->trigger();
            noteClick(a->objectName());
        } else if (kind < 19) {
            window->close();
        } else {
            window->resize(1 + static_cast<int>(choices() % 1200),
                           1 + static_cast<int>(choices() % 900));
        }
        const int slot = window->game().state().currentSlot;
        if (slot > 18) {
            assignEnabled = false;
        } else if (slot == slotBefore + 1) {
            pieceWhole = true; // placed, and the next piece dealt
        }
        QApplication::processEvents();
    }

    void checkWidgets() {
        const GameState& s = window->game().state();
        QVERIFY(window->isVisible());
        QCOMPARE(label("Label2")->text(), QString("mosse: %1").arg(s.moveCount));
        const QWidget* client = window->centralWidget();
        QCOMPARE(label("Label1")->geometry(), QRect(0, client->height() - 65, client->width(), 65));
        const bool showsFits =
            label("Image1")->pixmap().cacheKey() == label("Image2_0")->pixmap().cacheKey();
        if (!waitingForPiece) {
            QCOMPARE(showsFits, window->game().pieceFits());
        } else {
            QVERIFY(!showsFits);
        }
        QCOMPARE(child("assegnaCmd")->isEnabled(), assignEnabled);
        for (const char* name : pieceButtonNames) {
            QCOMPARE(child(name)->isEnabled(), piecesEnabled);
        }
    }

    void checkFillPoints() {
        const GameState& s = window->game().state();
        const QImage& image = surface();
        for (int k = 1; k <= 18; ++k) {
            const auto points = fillPoints(cellCorner(k));
            if (k < s.currentSlot) {
                const std::int32_t sides[] = {s.placedTop[k], s.placedRight[k], s.placedBottom[k],
                                              s.placedLeft[k]};
                for (int i = 0; i < 4; ++i) {
                    QCOMPARE(image.pixel(points[i]), colourOf(sides[i]));
                }
            } else {
                for (QPoint p : points) {
                    QCOMPARE(image.pixel(p), qRgb(255, 255, 255));
                }
            }
        }
        // A mirror after a new game repaints only two triangles of the piece.
        const auto points = fillPoints(cellCorner(0));
        const std::int32_t sides[] = {s.pieceTop, s.pieceRight, s.pieceBottom, s.pieceLeft};
        for (int i = 0; i < 4; ++i) {
            const QRgb pixel = image.pixel(points[i]);
            if (pieceWhole) {
                QCOMPARE(pixel, colourOf(sides[i]));
            } else {
                QVERIFY(pixel == qRgb(255, 255, 255) || pixel == colourOf(sides[i]));
            }
        }
    }

    // Every pixel inside every cell: filled cells wholly in piece colours,
    // empty ones wholly white, both inside black lines.
    void checkEveryPixel() {
        const GameState& s = window->game().state();
        const QImage& image = surface();
        for (int k = 1; k <= 18; ++k) {
            const QPoint c = cellCorner(k);
            for (int y = c.y() + 1; y < c.y() + 128; ++y) {
                for (int x = c.x() + 1; x < c.x() + 72; ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    if (pixel == qRgb(0, 0, 0)) {
                        continue;
                    }
                    if (k < s.currentSlot) {
                        QVERIFY2(isPieceColour(pixel), qPrintable(QString("cell %1").arg(k)));
                    } else {
                        QVERIFY2(pixel == qRgb(255, 255, 255),
                                 qPrintable(QString("cell %1").arg(k)));
                    }
                }
            }
        }
    }

  private slots:
    void twentyThousandRandomActionsKeepTheWindowTruthful() {
        window = std::make_unique<Form1>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // Every quit question, whatever asked it, is answered "No".
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, this, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                for (QAbstractButton* b : box->buttons()) {
                    if (b->text() == "No") {
                        b->click();
                    }
                }
            }
        });
        answerer.start(0);
        int deepest = 1;
        // ZANFRIA_SOAK=n plays n times as long (make soak).
        const int actions = 20000 * std::max(1, qEnvironmentVariableIntValue("ZANFRIA_SOAK"));
        for (int i = 0; i < actions; ++i) {
            act();
            checkWidgets();
            checkFillPoints();
            if (i % 1000 == 999) {
                checkEveryPixel();
            }
            if (QTest::currentTestFailed()) {
                QFAIL(qPrintable(QString("after action %1").arg(i)));
            }
            deepest = std::max(deepest, static_cast<int>(window->game().state().currentSlot));
        }
        QVERIFY(deepest >= 4); // the random player did get pieces onto the board
        window.reset();
    }
};

QTEST_MAIN(RandomWindowTest)
#include "random_window_test.moc"
