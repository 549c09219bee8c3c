#pragma once

#include "gamestate.h"

#include <QString>

#include <array>
#include <optional>

// What a player sees of the game at one moment, as far as a listener must
// be told when it changes: the status line, the piece on show with the
// figure's verdict, the costume's slots and the counter.
struct Scene {
    QString status;
    std::optional<Piece> piece; // none until a game's first deal
    bool fits = false;
    std::array<std::optional<Piece>, slotCount> costume{}; // slot 1 first
    std::int32_t moves = 0;
};

Scene sceneOf(const GameState& state, const QString& status, bool pieceShown, bool fits);

// What a command changed from `before` to `after`, in one utterance, most
// important first: ASSEGNA's refusal (`refused`) and what it cost, the
// status line, the piece and whether it fits, what the slot asks of a newly
// dealt piece (`request`, empty when none was dealt), the slots filled or
// emptied, the counter. Only what changed is told, and nothing when nothing
// did.
QString news(const Scene& before, const Scene& after, bool refused, const QString& request);

// What slot currentSlot asks of the piece that goes there: the colours its
// neighbours show it, and the one the look-ahead forbids on its right.
QString slotRequest(const GameState& state);
