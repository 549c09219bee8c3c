#include "facebutton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr int bevel = 2;
constexpr int pictureTop = 4;
constexpr int pictureSize = 32;
constexpr int captionGap = 1;

} // namespace

FaceButton::FaceButton(const QString& caption, const QPixmap& picture, QColor face, QWidget* parent)
    : QAbstractButton(parent), picture_(picture), face_(face) {
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect FaceButton::captionRect() const {
    const int top = pictureTop + pictureSize + captionGap;
    return QRect(bevel + 1, top, width() - 2 * (bevel + 1), height() - top - bevel);
}

// As many words to a line as fit. Qt's own wrapping would also break after
// a hyphen, splitting "ALTO-DESTRO"; a word here is whatever lies between
// spaces, and the spaces between two words on one line are kept as written.
QStringList FaceButton::captionLines() const {
    const QFontMetrics metrics = fontMetrics();
    const int room = captionRect().width();
    const QString caption = text();
    QStringList lines;
    QString line;
    qsizetype at = 0;
    while (at < caption.size()) {
        const qsizetype wordStart = at;
        while (at < caption.size() && caption[at] == QLatin1Char(' ')) {
            ++at;
        }
        const qsizetype wordEnd = caption.indexOf(QLatin1Char(' '), at);
        const qsizetype end = wordEnd < 0 ? caption.size() : wordEnd;
        const QString word = caption.mid(at, end - at);
        const QString spaced = caption.mid(wordStart, end - wordStart);
        at = end;
        if (word.isEmpty()) {
            break; // trailing spaces
        }
        if (line.isEmpty()) {
            line = word;
        } else if (metrics.horizontalAdvance(line + spaced) <= room) {
            line += spaced;
        } else {
            lines << line;
            line = word;
        }
    }
    if (!line.isEmpty()) {
        lines << line;
    }
    return lines;
}

const QPixmap& FaceButton::shownPicture() {
    if (isEnabled()) {
        return picture_;
    }
    if (greyed_.isNull()) {
        QStyleOption option;
        option.initFrom(this);
        greyed_ = style()->generatedIconPixmap(QIcon::Disabled, picture_, &option);
    }
    return greyed_;
}

void FaceButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, face_);

    // A classic raised bevel that sinks while the button is held down.
    const bool sunk = isDown();
    const QColor light = sunk ? QColor(0, 0, 0) : QColor(255, 255, 255);
    const QColor dark = sunk ? QColor(255, 255, 255) : QColor(0, 0, 0);
    const QColor shade(128, 128, 128);
    painter.setPen(light);
    painter.drawLine(all.topLeft(), all.topRight());
    painter.drawLine(all.topLeft(), all.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(all.bottomLeft(), all.bottomRight());
    painter.drawLine(all.topRight(), all.bottomRight());
    painter.setPen(shade);
    if (sunk) {
        painter.drawLine(all.left() + 1, all.top() + 1, all.right() - 1, all.top() + 1);
        painter.drawLine(all.left() + 1, all.top() + 1, all.left() + 1, all.bottom() - 1);
    } else {
        painter.drawLine(all.left() + 1, all.bottom() - 1, all.right() - 1, all.bottom() - 1);
        painter.drawLine(all.right() - 1, all.top() + 1, all.right() - 1, all.bottom() - 1);
    }

    const int shift = sunk ? 1 : 0;
    painter.drawPixmap((width() - pictureSize) / 2 + shift, pictureTop + shift, shownPicture());

    const QRect caption = captionRect().translated(shift, shift);
    const int flags = Qt::AlignHCenter | Qt::AlignTop;
    const QString lines = captionLines().join(QLatin1Char('\n'));
    if (isEnabled()) {
        painter.setPen(QColor(0, 0, 0));
    } else {
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(caption.translated(1, 1), flags, lines);
        painter.setPen(QColor(128, 128, 128));
    }
    painter.drawText(caption, flags, lines);

    if (hasFocus()) {
        painter.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
        painter.drawRect(all.adjusted(bevel + 1, bevel + 1, -bevel - 2, -bevel - 2));
    }
}
