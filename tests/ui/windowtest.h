// What the window tests share: where the game paints and in which colours.
#pragma once

#include "colours.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPoint>
#include <QRgb>
#include <QTimer>

#include <array>
#include <cmath>
#include <cstdint>

inline QRgb colourOf(std::int32_t code) {
    const Rgb c = colourTable[static_cast<std::size_t>(code)];
    return qRgb(c.red, c.green, c.blue);
}

// The top-left corner of Shape1(index): the current piece, or a board slot.
inline QPoint cellCorner(int index) {
    if (index == 0) {
        return {696, 96};
    }
    return {24 + 73 * ((index - 1) % 6), 24 + 129 * ((index - 1) / 6)};
}

// The top, right, bottom and left fill points of a 73 x 129 cell, written
// out from its corner; halves go to the even pixel.
inline std::array<QPoint, 4> fillPoints(QPoint corner) {
    const auto even = [](float v) { return static_cast<int>(std::lrint(v)); };
    const float left = static_cast<float>(corner.x());
    const float top = static_cast<float>(corner.y());
    return {
        QPoint(even(left + 36.5f), even(top + 10)), QPoint(even(left + 46.5f), even(top + 64.5f)),
        QPoint(even(left + 36.5f), even(top + 119)), QPoint(even(left + 10), even(top + 64.5f))};
}

// Answers the next quit question with the button captioned `answer` as soon
// as it is asked (the window asks once the close request is over). Each
// question asked is passed to `seen` first.
template <typename Seen>
void answerQuitQuestion(QObject* context, const QString& answer, Seen seen) {
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, answer, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        seen(*box);
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == answer) {
                b->click();
            }
        }
    });
    poll->start(0);
}
