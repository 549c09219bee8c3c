#pragma once

#include "draws.h"
#include "game.h"
#include "gameview.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

// What the game asked the window to show and play, kept as the screen
// would hold it, plus the full sequence of requests for order checks.
struct Recorder final : GameView {
    struct Fill {
        int x;
        int y;
        ColourCode colour;
        friend bool operator==(const Fill&, const Fill&) = default;
        friend std::ostream& operator<<(std::ostream& out, const Fill& f) {
            return out << "fill at (" << f.x << ", " << f.y << ") colour " << f.colour;
        }
    };

    bool fits = false;
    std::string counter;
    std::string status;
    bool assignEnabled = false;
    bool pieceButtonsEnabled = false;
    std::vector<std::int16_t> cues;
    std::vector<Fill> fills;
    std::array<Cell, 19> cells{};
    std::vector<std::int16_t> wiped;
    std::vector<std::string> log;
    bool keepLog = true; // long random runs turn it off

    void note(std::string entry) {
        if (keepLog) {
            log.push_back(std::move(entry));
        }
    }

    void showFitPicture(bool f) override {
        fits = f;
        note(f ? "fits" : "does not fit");
    }
    void showCounter(std::string_view text) override {
        counter = text;
        note("counter " + counter);
    }
    void showStatus(std::string_view text) override {
        status = text;
        note("status " + status);
    }
    void dockStatusLine() override { note("dock"); }
    void playCue(std::int16_t id) override {
        cues.push_back(id);
        note("cue " + std::to_string(id));
    }
    void setAssignEnabled(bool enabled) override {
        assignEnabled = enabled;
        note(enabled ? "assign on" : "assign off");
    }
    void setPieceButtonsEnabled(bool enabled) override {
        pieceButtonsEnabled = enabled;
        note(enabled ? "piece buttons on" : "piece buttons off");
    }
    void clearSurface() override {
        fills.clear();
        note("clear");
    }
    void placeCell(std::int16_t index, const Cell& cell) override {
        cells[static_cast<std::size_t>(index)] = cell;
        note("cell " + std::to_string(index));
    }
    void wipeCell(std::int16_t index) override {
        wiped.push_back(index);
        note("wipe " + std::to_string(index));
    }
    void floodFill(int x, int y, ColourCode colour) override {
        fills.push_back({x, y, colour});
        if (keepLog) {
            note("fill " + std::to_string(x) + "," + std::to_string(y) + " " +
                 std::to_string(colour));
        }
    }

    void forget() {
        cues.clear();
        fills.clear();
        wiped.clear();
        log.clear();
    }
};

// A piece as its four sides, top, right, bottom, left.
struct Piece {
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    std::int32_t left;
    friend bool operator==(const Piece&, const Piece&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Piece& p) {
        return out << "piece " << p.top << "/" << p.right << "/" << p.bottom << "/" << p.left;
    }
};

inline Piece currentPiece(const GameState& s) {
    return {s.pieceTop, s.pieceRight, s.pieceBottom, s.pieceLeft};
}

// The draw that makes the deal pick colour `code` (9..13).
inline float drawFor(std::int32_t code) {
    return (static_cast<float>(code - 9) + 0.5f) / 5.0f;
}

// Draws chosen by the test: a dealer is asked for every attempt at a piece
// and answers with the piece to deal, or queued draws are used in order.
class ScriptedDraws final : public DrawSource {
  public:
    std::function<Piece()> dealer;
    std::deque<float> queued;
    int reseeds = 0;

    void deal(Piece p) {
        for (std::int32_t side : {p.top, p.right, p.bottom, p.left}) {
            queued.push_back(drawFor(side));
        }
    }
    void reseed() override {
        ++reseeds;
        if (dealer && queued.empty()) {
            deal(dealer());
        }
    }
    float next() override {
        if (queued.empty()) {
            throw std::logic_error("the deal asked for more draws than the test scripted");
        }
        const float r = queued.front();
        queued.pop_front();
        return r;
    }
};

