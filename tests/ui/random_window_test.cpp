#include "windowtest.h"

#include <QMenuBar>
#include <QScreen>

#include <random>

// Clicks, held keys, menu commands, close requests and resizes at random, and
// after each one the window read back against the game's state: a held key
// presses its button once, and the focus never falls on PER USCIRE.

class RandomWindowTest : public QObject {
    Q_OBJECT

    std::mt19937 choices{20261206};
    LaidOutBoard reference;
    bool dealt = false; // a piece dealt since the last new game
    int clicks = 0;     // buttons clicked by a held key

    int below(qsizetype n) { return static_cast<int>(choices() % static_cast<unsigned>(n)); }

    void act(TestWindow& w) {
        const QList<FaceButton*> buttons = w.form.findChildren<FaceButton*>();
        const QList<QAction*> commands = w.form.menuBar()->actions();
        // The focused button, or the window when the question took focus away.
        QWidget* focused = w.form.focusWidget() ? w.form.focusWidget() : &w.form;
        auto* focusedButton = qobject_cast<FaceButton*>(focused);
        const QObject* fired = nullptr; // the button or command set off
        const int kind = below(21);
        if (kind < 12) {
            FaceButton* b = buttons[below(buttons.size())];
            fired = b->isEnabled() ? b : nullptr;
            QTest::mouseClick(b, Qt::LeftButton);
        } else if (kind < 17) {
            // Tab, or a key that presses the focused button, held: the keyboard
            // repeats it as a release and a press. The button is pressed once,
            // as the key comes up, so that a question it opens takes no repeat.
            const Qt::Key keys[] = {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter,
                                    Qt::Key_Enter};
            const Qt::Key key = keys[kind - 12];
            const auto modifiers = kind == 16 ? Qt::KeypadModifier : Qt::NoModifier;
            fired = kind > 12 && focusedButton && focusedButton->isEnabled() ? focused : nullptr;
            for (int event = clicks = 0; event < 8; ++event) {
                QTest::simulateEvent(focused, event % 2 == 0, key, modifiers, {}, event % 7 != 0);
                QCOMPARE(clicks, fired && event == 7 ? 1 : 0);
            }
        } else if (kind < 19) {
            QAction* a = commands[below(commands.size())];
            fired = a;
            a->trigger();
        } else {
            kind < 20 ? void(w.form.close()) : w.form.resize(1 + below(1200), 1 + below(900));
        }
        const QString name = fired ? fired->objectName() : QString();
        dealt = (dealt || name == "nuovoCmd") && name != "mnunuova";
        QApplication::processEvents();
        // A focused button the game disables hands the focus to NUOVO
        // RETTANGOLO, which always moves the game on, never along the tab
        // order to PER USCIRE, where the next key would ask to quit.
        if (focusedButton && !focusedButton->isEnabled())
            QCOMPARE(w.form.focusWidget(), w.button("nuovoCmd"));
    }

    // The colours inside each cell's triangles after every action; now and
    // then every pixel of the board against a board painted afresh from the
    // state, and the screen against the surface, however little of it each
    // action repainted.
    void check(const TestWindow& w, bool whole) {
        const GameState& s = w.state();
        QVERIFY(w.form.isVisible());
        QCOMPARE(w.label("Label2")->text(), QString("mosse: %1").arg(s.moveCount));
        QCOMPARE(w.label("Image1")->pixmap().cacheKey() == w.label("Image2_0")->pixmap().cacheKey(),
                 dealt && pieceFits(s));
        for (const char* name : {"orarioCmd", "antiCmd", "orizCmd", "vertiCmd", "spostaCmd"})
            QCOMPARE(w.button(name)->isEnabled(), dealt); // the piece buttons wait for a piece
        const QLabel* status = w.label("Label1");
        QCOMPARE(status->geometry(), QRect(0, w.surface()->height() - status->height(),
                                           w.surface()->width(), status->height()));
        for (int k = 0; k <= slotCount; ++k) {
            // A slot shows its piece once placed, the piece's cell the piece once dealt.
            const Piece shown = k == GameView::pieceCell ? (dealt ? s.piece() : emptyCell)
                                : k < s.currentSlot      ? s.placed(k)
                                                         : emptyCell;
            QCOMPARE(shownIn(*w.surface(), reference.cell(k)), shown);
            if (whole)
                reference.paint(k, shown);
        }
        if (whole) {
            const QImage drawn = w.surface()->image();
            QCOMPARE(drawn, reference.surface.image());
            const QImage shot = w.form.screen()->grabWindow(w.form.winId()).toImage();
            const QPoint origin = w.surface()->mapTo(&w.form, QPoint());
            for (int k = 0; k <= slotCount; ++k) { // the widgets over the rest hide the surface
                const QRect cell = reference.cell(k);
                QCOMPARE(shot.copy(cell.translated(origin)),
                         drawn.convertToFormat(shot.format()).copy(cell));
            }
        }
    }

  private slots:
    void twentyThousandRandomActionsKeepTheWindowTruthful() {
        TestWindow w;
        QVERIFY(w.open());
        answerQuitQuestions(this, "No");
        for (FaceButton* b : w.form.findChildren<FaceButton*>())
            connect(b, &QAbstractButton::clicked, this, [this] { ++clicks; });
        int deepest = 1;
        // ZANFRIA_SOAK=n plays n times as long (make soak).
        const int actions = 20000 * std::max(1, qEnvironmentVariableIntValue("ZANFRIA_SOAK"));
        for (int i = 0; i < actions; ++i) {
            act(w);
            if (!QTest::currentTestFailed())
                check(w, i % 1000 == 999);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QString("after action %1").arg(i)));
            deepest = std::max(deepest, static_cast<int>(w.state().currentSlot));
        }
        QVERIFY(deepest >= 4); // the random player did get pieces onto the board
    }
};

QTEST_MAIN(RandomWindowTest)
#include "random_window_test.moc"
