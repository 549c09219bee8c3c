#include "speech.h"

#include <QAccessible>
#include <QStringList>
#include <QWidget>

void describe(QWidget* widget, const QString& text) {
    widget->setAccessibleDescription(text);
    QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void announce(QWidget* widget) {
    QAccessibleEvent alert(widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
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
