#pragma once

#include "game.h"
#include "texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

// Slots 1..18 of the board; entry 0 is the cell of the current piece.
using Board = std::array<Piece, slotCount + 1>;

// The texts one after another: log entries and what they are expected to be.
inline std::string cat(const std::convertible_to<std::string_view> auto&... parts) {
    std::string out;
    return (out += ... += parts);
}
// One triangle painted, as the log notes it: "slot 7 top 9; ".
inline std::string paint(int cell, Side side, int colour) {
    static constexpr std::array<const char*, 4> sides{"top", "right", "bottom", "left"};
    return cat(cell == GameView::pieceCell ? "piece" : "slot " + std::to_string(cell), " ",
               sides.at(static_cast<int>(side)), " ", std::to_string(colour), "; ");
}
// `p` painted on a cell in the game's order, but for the triangles that hold
// their colour already in `was`.
inline std::string paints(int cell, Piece p, Piece was = {}) {
    std::string log;
    for (const Side side : allSides) {
        log += p.colour(side) == was.colour(side) ? "" : paint(cell, side, p.colour(side));
    }
    return log;
}

// The rules of the board written out plainly, to check the game against.
// Slot k lies in row (k - 1) / 6 and column (k - 1) % 6, counted from 0.
inline bool meetsNeighbours(int k, const Board& b, Piece p) {
    return k >= 1 && k <= 18 && ((k - 1) % 6 == 0 || p.left == b[k - 1].right) &&
           (k <= 6 || p.top == b[k - 6].bottom);
}
// The next slot's piece must show p.right on its left and b[k - 5].bottom
// on its top, and no piece shows a colour twice.
inline bool blocksNextSlot(int k, const Board& b, Piece p) {
    return k > 6 && k <= 18 && (k - 1) % 6 < 5 && p.right == b[k - 5].bottom;
}
// A dealt piece has four of the colours 9..13, and those the slot demands.
inline bool holdsWhatTheSlotDemands(int k, const Board& b, Piece p) {
    const std::set<int> has{p.top, p.right, p.bottom, p.left};
    return has.size() == 4 && *has.begin() >= 9 && *has.rbegin() <= 13 &&
           ((k - 1) % 6 == 0 || has.contains(b[k - 1].right)) &&
           (k <= 6 || has.contains(b[k - 6].bottom));
}

// The commands of the window, the piece commands last.
enum { discard, assign, newGame, cancelLast, scoring, firstPieceCommand, commandCount = 10 };
inline constexpr std::array<void (Game::*)(), commandCount> commands{
    &Game::discardPiece,    &Game::assignPiece,       &Game::newGame,
    &Game::cancelLastPiece, &Game::showScoring,       &Game::rotateAnticlockwise,
    &Game::rotateClockwise, &Game::reflectHorizontal, &Game::reflectVertical,
    &Game::swapTopRight};
// Each piece command's cue (noted by the clip's number) and what it makes of
// the piece 9/10/11/12 (top/right/bottom/left).
inline const std::array<std::pair<const char*, Piece>, 5> pieceCommands{{
    {"cue 106; ", {10, 11, 12, 9}},
    {"cue 106; ", {12, 9, 10, 11}},
    {"cue 105; ", {9, 12, 11, 10}},
    {"cue 108; ", {11, 10, 9, 12}},
    {"cue 108; ", {10, 9, 11, 12}},
}};

// A player at the window who, after every press, checks the game against what
// the rules alone predict. It stands in for the window and for the numbers of
// the deal, and notes in the log every request and every number drawn.
struct Player final : GameView, RandomSource {
    // What the screen shows.
    bool fits = false, assignOn = false, pieceButtonsOn = false;
    std::string log;
    // Numbers for the deal: the queued ones in turn, then repeatable ones from
    // the seed; those the last command drew.
    std::vector<float> queued, drawn;
    std::size_t handedOut = 0;
    std::mt19937 numbers, choices;
    Game game{*this, *this};
    // The prediction. The piece buttons wait for each game's first piece;
    // until then no piece is judged.
    int slot = 1, moves = 0, completed = 0;
    bool pieceButtonsEnabled = false;
    Piece piece{};
    Board placed{};

    explicit Player(std::uint32_t seed = 1) : numbers(seed), choices(~seed) { game.newGame(); }

    void showFitPicture(bool f) override { log += (fits = f) ? "fits; " : "does not fit; "; }
    void showCounter(std::string_view t) override { log += cat("counter ", t, "; "); }
    void showStatus(std::string_view t) override { log += cat("status ", t, "; "); }
    void dockStatusLine() override { log += "dock; "; }
    void playCue(Cue cue) override { log += cat("cue ", std::to_string(clipId(cue)), "; "); }
    void setAssignEnabled(bool e) override {
        log += (assignOn = e) ? "assign on; " : "assign off; ";
    }
    void setPieceButtonsEnabled(bool e) override {
        log += (pieceButtonsOn = e) ? "piece buttons on; " : "piece buttons off; ";
    }
    void clearBoard() override { log += "clear board; "; }
    void layOutBoard() override { log += "lay out board; "; }
    void paintSide(std::int16_t k, Side s, ColourCode c) override { log += paint(k, s, c); }
    void wipeSlot(std::int16_t k) override { log += cat("wipe slot ", std::to_string(k), "; "); }
    void reseed() override {}
    float next() override {
        if ((log += "draw; ").size() > 1'000'000) { // fail a deal that never ends, not the machine
            throw std::length_error("the deal goes on and on");
        }
        return drawn.emplace_back(handedOut < queued.size() ? queued[handedOut++]
                                                            : unitFloat(numbers()));
    }

