#include "recorder.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

using Command = void (Game::*)();

const std::array<Command, 5> pieceCommands{&Game::rotateAnticlockwise, &Game::rotateClockwise,
                                           &Game::reflectHorizontal, &Game::reflectVertical,
                                           &Game::swapTopRight};

// The fill points of Shape1(0) at (696, 96), 73 x 129.
const Recorder::Fill top{732, 106, 0};
const Recorder::Fill right{742, 160, 0};
const Recorder::Fill bottom{732, 215, 0};
const Recorder::Fill left{706, 160, 0};

Recorder::Fill with(Recorder::Fill at, std::int32_t colour) {
    at.colour = static_cast<ColourCode>(colour);
    return at;
}

struct Dealt : Table {
    Dealt() {
        draws.dealer = nullptr;
        draws.deal({9, 10, 11, 12});
        game.discardPiece();
        view.forget();
    }
    void repeat(Command c, int times) {
        for (int i = 0; i < times; ++i) {
            (game.*c)();
        }
    }
};

} // namespace

TEST(PieceLaws, FourTurnsEitherWayGiveThePieceBackForFourMoves) {
    for (Command turn : {&Game::rotateAnticlockwise, &Game::rotateClockwise}) {
        Dealt d;
        const Piece start = currentPiece(d.state());
        d.repeat(turn, 4);
        EXPECT_EQ(currentPiece(d.state()), start);
        EXPECT_EQ(d.state().moveCount, 4);
        EXPECT_EQ(d.view.counter, "mosse: 4");
    }
}

TEST(PieceLaws, EachMirrorAndTheSwapTwiceGiveThePieceBack) {
    for (Command c : {&Game::reflectHorizontal, &Game::reflectVertical, &Game::swapTopRight}) {
        Dealt d;
        const Piece start = currentPiece(d.state());
        d.repeat(c, 2);
        EXPECT_EQ(currentPiece(d.state()), start);
        EXPECT_EQ(d.state().moveCount, 2);
    }
}

TEST(PieceLaws, ATurnAndItsOppositeGiveThePieceBack) {
    Dealt d;
    const Piece start = currentPiece(d.state());
    d.game.rotateClockwise();
    EXPECT_NE(currentPiece(d.state()), start);
    d.game.rotateAnticlockwise();
    EXPECT_EQ(currentPiece(d.state()), start);
    EXPECT_EQ(d.state().moveCount, 2);
}

TEST(PieceLaws, AllTwentyFourArrangementsAreReachableInAtMostThreeCommands) {
    Dealt d;
    std::set<std::tuple<int, int, int, int>> reached;
    const auto note = [&reached](const Game& g) {
        const Piece p = currentPiece(g.state());
        reached.insert({p.top, p.right, p.bottom, p.left});
    };
    note(d.game);
    for (Command a : pieceCommands) {
        Game one = d.game;
        (one.*a)();
        note(one);
        for (Command b : pieceCommands) {
            Game two = one;
            (two.*b)();
            note(two);
            for (Command c : pieceCommands) {
                Game three = two;
                (three.*c)();
                note(three);
            }
        }
    }
    EXPECT_EQ(reached.size(), 24u);
}

TEST(PieceCommands, MoveTheColoursRepaintOnlyChangedTrianglesAndPlayTheirCue) {
    struct Case {
        Command command;
        Piece after;
        std::vector<Recorder::Fill> repaints;
        std::int16_t cue;
    };
    // Dealt piece: top 9, right 10, bottom 11, left 12.
    const std::vector<Case> cases{
        {&Game::rotateAnticlockwise,
         {10, 11, 12, 9},
         {with(top, 10), with(right, 11), with(bottom, 12), with(left, 9)},
         106},
        {&Game::rotateClockwise,
         {12, 9, 10, 11},
         {with(top, 12), with(right, 9), with(bottom, 10), with(left, 11)},
         106},
        {&Game::reflectHorizontal, {9, 12, 11, 10}, {with(right, 12), with(left, 10)}, 105},
        {&Game::reflectVertical, {11, 10, 9, 12}, {with(top, 11), with(bottom, 9)}, 108},
        {&Game::swapTopRight, {10, 9, 11, 12}, {with(top, 10), with(right, 9)}, 108},
    };
    for (const Case& c : cases) {
        Dealt d;
        (d.game.*c.command)();
        EXPECT_EQ(currentPiece(d.state()), c.after);
        EXPECT_EQ(d.view.fills, c.repaints);
        EXPECT_EQ(d.view.cues, std::vector<std::int16_t>{c.cue});
        EXPECT_EQ(d.state().moveCount, 1);
        EXPECT_EQ(d.view.counter, "mosse: 1");
        // First the picture goes to "does not fit"; the hint decides last.
        EXPECT_EQ(d.view.log.front(), "does not fit");
    }
}
