// The game's commands on the core alone, with a view that shows nothing.
#include "game.h"
#include "rules.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

struct Blind final : GameView {
    void showFitPicture(bool) override {}
    void showCounter(std::string_view) override {}
    void showStatus(std::string_view) override {}
    void dockStatusLine() override {}
    void playCue(Cue) override {}
    void setAssignEnabled(bool) override {}
    void setPieceButtonsEnabled(bool) override {}
    void clearBoard() override {}
    void layOutBoard() override {}
    void paintSide(std::int16_t cell, Side side, ColourCode colour) override {
        benchmark::DoNotOptimize(cell + static_cast<int>(side) + colour);
    }
    void wipeSlot(std::int16_t) override {}
};

// Turns, mirrors and swaps the piece at random until it fits, then assigns it.
void placeOne(Game& game) {
    static std::minstd_rand choices;
    void (Game::*const moves[])() = {&Game::rotateClockwise, &Game::swapTopRight,
                                     &Game::reflectHorizontal};
    while (!pieceFits(game.state())) {
        (game.*moves[choices() % 3])();
    }
    game.assignPiece();
}

struct Board {
    Blind view;
    ClockSeededRandom random;
    Game game{view, random};

    explicit Board(int slot) {
        game.newGame();
        game.discardPiece();
        while (game.state().currentSlot < slot) {
            placeOne(game);
        }
    }
};

void pieceCommand(benchmark::State& state, void (Game::*command)()) {
    Board board(9);
    for (auto _ : state) {
        (board.game.*command)();
    }
}
BENCHMARK_CAPTURE(pieceCommand, rotateAnticlockwise, &Game::rotateAnticlockwise);
BENCHMARK_CAPTURE(pieceCommand, rotateClockwise, &Game::rotateClockwise);
BENCHMARK_CAPTURE(pieceCommand, reflectHorizontal, &Game::reflectHorizontal);
BENCHMARK_CAPTURE(pieceCommand, reflectVertical, &Game::reflectVertical);
BENCHMARK_CAPTURE(pieceCommand, swapTopRight, &Game::swapTopRight);
BENCHMARK_CAPTURE(pieceCommand, showScoring, &Game::showScoring);

// A discard is one penalty and one deal, so this is the deal for each kind of slot.
void discardAt(benchmark::State& state) {
    Board board(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        board.game.discardPiece();
    }
}
BENCHMARK(discardAt)->Arg(1)->Arg(2)->Arg(7)->Arg(8)->Arg(12);

void assignRefused(benchmark::State& state) {
    Board board(8);
    while (pieceFits(board.game.state())) {
        board.game.rotateClockwise();
    }
    for (auto _ : state) {
        board.game.assignPiece();
    }
}
BENCHMARK(assignRefused);

void newGame(benchmark::State& state) {
    Board board(5);
    for (auto _ : state) {
        board.game.newGame();
    }
}
BENCHMARK(newGame);

// Assignments with their deals, cancels and the turning in between.
void wholeGame(benchmark::State& state) {
    Blind view;
    ClockSeededRandom random;
    Game game{view, random};
    for (auto _ : state) {
        game.newGame();
        game.discardPiece();
        while (game.state().currentSlot <= 18) {
            placeOne(game);
        }
        game.cancelLastPiece();
    }
}
BENCHMARK(wholeGame);

} // namespace
