#pragma once

#include "piece.h"

#include <QString>

#include <optional>

class QWidget;

// What assistive technology reads: the same story as the eyes, in Italian.

// Sets what is read for the widget beside its name. Qt tells assistive
// technology of every setting, even of the same text again: only a change
// is set.
void describe(QWidget* widget, const QString& text);

// Says `news` once, at once, wherever the focus is in `window`; nothing
// when it is empty.
void announce(QWidget* window, const QString& news);

// "blu" for colour 9, and so on for the five piece colours.
QString colourName(std::int32_t colour);
// "alto blu, destra verde, basso azzurro, sinistra rosso".
QString pieceDescription(Piece piece);
QString noPieceDescription();
// "casella 7: alto blu, ..." or "casella 7: vuota", for slots 1..18.
QString slotDescription(int slot, const std::optional<Piece>& held);
