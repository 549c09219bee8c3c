#pragma once

#include "piece.h"

#include <QString>

class QWidget;

// What assistive technology reads: the same story as the eyes, in Italian.

// Sets what is read for the widget, and tells assistive technology so.
void describe(QWidget* widget, const QString& text);
// Tells assistive technology that the widget's text is news wherever the focus is.
void announce(QWidget* widget);

// "alto blu, destra verde, basso azzurro, sinistra rosso".
QString pieceDescription(Piece piece);
QString noPieceDescription();
