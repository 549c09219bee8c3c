#include "colourmarks.h"

#include "colourtable.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace {

enum class Figure { disc, triangle, square, cross, star };

struct Look {
    Figure figure;
    QRgb ink;
};

// By colour, 9 to 13. The ink stands out from its colour by far more than
// 3 : 1: white on the dark blue, black on the four light colours.
constexpr std::array<Look, 5> looks{{{Figure::disc, qRgb(255, 255, 255)},
                                     {Figure::triangle, qRgb(0, 0, 0)},
                                     {Figure::square, qRgb(0, 0, 0)},
                                     {Figure::cross, qRgb(0, 0, 0)},
                                     {Figure::star, qRgb(0, 0, 0)}}};

int part(double fraction, int reach) {
    return static_cast<int>(std::lrint(fraction * reach));
}

// Around the origin, `reach` device pixels at most each way, with about as
// much ink in each; the edges that run along the pixels lie between them.
QPainterPath outline(Figure figure, int reach) {
    const qreal r = reach;
    QPainterPath path;
    switch (figure) {
    case Figure::disc:
        path.addEllipse(QPointF(), 0.9 * r, 0.9 * r);
        break;
    case Figure::triangle: {
        const qreal base = part(0.75, reach);
        path.moveTo(0, -r);
        path.lineTo(0.9 * r, base);
        path.lineTo(-0.9 * r, base);
        path.closeSubpath();
        break;
    }
    case Figure::square: {
        const int half = part(0.8, reach);
        path.addRect(-half, -half, 2 * half, 2 * half);
        break;
    }
    case Figure::cross: {
        const int arm = part(0.36, reach); // half an arm's width
        path.addRect(-reach, -arm, 2 * reach, 2 * arm);
        path.addRect(-arm, -reach, 2 * arm, 2 * reach);
        path.setFillRule(Qt::WindingFill);
        break;
    }
    case Figure::star:
        for (int point = 0; point < 10; ++point) {
            const qreal away = point % 2 == 0 ? r : 0.48 * r;
            const qreal angle = M_PI * (point / 5.0 - 0.5); // the first point up
            const QPointF at(away * std::cos(angle), away * std::sin(angle));
            point == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        path.closeSubpath();
        break;
    }
    return path;
}

} // namespace

int markReach(double scale) {
    return static_cast<int>(std::lrint(10 * scale));
}

// A repaint of part of the board redraws the surface's pixels and then the
// marks, clipped to device pixels that Qt rounds otherwise than the surface:
// an edge pixel blended anew over its old self would darken. Blended with
// its colour once and for all, it is the same however often it is drawn.
QImage colourMark(ColourCode colour, double scale) {
    const Look& look = looks[static_cast<std::size_t>(colour - firstPieceColour)];
    const int reach = markReach(scale);
    const int side = 2 * reach + 2;
    const QPainterPath path = outline(look.figure, reach).translated(side / 2, side / 2);
    QImage mark(side, side, QImage::Format_ARGB32_Premultiplied);
    mark.fill(colourTable[static_cast<std::size_t>(colour)]);
    QImage ink(side, side, QImage::Format_Alpha8);
    ink.fill(0);
    for (QImage* image : {&mark, &ink}) {
        QPainter painter(image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(path, QColor(look.ink));
    }
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (qAlpha(ink.pixel(x, y)) == 0) {
                mark.setPixel(x, y, qRgba(0, 0, 0, 0));
            }
        }
    }
    return mark;
}
