#pragma once

#include "gamestate.h"
#include "piece.h"

#include <QString>

class QWidget;

// What assistive technology reads: the same story as the eyes, in Italian.

// Sets what is read for the widget beside its name. Qt tells assistive
// technology of every setting, even of the same text again: only a change
// is set.
void describe(QWidget* widget, const QString& text);

// "alto blu, destra verde, basso azzurro, sinistra rosso".
QString pieceDescription(Piece piece);
QString noPieceDescription();
// "casella 7: alto blu, ..." or "casella 7: vuota", for slots 1..18.
QString slotDescription(const GameState& state, int slot);
