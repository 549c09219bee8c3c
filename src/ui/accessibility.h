#pragma once

#include "gamestate.h"

#include <QAccessible>
#include <QWidget>

#include <array>
#include <optional>

class BoardPainter;
class QLabel;

// What assistive technology finds in the window beyond what Qt's own widgets
// tell of themselves: text lines that are read as text, the board as a table,
// and a client area that holds only what is on show.

// Before the window's widgets are made: the interfaces are chosen when a
// widget is first asked for.
void installAccessibleInterfaces();

// Makes the label read as text in this role: its name and its text are what
// it shows, its line breaks read as spaces. Before the label is first shown.
void readAsText(QLabel* label, QAccessible::Role role);
// Shows the text on a label made by readAsText. New text reaches assistive
// technology as one insertion carrying it whole, besides the name change
// QLabel sends; the same text again sends nothing, as nothing changes.
void showText(QLabel& label, const QString& text);

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
    std::optional<Piece> held(int slot) const;
};
