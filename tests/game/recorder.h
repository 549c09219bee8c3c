#pragma once

#include "game.h"
#include "texts.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

// Cell 0 is the current piece's, 1..18 the board's slots.
using Board = std::array<Piece, slotCount + 1>;

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
// Each piece command's cue and what it makes of the piece 9/10/11/12
// (top/right/bottom/left).
inline const std::array<std::pair<Cue, Piece>, 5> pieceCommands{{
    {Cue::turn, {10, 11, 12, 9}},
    {Cue::turn, {12, 9, 10, 11}},
    {Cue::mirrorLeftRight, {9, 12, 11, 10}},
    {Cue::click, {11, 10, 9, 12}},
    {Cue::click, {10, 9, 11, 12}},
}};

// A player at the window who, after every press, checks what the window
// shows, says and plays against what the rules alone predict. It stands in
// for the window and for the numbers of the deal.
struct Player final : GameView, RandomSource {
    // What the window shows; what it said and played during the last press.
    Board shown{};
    bool fits = false, assignOn = false, pieceButtonsOn = false, laidOut = false;
    std::string counter;
    std::vector<std::string> said;
    std::vector<Cue> heard;
    // Numbers for the deal: the queued ones in turn, then repeatable ones from
    // the seed; those the last press drew.
    std::vector<float> queued, drawn;
    std::size_t handedOut = 0;
    std::mt19937 numbers, choices;
    Game game{*this, *this};
    // The prediction. The piece buttons wait for each game's first piece;
    // until then no piece is judged.
    int slot = 1, moves = 0, completed = 0;
    bool pieceButtonsEnabled = false, assignEnabled = false;
    Piece piece{};
    Board placed{};

    explicit Player(std::uint32_t seed = 1) : numbers(seed), choices(~seed) { game.newGame(); }

    void showFitPicture(bool f) override { fits = f; }
    void showCounter(std::string_view t) override { counter = t; }
    void showStatus(std::string_view t) override { said.emplace_back(t); }
    void dockStatusLine() override {} // where it goes is the window's business
    void playCue(Cue cue) override { heard.push_back(cue); }
    void setAssignEnabled(bool e) override { assignOn = e; }
    void setPieceButtonsEnabled(bool e) override { pieceButtonsOn = e; }
    void clearBoard() override { std::tie(shown, laidOut) = std::tuple(Board{}, false); }
    void layOutBoard() override { laidOut = true; }
    void paintSide(std::int16_t k, Side s, ColourCode c) override { shown.at(k).setColour(s, c); }
    void wipeSlot(std::int16_t k) override { shown.at(k) = {}; }
    void reseed() override {}
    float next() override {
        if (drawn.size() > 100'000) // fail a deal that never ends, not the machine
            throw std::length_error("the deal goes on and on");
        return drawn.emplace_back(handedOut < queued.size() ? queued[handedOut++]
                                                            : unitFloat(numbers()));
    }

    bool fitting() const {
        return pieceButtonsEnabled && meetsNeighbours(slot, placed, piece) &&
               !blocksNextSlot(slot, placed, piece);
    }
    // The piece a deal for the slot makes of the numbers it drew: each is the
    // colour of its fifth, but one the piece holds already is drawn again; a
    // piece without the colours the slot demands is dealt anew. None unless
    // the last number made the first piece that holds them.
    std::optional<Piece> dealt() const {
        Piece q;
        int side = 0;
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            const int colour = firstPieceColour + static_cast<int>(5 * drawn[i]);
            if (!q.holds(colour))
                q.setColour(allSides.at(side++), colour);
            if (side == 4 && holdsWhatTheSlotDemands(slot, placed, q))
                return i + 1 == drawn.size() ? std::optional(q) : std::nullopt;
            if (side == 4)
                std::tie(q, side) = std::tuple(Piece{}, 0);
        }
        return std::nullopt;
    }

    void press(int c) {
        drawn.clear();
        said.clear();
        heard.clear();
        // The game deals for the slot, if one is left, and judges the piece.
        const bool dealing = c == discard || (c == assign && fitting());
        (game.*commands.at(c))();
        std::vector<std::string> says;
        std::vector<Cue> hears;
        if (c == discard) {
            if (slot >= 2) {
                moves += cost::discard;
                says.emplace_back(texts::discardWarning);
            }
            pieceButtonsEnabled = assignEnabled = true;
        } else if (c == assign && dealing) {
            placed[slot++] = piece;
            completed += slot > slotCount;
        } else if (c == assign) {
            const bool mismatch = slot <= 18 && !blocksNextSlot(slot, placed, piece);
            moves += mismatch ? cost::mismatch : 0;
            hears.resize(slot <= 18, Cue::refused);
        } else if (c == newGame) {
            std::tie(slot, moves, pieceButtonsEnabled, assignEnabled) =
                std::tuple(1, 0, false, false);
            says.emplace_back(texts::loadFirstPiece);
            hears = {Cue::newGame};
        } else if (c == cancelLast && slot >= 3 && slot <= 18) {
            moves += cost::cancel;
            --slot;
            says.emplace_back(texts::cancelWarning);
        } else if (c == scoring) {
            says.emplace_back(texts::scoringRules);
        } else if (c >= firstPieceCommand) {
            const auto& [cue, made] = pieceCommands.at(c - firstPieceCommand);
            moves += cost::change;
            hears = {cue};
            const Piece was = piece; // each side takes the colour the command moves into it
            for (const Side side : allSides) {
                piece.setColour(side, was.colour(allSides.at(made.colour(side) - 9)));
            }
        }
        ASSERT_EQ(drawn.empty(), !dealing || slot > slotCount);
        if (!drawn.empty()) {
            const std::array hints{texts::assignFirstPiece, texts::firstRowHint,
                                   texts::rowStartHint, texts::twoColoursHint};
            const int hint = slot == 1 ? 0 : slot <= 6 ? 1 : (slot - 1) % 6 == 0 ? 2 : 3;
            says.emplace_back(hints.at(hint));
            const std::optional<Piece> made = dealt();
            ASSERT_TRUE(made) << drawn.size() << " numbers drawn for slot " << slot;
            piece = *made;
        }
        if (c == assign && slot > slotCount) {
            says.push_back(std::string(texts::completedPrefix) + std::to_string(moves) +
                           std::string(texts::completedSuffix));
            hears.push_back(Cue::completed);
            assignEnabled = false;
        }
        ASSERT_EQ(said, says);
        ASSERT_EQ(heard, hears);
        ASSERT_EQ(counter, "mosse: " + std::to_string(moves));
        ASSERT_TRUE(laidOut);
        const GameState& s = game.state();
        for (int k = 0; k <= slotCount; ++k) {
            const Piece onShow = k == 0     ? (pieceButtonsEnabled ? piece : Piece{})
                                 : k < slot ? placed[k]
                                            : Piece{};
            ASSERT_EQ(shown[k], onShow) << "cell " << k;
            ASSERT_TRUE(k == 0 || s.placed(k) == placed[k]) << "slot " << k;
        }
        ASSERT_EQ(std::tuple(s.currentSlot, s.moveCount, s.piece(), pieceButtonsOn, assignOn, fits),
                  std::tuple(slot, moves, piece, pieceButtonsEnabled, assignEnabled, fitting()));
    }

    // Turns and mirrors the piece at random until the picture says it fits.
    void arrange() {
        for (int tries = 0; !fits && !testing::Test::HasFatalFailure(); ++tries) {
            ASSERT_LT(tries, 1000) << "no arrangement fits slot " << slot;
            press(firstPieceCommand + static_cast<int>(choices() % 5));
        }
    }
};
