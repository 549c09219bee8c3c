#include "news.h"

#include "rules.h"
#include "speech.h"

#include <QStringList>

Scene sceneOf(const GameState& state, const QString& status, bool pieceShown, bool fits) {
    Scene scene{QString(status).replace(QStringLiteral("\r\n"), QStringLiteral(" ")),
                pieceShown ? std::optional(state.piece()) : std::nullopt,
                fits,
                {},
                state.moveCount};
    for (int slot = 1; slot <= slotCount; ++slot) {
        scene.costume[static_cast<std::size_t>(slot - 1)] = pieceIn(state, slot);
    }
    return scene;
}

QString news(const Scene& before, const Scene& after, bool refused, const QString& request) {
    QStringList told;
    if (refused) {
        const std::int32_t cost = after.moves - before.moves;
        told << (cost > 0
                     ? QStringLiteral("rifiutato, %1 mosse").arg(cost)
                     : QStringLiteral("rifiutato senza costo: bloccherebbe la casella seguente"));
    }
    if (after.status != before.status) {
        told << after.status;
    }
    const bool newPiece = after.piece != before.piece;
    if (newPiece) {
        told << (after.piece ? pieceDescription(*after.piece) : noPieceDescription());
    }
    if (after.piece && (newPiece || after.fits != before.fits)) {
        told << (after.fits ? QStringLiteral("combacia") : QStringLiteral("non combacia"));
    }
    if (!request.isEmpty()) {
        told << request;
    }
    QStringList changed;
    bool allEmptied = true;
    for (int slot = 1; slot <= slotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot - 1);
        if (after.costume[i] != before.costume[i]) {
            changed << slotDescription(slot, after.costume[i]);
            allEmptied = allEmptied && !after.costume[i];
        }
    }
    // A new game empties the whole costume: one word for it, not eighteen.
    told << (changed.size() > 1 && allEmptied ? QStringList{QStringLiteral("vestito vuoto")}
                                              : changed);
    if (after.moves != before.moves) {
        told << QStringLiteral("mosse: %1").arg(after.moves);
    }
    return told.join(QStringLiteral(". "));
}

QString slotRequest(const GameState& s) {
    const int k = s.currentSlot;
    if (!onBoard(k)) {
        return QStringLiteral("il vestito è completo");
    }
    QStringList asked;
    if (!inFirstColumn(k)) {
        asked << QStringLiteral("sinistra %1").arg(colourName(s.placedRight[k - 1]));
    }
    if (!inFirstRow(k)) {
        asked << QStringLiteral("alto %1").arg(colourName(s.placedBottom[k - slotsPerRow]));
    }
    if (hasLookAhead(k)) {
        asked << QStringLiteral("destra non %1").arg(colourName(s.placedBottom[k - 5]));
    }
    return asked.isEmpty() ? QStringLiteral("la casella %1 accetta ogni rettangolo").arg(k)
                           : QStringLiteral("la casella %1 chiede %2").arg(k).arg(asked.join(", "));
}
