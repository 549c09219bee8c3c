// What the window tests share: the window with its cues silenced, the quit
// answerer, and where the board's cells are and what colours they show.
#pragma once

#include "colourtable.h"
#include "facebutton.h"
#include "form1.h"
#include "rules.h"
#include "silentcueplayer.h"
#include "surfacewidget.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>

struct TestWindow {
    SilentCuePlayer cues;
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
};

// The board as the window's painter lays it out, on a surface of its own
// with `scale` device pixels to the window pixel.
struct LaidOutBoard {
    SurfaceWidget surface;
    BoardPainter painter{surface};

    explicit LaidOutBoard(qreal scale = 1)
        : surface(Form1::surfaceWidth, Form1::surfaceHeight, scale) {
        painter.layOut();
    }
    // 0 is the current piece's cell, 1..18 the slots.
    QRect cell(int index) const { return cellRect(painter.Shape1(index)); }
};

// Every `step`-th device pixel of the cell, across and down, must show the
// colour of the triangle it lies in, told by the diagonals' equations;
// within 3% of the cell from a line it may also be black or another of the
// cell's colours. Returns what is wrong, or nothing.
inline QString cellMismatch(const QImage& surface, QRect cell, Piece colours, int step = 1) {
    const double k = surface.devicePixelRatio();
    for (int y = static_cast<int>(cell.top() * k); y < (cell.bottom() + 1) * k; y += step) {
        for (int x = static_cast<int>(cell.left() * k); x < (cell.right() + 1) * k; x += step) {
            const double u = ((x + 0.5) / k - cell.left()) / cell.width();
            const double v = ((y + 0.5) / k - cell.top()) / cell.height();
            const double d1 = v - u;     // below the diagonal from the top-left when > 0
            const double d2 = v + u - 1; // below the diagonal from the top-right when > 0
            const Side side =
                d1 < 0 ? (d2 < 0 ? Side::top : Side::right) : (d2 < 0 ? Side::left : Side::bottom);
            const QRgb pixel = surface.pixel(x, y);
            const auto shows = [&](Side s) { return pixel == colourTable[colours.colour(s)]; };
            const bool nearLine = std::min({std::abs(d1), std::abs(d2), u, v, 1 - u, 1 - v}) < 0.03;
            if (!shows(side) && !(nearLine && (pixel == colourTable[Surface::black] ||
                                               std::ranges::any_of(allSides, shows)))) {
                return QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(pixel, 8, 16);
            }
        }
    }
    return {};
}

// Answers every quit question with the button captioned `answer` as soon as
// it is asked (the window asks once the close request is over), while
// `context` lives; `seen` hears of each first. A question another answerer
// has taken is left to it.
inline void answerQuitQuestions(
    QObject* context, const QString& answer,
    std::function<void(QMessageBox&)> seen = [](QMessageBox&) {}) {
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [answer, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && !box->property("answered").toBool()) {
            box->setProperty("answered", true);
            seen(*box);
            for (QAbstractButton* b : box->buttons())
                if (b->text() == answer)
                    b->click();
        }
    });
    poll->start(0);
}
