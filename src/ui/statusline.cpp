#include "statusline.h"

#include "colourtable.h"
#include "textline.h"

#include <QFontInfo>
#include <QLabel>

namespace {

constexpr qreal pointSize = 14.0;

// The status line was laid out for a narrow sans face of Arial's width: in
// it the scoring rules' longer line just fits the window. Without any such
// face, a condensed one keeps each line on one line.
QFont statusFont() {
    const QStringList narrow{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                             QStringLiteral("Arial")};
    QFont font;
    font.setFamilies(narrow);
    font.setPointSizeF(pointSize);
    if (!narrow.contains(QFontInfo(font).family())) {
        font.setStretch(QFont::Condensed);
    }
    return font;
}

} // namespace

QLabel* createStatusLine(QWidget* parent) {
    auto* line = new QLabel(parent);
    readAsText(line, QAccessible::StatusBar);
    line->setObjectName(QStringLiteral("Label1"));
    line->setGeometry(296, 488, 121, 65);
    line->setAlignment(Qt::AlignCenter);
    line->setWordWrap(true);
    line->setAutoFillBackground(true);
    line->setFont(statusFont());
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(192, 255, 255));
    line->setPalette(palette);
    line->setAccessibleDescription(
        QStringLiteral("Riga di stato: i consigli e i messaggi del gioco"));
    return line;
}

void showStatus(QLabel& line, std::string_view text) {
    // Every message is 14-point magenta; the label is only touched when it
    // is not already so, since each change makes it lay its text out again.
    if (line.font().pointSizeF() != pointSize) {
        QFont font = line.font();
        font.setPointSizeF(pointSize);
        line.setFont(font);
    }
    const QColor ink(colourTable[statusColour]);
    if (line.palette().color(QPalette::WindowText) != ink) {
        QPalette palette = line.palette();
        palette.setColor(QPalette::WindowText, ink);
        line.setPalette(palette);
    }
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    showText(line, message);
}

void dockStatusLine(QLabel& line, const QWidget& area) {
    line.setGeometry(0, area.height() - line.height(), area.width(), line.height());
}
