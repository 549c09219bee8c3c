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
// their colour already in `was`; when `dealt`, each colour as soon as it is drawn.
inline std::string paints(int cell, Piece p, bool dealt = false, Piece was = {}) {
    std::string log;
    for (const Side side : allSides) {
        log += p.colour(side) == was.colour(side)
                   ? ""
                   : cat(dealt ? "draw; " : "", paint(cell, side, p.colour(side)));
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

// The commands of the window; the piece commands come last, each with its cue
// (noted by the clip's number) and what it makes of the piece 9/10/11/12
// (top/right/bottom/left).
enum { discard, assign, newGame, cancelLast, scoring, firstPieceCommand, commandCount = 10 };
inline const std::array<std::tuple<void (Game::*)(), const char*, Piece>, 5> pieceCommands{{
    {&Game::rotateAnticlockwise, "cue 106; ", {10, 11, 12, 9}},
    {&Game::rotateClockwise, "cue 106; ", {12, 9, 10, 11}},
    {&Game::reflectHorizontal, "cue 105; ", {9, 12, 11, 10}},
    {&Game::reflectVertical, "cue 108; ", {11, 10, 9, 12}},
    {&Game::swapTopRight, "cue 108; ", {10, 9, 11, 12}},
}};

// A player at the window who, after every press, checks the game against what
// the rules alone predict. It stands in for the window and for the numbers of
// the deal, and notes in the log every request and every number drawn.
struct Player final : GameView, RandomSource {
    // What the screen shows.
    bool fits = false, assignOn = false, pieceButtonsOn = false;
    std::string counter, log, dealt; // dealt: what the last deal asked of the view
    // Numbers for the deal: the queued ones in turn, then repeatable ones from the seed.
    std::vector<float> queued;
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

    template <typename T> void show(T& field, T value, const std::string& entry) {
        field = std::move(value);
        log += entry + "; ";
    }
    void showFitPicture(bool f) override { show(fits, f, f ? "fits" : "does not fit"); }
    void showCounter(std::string_view t) override { show(counter, std::string(t), "counter"); }
    void showStatus(std::string_view t) override { log += cat("status ", t, "; "); }
    void dockStatusLine() override { log += "dock; "; }
    void playCue(Cue cue) override { log += cat("cue ", std::to_string(clipId(cue)), "; "); }
    void setAssignEnabled(bool e) override { show(assignOn, e, e ? "assign on" : "assign off"); }
    void setPieceButtonsEnabled(bool e) override {
        show(pieceButtonsOn, e, e ? "piece buttons on" : "piece buttons off");
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
        return handedOut < queued.size() ? queued[handedOut++] : unitFloat(numbers());
    }

    bool fitting() const {
        return pieceButtonsEnabled && meetsNeighbours(slot, placed, piece) &&
               !blocksNextSlot(slot, placed, piece);
    }
    // The fit picture's verdict, after the picture was first set to "does not fit".
    std::string verdict() const { return fitting() ? "does not fit; fits; " : "does not fit; "; }

    void press(int c) {
        log.clear();
        std::string said;     // the log expected before a deal; `then`, after it
        bool dealing = false; // the game deals for the slot, if one is left, and judges the piece
        if (c == discard) {
            game.discardPiece();
            said = cat("assign on; piece buttons on; ",
                       slot >= 2 ? cat("counter; status ", texts::discardWarning, "; ") : "",
                       "does not fit; ");
            moves += slot >= 2 ? cost::discard : 0;
            pieceButtonsEnabled = dealing = true;
        } else if (c == assign && fitting()) {
            game.assignPiece();
            said = cat("does not fit; ", paints(slot, piece), "does not fit; ");
            placed[slot++] = piece;
            completed += slot > 18;
            dealing = true;
        } else if (c == assign) {
            game.assignPiece();
            const bool mismatch = slot <= 18 && !blocksNextSlot(slot, placed, piece);
            moves += mismatch ? cost::mismatch : 0;
            said =
                cat("does not fit; ", slot <= 18 ? "cue 102; " : "", mismatch ? "counter; " : "");
        } else if (c == newGame) {
            game.newGame();
            said = "does not fit; clear board; cue 101; counter; dock; lay out board; "
                   "assign off; piece buttons off; status carica il primo rettangolo; ";
            std::tie(slot, moves, pieceButtonsEnabled) = std::tuple(1, 0, false);
        } else if (c == cancelLast) {
            game.cancelLastPiece();
            if (slot >= 3 && slot <= 18) {
                moves += cost::cancel;
                --slot;
                said = cat("counter; status ", texts::cancelWarning, "; wipe slot ",
                           std::to_string(slot), "; ", verdict());
            }
        } else if (c == scoring) {
            game.showScoring();
            said = cat("status ", texts::scoringRules, "; ");
        } else {
            const auto& [command, cue, made] = pieceCommands.at(c - firstPieceCommand);
            (game.*command)();
            moves += cost::change;
            const Piece was = piece; // each side takes the colour the command moves into it
            for (const Side side : allSides) {
                piece.setColour(side, was.colour(allSides.at(made.colour(side) - 9)));
            }
            said = cat("does not fit; counter; ", cue,
                       paints(GameView::pieceCell, piece, false, was), verdict());
        }
        if (dealing && slot <= 18) {
            piece = game.state().piece();
            ASSERT_TRUE(holdsWhatTheSlotDemands(slot, placed, piece));
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
        const std::size_t around = said.size() + then.size();
        dealt = log.size() > around ? log.substr(said.size(), log.size() - around) : "";
        ASSERT_EQ(log, said + dealt + then);
        ASSERT_EQ(dealt.empty(), !dealing || slot > 18) << log;
        const GameState& s = game.state();
        for (int k = 1; k <= slotCount; ++k) {
            ASSERT_EQ(s.placed(k), placed[k]) << "slot " << k;
        }
        ASSERT_EQ(std::tuple(s.currentSlot, s.moveCount, s.piece(), counter, pieceButtonsOn, fits),
                  std::tuple(slot, moves, piece, "mosse: " + std::to_string(moves),
                             pieceButtonsEnabled, fitting()));
    }

    // Turns and mirrors the piece at random until the picture says it fits.
    void arrange() {
        for (int tries = 0; !fits && !testing::Test::HasFatalFailure(); ++tries) {
            ASSERT_LT(tries, 1000) << "no arrangement fits slot " << slot;
            press(firstPieceCommand + static_cast<int>(choices() % 5));
        }
    }
};
