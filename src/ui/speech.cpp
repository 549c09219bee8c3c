#include "speech.h"

#include "rules.h"

#include <QStringList>
#include <QWidget>

void describe(QWidget* widget, const QString& text) {
    if (widget->accessibleDescription() != text) {
        widget->setAccessibleDescription(text);
    }
}

QString pieceDescription(Piece piece) {
    static const char* const colourNames[] = {"blu", "verde", "azzurro", "rosso", "viola"};
    static const char* const sideNames[] = {"alto", "destra", "basso", "sinistra"};
    QStringList parts;
    for (const Side side : allSides) {
        const std::int32_t colour = piece.colour(side);
        parts << QStringLiteral("%1 %2").arg(QLatin1String(sideNames[static_cast<int>(side)]),
                                             QLatin1String(colourNames[colour - firstPieceColour]));
    }
    return parts.join(QStringLiteral(", "));
}

QString noPieceDescription() {
    return QStringLiteral("nessun rettangolo");
}

QString slotDescription(const GameState& state, int slot) {
    return QStringLiteral("casella %1: %2")
        .arg(QString::number(slot), isFilled(state, slot) ? pieceDescription(state.placed(slot))
                                                          : QStringLiteral("vuota"));
}
