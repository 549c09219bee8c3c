#pragma once

#include "game.h"
#include "texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <random>
#include <ranges>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using Log = std::vector<std::string>;

// Slots 1..18 of the board; entry 0 is the cell of the current piece.
using Board = std::array<Piece, slotCount + 1>;

inline std::string statusOf(std::string_view text) {
    return "status " + std::string(text);
}

// What the game asked the window to show and play, kept as the screen would
// hold it, and every request in game terms ("slot 7 top 9") for order checks.
struct Recorder final : GameView {
    bool fits = false, assignEnabled = false, pieceButtonsEnabled = false;
    std::string counter, status;
    Board cells{}; // colour 0 where nothing is painted
    Log log;

    template <typename T> void show(T& field, T value, std::string entry) {
        field = std::move(value);
        log.push_back(std::move(entry));
    }
    void showFitPicture(bool f) override { show(fits, f, f ? "fits" : "does not fit"); }
    void showCounter(std::string_view t) override {
        show(counter, std::string(t), "counter " + std::string(t));
    }
    void showStatus(std::string_view t) override { show(status, std::string(t), statusOf(t)); }
    void dockStatusLine() override { log.push_back("dock"); }
    void playCue(Cue cue) override {
        static constexpr std::array<const char*, cueCount> names{
            "new game", "refused", "103", "104", "mirror", "turn", "completed", "click"};
        log.push_back(std::string("cue ") + names.at(static_cast<std::size_t>(cueIndex(cue))));
    }
    void setAssignEnabled(bool e) override {
        show(assignEnabled, e, e ? "assign on" : "assign off");
    }
    void setPieceButtonsEnabled(bool e) override {
        show(pieceButtonsEnabled, e, e ? "piece buttons on" : "piece buttons off");
    }
    void clearBoard() override { show(cells, Board{}, "clear board"); }
    void layOutBoard() override { log.push_back("lay out board"); }
    void paintSide(std::int16_t cell, Side side, ColourCode colour) override {
        static constexpr std::array<const char*, 4> sides{"top", "right", "bottom", "left"};
        cells.at(static_cast<std::size_t>(cell)).setColour(side, colour);
        log.push_back((cell == pieceCell ? "piece" : "slot " + std::to_string(cell)) + " " +
                      sides.at(static_cast<std::size_t>(side)) + " " + std::to_string(colour));
    }
    void wipeSlot(std::int16_t k) override {
        show(cells.at(k), Piece{}, "wipe slot " + std::to_string(k));
    }
};

// The four requests that paint `p` on a cell, in the order the game paints.
inline Log paints(const std::string& cell, Piece p) {
    return {cell + " top " + std::to_string(p.top), cell + " right " + std::to_string(p.right),
            cell + " bottom " + std::to_string(p.bottom), cell + " left " + std::to_string(p.left)};
}

inline Log joined(std::initializer_list<Log> logs) {
    const auto all = logs | std::views::join;
    return Log(all.begin(), all.end());
}

inline Board placedPieces(const GameState& s) {
    Board b{};
    for (int k = 1; k <= slotCount; ++k) {
        b[k] = {s.placedTop[k], s.placedRight[k], s.placedBottom[k], s.placedLeft[k]};
    }
    return b;
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
inline bool fitsByTheRules(int k, const Board& b, Piece p) {
    return meetsNeighbours(k, b, p) && !blocksNextSlot(k, b, p);
}
// A dealt piece has four of the colours 9..13, and those the slot demands.
inline bool holdsWhatTheSlotDemands(int k, const Board& b, Piece p) {
    const std::set<int> has{p.top, p.right, p.bottom, p.left};
    return has.size() == 4 && *has.begin() >= 9 && *has.rbegin() <= 13 &&
           ((k - 1) % 6 == 0 || has.contains(b[k - 1].right)) &&
           (k <= 6 || has.contains(b[k - 6].bottom));
}

// Each piece command, the cue it plays, and what it makes of the piece 9/10/11/12
// (top/right/bottom/left).
using Command = void (Game::*)();
struct PieceCommand {
    Command press;
    const char* cue;
    Piece madeOf9to12;
};
inline const std::array<PieceCommand, 5> pieceCommands{{
    {&Game::rotateAnticlockwise, "cue turn", {10, 11, 12, 9}},
    {&Game::rotateClockwise, "cue turn", {12, 9, 10, 11}},
    {&Game::reflectHorizontal, "cue mirror", {9, 12, 11, 10}},
    {&Game::reflectVertical, "cue click", {11, 10, 9, 12}},
    {&Game::swapTopRight, "cue click", {10, 9, 11, 12}},
}};
// The same command on any piece: each side takes the colour of the side the
// command moves into it.
inline Piece rearranged(Piece p, const PieceCommand& c) {
    const std::array<std::int32_t, 4> was{p.top, p.right, p.bottom, p.left};
    const Piece& m = c.madeOf9to12;
    return {was.at(m.top - 9), was.at(m.right - 9), was.at(m.bottom - 9), was.at(m.left - 9)};
}

// Numbers for the deal: queued ones first; when none are left, those of the
// dealer's piece for the attempt; with no dealer, repeatable ones from the seed.
class TestRandom final : public RandomSource {
  public:
    explicit TestRandom(std::uint32_t seed = 1) : engine(seed) {}
    std::function<Piece()> dealer;
    std::deque<float> queued;
    std::mt19937 engine;

    // The numbers the deal turns into the piece's colours.
    void deal(Piece p) {
        for (Side s : allSides) {
            queued.push_back((static_cast<float>(p.colour(s) - 9) + 0.5f) / 5.0f);
        }
    }
    void reseed() override {
        if (dealer && queued.empty()) {
            deal(dealer());
        }
    }
    float next() override {
        if (queued.empty()) {
            return unitFloat(engine());
        }
        const float r = queued.front();
        queued.pop_front();
        return r;
    }
};

// The 120 pieces of four different colours, in a fixed order.
inline std::vector<Piece> everyPiece() {
    std::vector<Piece> all;
    std::array<int, 5> c{9, 10, 11, 12, 13};
    do { // each order of the five colours leaves out its last
        all.push_back({c[0], c[1], c[2], c[3]});
    } while (std::next_permutation(c.begin(), c.end()));
    return all;
}

// A new game with a recorder and a dealer that deals every piece ready to
// fit, played on until `slot`, if any, is the next to fill. Where the dealer's
// search starts moves with the slot, so the board gets some variety.
struct Table {
    Recorder view;
    TestRandom random;
    Game game{view, random};

    explicit Table(int slot = 0) {
        random.dealer = [this] {
            const int k = state().currentSlot;
            const std::vector<Piece> pieces = everyPiece();
            for (std::size_t n = 0; n < pieces.size(); ++n) {
                const Piece p = pieces.at((n + 37u * static_cast<std::size_t>(k)) % 120);
                if (fitsByTheRules(k, placedPieces(state()), p)) {
                    return p;
                }
            }
            throw std::logic_error("no piece fits slot " + std::to_string(k));
        };
        game.newGame();
        if (slot > 0) {
            game.discardPiece();
        }
        for (int tries = 0; tries < 100 && state().currentSlot < slot; ++tries) {
            game.assignPiece(); // a game that refuses fitting pieces stops short
        }
    }
    const GameState& state() const { return game.state(); }

    // What one command asks of the view.
    Log logOf(Command command) {
        view.log.clear();
        (game.*command)();
        return view.log;
    }
};
