#include "windowtest.h"

#include <QMenuBar>
#include <QScreen>

#include <random>

// Clicks, keys, menu commands, close requests and resizes at random, and
// after each one the window read back against the game's state.

class RandomWindowTest : public QObject {
    Q_OBJECT

    std::mt19937 choices{20261206};
    const LaidOutBoard board;
    bool dealt = false; // a piece dealt since the last new game

    int below(qsizetype n) { return static_cast<int>(choices() % static_cast<unsigned>(n)); }

    void act(TestWindow& w) {
        const QList<FaceButton*> buttons = w.form.findChildren<FaceButton*>();
        const QList<QAction*> commands = w.form.menuBar()->actions();
        // The focused button, or the window when the question took focus away.
        QWidget* focused = w.form.focusWidget() ? w.form.focusWidget() : &w.form;
        const QObject* fired = nullptr; // the button or command set off
        const int kind = below(20);
        if (kind < 12) {
            FaceButton* b = buttons[below(buttons.size())];
            fired = b->isEnabled() ? b : nullptr;
            QTest::mouseClick(b, Qt::LeftButton);
        } else if (kind < 16) {
            fired = kind >= 14 && focused->isEnabled() ? focused : nullptr;
            QTest::keyClick(focused, kind < 14 ? Qt::Key_Tab : Qt::Key_Space);
        } else if (kind < 18) {
            QAction* a = commands[below(commands.size())];
            fired = a;
            a->trigger();
        } else {
            kind < 19 ? void(w.form.close()) : w.form.resize(1 + below(1200), 1 + below(900));
        }
        const QString name = fired ? fired->objectName() : QString();
        dealt = (dealt || name == "nuovoCmd") && name != "mnunuova";
        QApplication::processEvents();
    }

    // Every 8th pixel of each cell after every action; now and then every
    // pixel, and the screen against the surface, however little of it each
    // action repainted.
    void check(const TestWindow& w, int step) {
        const GameState& s = w.state();
        QVERIFY(w.form.isVisible());
        QCOMPARE(w.label("Label2")->text(), QString("mosse: %1").arg(s.moveCount));
        QCOMPARE(w.label("Image1")->pixmap().cacheKey() == w.label("Image2_0")->pixmap().cacheKey(),
                 dealt && pieceFits(s));
        for (const char* name : {"orarioCmd", "antiCmd", "orizCmd", "vertiCmd", "spostaCmd"}) {
            QCOMPARE(w.button(name)->isEnabled(), dealt); // the piece buttons wait for a piece
        }
        const QLabel* status = w.label("Label1");
        QCOMPARE(status->geometry(), QRect(0, w.surface()->height() - status->height(),
                                           w.surface()->width(), status->height()));
        for (int k = 0; k <= slotCount; ++k) {
            // A slot shows its piece once placed, the piece's cell the piece once dealt.
            const Piece shown = k == GameView::pieceCell ? (dealt ? s.piece() : emptyCell)
                                : k < s.currentSlot      ? Piece{s.placedTop[k], s.placedRight[k],
                                                            s.placedBottom[k], s.placedLeft[k]}
                                                         : emptyCell;
            const QString wrong = cellMismatch(w.surface()->image(), board.cell(k), shown, step);
            QVERIFY2(wrong.isEmpty(), qPrintable(QString("cell %1: %2").arg(k).arg(wrong)));
        }
        const QSize whole(Form1::surfaceWidth, Form1::surfaceHeight);
        if (step == 1 && w.surface()->width() >= whole.width() &&
            w.surface()->height() >= whole.height()) {
            const QImage shot = w.form.screen()->grabWindow(w.form.winId()).toImage();
            const QImage drawn = w.surface()->image().convertToFormat(shot.format());
            const QPoint origin = w.surface()->mapTo(&w.form, QPoint());
            for (int k = 0; k <= slotCount; ++k) {
                QCOMPARE(shot.copy(board.cell(k).translated(origin)), drawn.copy(board.cell(k)));
            }
        }
    }

  private slots:
    void twentyThousandRandomActionsKeepTheWindowTruthful() {
        TestWindow w;
        QVERIFY(w.open());
        answerQuitQuestions(this, "No");
        int deepest = 1;
        // ZANFRIA_SOAK=n plays n times as long (make soak).
        const int actions = 20000 * std::max(1, qEnvironmentVariableIntValue("ZANFRIA_SOAK"));
        for (int i = 0; i < actions; ++i) {
            act(w);
            check(w, i % 1000 == 999 ? 1 : 8);
            if (QTest::currentTestFailed()) {
                QFAIL(qPrintable(QString("after action %1").arg(i)));
            }
            deepest = std::max(deepest, static_cast<int>(w.state().currentSlot));
        }
        QVERIFY(deepest >= 4); // the random player did get pieces onto the board
    }
};

QTEST_MAIN(RandomWindowTest)
#include "random_window_test.moc"