// Deterministic draws, so a failing game can be replayed from its seed.
class SeededDraws final : public DrawSource {
  public:
    explicit SeededDraws(std::uint32_t seed) : engine_(seed) {}
    void reseed() override {}
    float next() override { return unitFloat(engine_()); }

  private:
    std::mt19937 engine_;
};

// The rules of the board written out plainly, to check the game against.
inline bool fitsByTheRules(const GameState& s, Piece p) {
    const int k = s.currentSlot;
    if (k < 1 || k > 18) {
        return false;
    }
    const int column = (k - 1) % 6 + 1;
    const int row = (k - 1) / 6 + 1;
    if (column > 1 && p.left != s.placedRight[k - 1]) {
        return false;
    }
    if (row > 1 && p.top != s.placedBottom[k - 6]) {
        return false;
    }
    if (row > 1 && column < 6 && p.right == s.placedBottom[k - 5]) {
        return false;
    }
    return true;
}

// Four different colours of 9..13.
inline bool holdsFourColours(Piece p) {
    const std::array<std::int32_t, 4> sides{p.top, p.right, p.bottom, p.left};
    for (std::size_t i = 0; i < 4; ++i) {
        if (sides[i] < 9 || sides[i] > 13) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (sides[i] == sides[j]) {
                return false;
            }
        }
    }
    return true;
}

// What holds after every command: the slot in range, the counter showing
// the moves, and every placed piece meeting its left and upper neighbours.
inline void checkBoard(const GameState& s, const Recorder& view) {
    ASSERT_GE(s.currentSlot, 1);
    ASSERT_LE(s.currentSlot, 19);
    ASSERT_EQ(view.counter, "mosse: " + std::to_string(s.moveCount));
    for (int k = 2; k < s.currentSlot; ++k) {
        if ((k - 1) % 6 != 0) {
            ASSERT_EQ(s.placedLeft[k], s.placedRight[k - 1]) << "slot " << k;
        }
        if (k > 6) {
            ASSERT_EQ(s.placedTop[k], s.placedBottom[k - 6]) << "slot " << k;
        }
    }
}

// A piece for the current slot that fits as dealt, using the lowest free colours.
inline Piece fittingPiece(const GameState& s) {
    const int k = s.currentSlot;
    const int column = (k - 1) % 6 + 1;
    const int row = (k - 1) / 6 + 1;
    Piece p{0, 0, 0, 0};
    if (column > 1) {
        p.left = s.placedRight[k - 1];
    }
    if (row > 1) {
        p.top = s.placedBottom[k - 6];
    }
    const auto used = [&p](std::int32_t c) {
        return p.top == c || p.right == c || p.bottom == c || p.left == c;
    };
    const std::int32_t avoid = (row > 1 && column < 6) ? s.placedBottom[k - 5] : 0;
    // Start the search at a colour that moves with the slot, so the board
    // gets some variety.
    for (std::int32_t* side : {&p.top, &p.left, &p.right, &p.bottom}) {
        if (*side != 0) {
            continue;
        }
        for (int i = 0; i < 5; ++i) {
            const std::int32_t c = 9 + (i + 2 * k) % 5;
            if (!used(c) && !(side == &p.right && c == avoid)) {
                *side = c;
                break;
            }
        }
    }
    return p;
}

// A game with a recorder and a dealer that, unless told otherwise, deals
// every piece ready to fit.
struct Table {
    Recorder view;
    ScriptedDraws draws;
    Game game{view, draws};

    Table() {
        draws.dealer = [this] { return fittingPiece(game.state()); };
        game.newGame();
    }
    const GameState& state() const { return game.state(); }

    // Places pieces until `slot` is the next to fill.
    void fillUpTo(int slot) {
        if (state().currentSlot == 1) {
            game.discardPiece();
        }
        while (state().currentSlot < slot) {
            game.assignPiece();
        }
    }
};
