// What the window tests share: the window with its cues recorded, the quit
// answerer, and where the board's cells are and what colours they show.
#pragma once

#include "cueplayer.h"
#include "facebutton.h"
#include "form1.h"
#include "rules.h"
#include "surfacewidget.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <random>
#include <vector>

// Plays nothing: keeps the cues the window passed on, and whether it holds them back.
struct CueRecorder final : CuePlayer {
    std::vector<Cue> played;
    bool held = false;

    void playCue(Cue cue) override { played.push_back(cue); }
    void holdCues() override { held = true; }
    void releaseCues() override { held = false; }
};

struct TestWindow {
    CueRecorder cues;
    Form1 form{cues};

    // Shows the window and waits for what follows its first frame too: the
    // cues are let go last.
    bool open() {
        form.show();
        return QTest::qWaitForWindowExposed(&form) &&
               QTest::qWaitFor([this] { return !cues.held; });
    }
    FaceButton* button(const char* name) const { return form.findChild<FaceButton*>(name); }
    QLabel* label(const char* name) const { return form.findChild<QLabel*>(name); }
    SurfaceWidget* surface() const { return form.findChild<SurfaceWidget*>(); }
    const GameState& state() const { return form.game().state(); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void command(const char* name) { form.findChild<QAction*>(name)->trigger(); }

    // Deals, then turns each piece at random until the figure says it fits
    // and assigns it, until the last slot is next.
    void playToTheLastSlot() {
        std::mt19937 choices(7);
        const char* const changes[] = {"orarioCmd", "antiCmd", "orizCmd", "vertiCmd", "spostaCmd"};
        click("nuovoCmd");
        while (state().currentSlot < slotCount || !pieceFits(state())) {
            click(pieceFits(state()) ? "assegnaCmd" : changes[choices() % 5]);
        }
    }
};

// The board as the window's painter lays it out, on a surface of its own.
struct LaidOutBoard {
    SurfaceWidget surface{Form1::surfaceWidth, Form1::surfaceHeight, 1};
    BoardPainter painter{surface};

    LaidOutBoard() { painter.layOut(); }
    void paint(int index, Piece p) {
        const auto k = static_cast<std::int16_t>(index);
        painter.paintTop(k, static_cast<ColourCode>(p.top));
        painter.paintRight(k, static_cast<ColourCode>(p.right));
        painter.paintBottom(k, static_cast<ColourCode>(p.bottom));
        painter.paintLeft(k, static_cast<ColourCode>(p.left));
    }
    // 0 is the current piece's cell, 1..18 the slots.
    QRect cell(int index) const { return cellRect(painter.Shape1(index)); }
};

constexpr Piece emptyCell{Surface::white, Surface::white, Surface::white, Surface::white};

// The colours a cell shows, read inside its four triangles: emptyCell's
// where nothing is painted.
inline Piece shownIn(const SurfaceWidget& surface, QRect cell) {
    const auto at = [&](int x, int y) {
        const qreal k = surface.scale();
        return surface.surface().pixel(Surface::at(x, k), Surface::at(y, k));
    };
    const QPoint c = cell.center();
    return {at(c.x(), cell.top() + cell.height() / 4), at(cell.right() - cell.width() / 4, c.y()),
            at(c.x(), cell.bottom() - cell.height() / 4),
            at(cell.left() + cell.width() / 4, c.y())};
}

// Answers every quit question with the button captioned `answer` as soon as
// it is asked (the window asks once the close request is over), while
// `context` lives, and notes each in `asked` with its default button. Before
// answering it sends the window another close request, as an impatient
// player does: the question already asks, so that one must ask nothing more;
// then it does `meanwhile`.
inline void answerQuitQuestions(
    QObject* context, const QString& answer, QStringList* asked = nullptr,
    const std::function<void()>& meanwhile = [] {}) {
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [answer, asked, meanwhile] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (asked)
                *asked << box->text() + " [" + box->defaultButton()->text() + "]";
            QCloseEvent request; // as the window system delivers it
            QCoreApplication::sendEvent(box->parentWidget()->windowHandle(), &request);
            meanwhile();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == answer)
                    b->click();
        }
    });
    poll->start(0);
}
