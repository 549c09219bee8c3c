#include "facebutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr int bevel = 2;
constexpr int pictureTop = 4;
constexpr int pictureSize = 32;
constexpr int captionGap = 1;
constexpr int focusRingWidth = 2;

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Enter || event->key() == Qt::Key_Return;
}

// Orca reviews the screen with the keypad, its arrows among its keys, with
// Num Lock on or off: Qt would match them to the arrows' shortcuts.
bool isReviewKey(const QKeyEvent* event) {
    return event->modifiers().testFlag(Qt::KeypadModifier) && event->key() != Qt::Key_Enter;
}

} // namespace

FaceButton::FaceButton(const QString& caption, const QPixmap& picture, QColor face, QWidget* parent)
    : QAbstractButton(parent), picture_(picture), face_(face) {
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect FaceButton::pictureRect() const {
    return QRect((width() - pictureSize) / 2, pictureTop, pictureSize, pictureSize);
}

// Clear of the focus ring.
QRect FaceButton::captionRect() const {
    const int top = pictureTop + pictureSize + captionGap;
    const int side = bevel + focusRingWidth;
    return QRect(side, top, width() - 2 * side, height() - top - side);
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
    painter.drawPixmap(pictureRect().topLeft() + QPoint(shift, shift), shownPicture());

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

    // Black stands out from every face by far more than 3 : 1, and just
    // inside the bevel the ring covers neither the picture nor the caption.
    if (hasFocus()) {
        const QRect ring = all.adjusted(bevel, bevel, -bevel, -bevel);
        const QColor ink(0, 0, 0);
        const int w = focusRingWidth;
        painter.fillRect(ring.left(), ring.top(), ring.width(), w, ink);
        painter.fillRect(ring.left(), ring.bottom() + 1 - w, ring.width(), w, ink);
        painter.fillRect(ring.left(), ring.top(), w, ring.height(), ink);
        painter.fillRect(ring.right() + 1 - w, ring.top(), w, ring.height(), ink);
    }
}

// Qt would show the button pressed and click it 100 ms later, and again
// for every repeat of a held key: the shortcut acts at once, as a click
// does, and once a press.
bool FaceButton::event(QEvent* event) {
    // Taken as a plain key, a review key reaches no shortcut; the key press
    // that follows is let go.
    if (event->type() == QEvent::ShortcutOverride && isReviewKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    if (event->type() != QEvent::Shortcut) {
        return QAbstractButton::event(event);
    }
    setShortcutAutoRepeat(static_cast<QShortcutEvent*>(event)->shortcutId(), false);
    click();
    return true;
}

// Enter and Return work as Space does: the button goes down as the key goes
// down and is clicked as it comes up, once, however long the key is held.
// Clicked on the way down, the question PER USCIRE asks would take the
// key's repeats for its own Enter.
void FaceButton::keyPressEvent(QKeyEvent* event) {
    if (isReviewKey(event)) {
        event->ignore(); // a button would take the arrows to move the focus
    } else if (!isEnter(event)) {
        QAbstractButton::keyPressEvent(event);
    } else if (!event->isAutoRepeat()) {
        setDown(true);
    }
}

void FaceButton::keyReleaseEvent(QKeyEvent* event) {
    if (!isEnter(event)) {
        QAbstractButton::keyReleaseEvent(event);
    } else if (!event->isAutoRepeat() && isDown()) {
        setDown(false);
        click();
    }
}
