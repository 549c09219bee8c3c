#pragma once

#include "gamestate.h"

#include <QWidget>

#include <array>
#include <optional>

class BoardPainter;
class QAccessibleInterface;

// Stands over the board's slots for assistive technology, drawing nothing:
// a table of three rows of six cells, each read as its slot and its colours.
class BoardView final : public QWidget {
    Q_OBJECT
  public:
    BoardView(const BoardPainter& board, const GameState& state, QWidget* parent);

    // Over the slots, as they are laid out now.
    void cover();
    // Slot 1..18 where it is drawn, in this widget's pixels.
    QRect slotRect(int slot) const;
    QString slotText(int slot) const;
    // Tells assistive technology of each slot that reads differently now.
    void followGame();

  private:
    const BoardPainter& board_;
    const GameState& state_;
    // The piece in each slot when assistive technology was last told, if any:
    // comparing pieces keeps a click from building 18 sentences.
    std::array<std::optional<Piece>, slotCount> told_{};
};

// How assistive technology reads a BoardView: as a table. Nothing for other
// objects.
QAccessibleInterface* boardInterface(QObject* object);