    bool fitting() const {
        return pieceButtonsEnabled && meetsNeighbours(slot, placed, piece) &&
               !blocksNextSlot(slot, placed, piece);
    }
    // The counter, showing the moves so far.
    std::string counted() const { return cat("counter mosse: ", std::to_string(moves), "; "); }
    // The fit picture's verdict, after the picture was first set to "does not fit".
    std::string verdict() const { return fitting() ? "does not fit; fits; " : "does not fit; "; }
    // What the deal for the slot shows of the numbers it drew: each is the
    // colour of its fifth, shown at once, but one the piece holds already is
    // drawn again; the first piece that holds the colours the slot demands is
    // taken, and one that does not is dealt anew.
    std::string deal() {
        std::string shown;
        Piece q;
        int side = 0;
        for (const float x : drawn) {
            const int colour = firstPieceColour + static_cast<int>(5 * x);
            shown += "draw; ";
            if (q.holds(colour)) {
                continue;
            }
            q.setColour(allSides.at(side), colour);
            shown += paint(GameView::pieceCell, allSides.at(side), colour);
            if (++side == 4 && holdsWhatTheSlotDemands(slot, placed, q)) {
                piece = q;
                return shown;
            } else if (side == 4) {
                std::tie(q, side) = std::tuple(Piece{}, 0);
            }
        }
        return drawn.empty() ? "" : shown + "(the deal stops short) ";
    }

    void press(int c) {
        log.clear();
        drawn.clear();
        // The game deals for the slot, if one is left, and judges the piece.
        const bool dealing = c == discard || (c == assign && fitting());
        (game.*commands.at(c))();
        std::string said; // the log expected before a deal; `then`, after it
        if (c == discard) {
            moves += slot >= 2 ? cost::discard : 0;
            said = cat("assign on; piece buttons on; ",
                       slot >= 2 ? cat(counted(), "status ", texts::discardWarning, "; ") : "",
                       "does not fit; ");
            pieceButtonsEnabled = true;
        } else if (c == assign && dealing) {
            said = cat("does not fit; ", paints(slot, piece), "does not fit; ");
            placed[slot++] = piece;
            completed += slot > 18;
        } else if (c == assign) {
            const bool mismatch = slot <= 18 && !blocksNextSlot(slot, placed, piece);
            moves += mismatch ? cost::mismatch : 0;
            said = cat("does not fit; ", slot <= 18 ? "cue 102; " : "", mismatch ? counted() : "");
        } else if (c == newGame) {
            said = "does not fit; clear board; cue 101; counter mosse: 0; dock; lay out board; "
                   "assign off; piece buttons off; status carica il primo rettangolo; ";
            std::tie(slot, moves, pieceButtonsEnabled) = std::tuple(1, 0, false);
        } else if (c == cancelLast && slot >= 3 && slot <= 18) {
            moves += cost::cancel;
            --slot;
            said = cat(counted(), "status ", texts::cancelWarning, "; wipe slot ",
                       std::to_string(slot), "; ", verdict());
        } else if (c == scoring) {
            said = cat("status ", texts::scoringRules, "; ");
        } else if (c >= firstPieceCommand) {
            const auto& [cue, made] = pieceCommands.at(c - firstPieceCommand);
            moves += cost::change;
            const Piece was = piece; // each side takes the colour the command moves into it
            for (const Side side : allSides) {
                piece.setColour(side, was.colour(allSides.at(made.colour(side) - 9)));
            }
            said = cat("does not fit; ", counted(), cue, paints(GameView::pieceCell, piece, was),
                       verdict());
        }
        const std::string dealt = deal(); // takes the piece dealt
        if (dealing && slot <= 18) {
            const std::array hints{texts::assignFirstPiece, texts::firstRowHint,
                                   texts::rowStartHint, texts::twoColoursHint};
            const int hint = slot == 1 ? 0 : slot <= 6 ? 1 : (slot - 1) % 6 == 0 ? 2 : 3;
            said += cat("status ", hints.at(hint), "; ");
        }
        std::string then = dealing ? cat(slot == 1 ? "fits; " : "", verdict()) : "";
        if (c == assign && slot > 18) {
            then += cat("cue 107; status Hai completato il vestito di Zanfrino con ",
                        std::to_string(moves), " mosse; assign off; ");
        }
        ASSERT_EQ(drawn.empty(), !dealing || slot > 18) << log;
        ASSERT_EQ(log, said + dealt + then);
        const GameState& s = game.state();
        for (int k = 1; k <= slotCount; ++k) {
            ASSERT_EQ(s.placed(k), placed[k]) << "slot " << k;
        }
        ASSERT_EQ(std::tuple(s.currentSlot, s.moveCount, s.piece(), pieceButtonsOn, fits),
                  std::tuple(slot, moves, piece, pieceButtonsEnabled, fitting()));
    }

    // Turns and mirrors the piece at random until the picture says it fits.
    void arrange() {
        for (int tries = 0; !fits && !testing::Test::HasFatalFailure(); ++tries) {
            ASSERT_LT(tries, 1000) << "no arrangement fits slot " << slot;
            press(firstPieceCommand + static_cast<int>(choices() % 5));
        }
    }
};
