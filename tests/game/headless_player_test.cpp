#include "recorder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Whether some arrangement of the piece's four colours fits the slot.
bool someArrangementFits(const GameState& s, Piece p) {
    std::array<std::int32_t, 4> sides{p.top, p.right, p.bottom, p.left};
    std::sort(sides.begin(), sides.end());
    do {
        if (fitsByTheRules(s, {sides[0], sides[1], sides[2], sides[3]})) {
            return true;
        }
    } while (std::next_permutation(sides.begin(), sides.end()));
    return false;
}

struct Player {
    Recorder view;
    SeededDraws draws;
    Game game{view, draws};
    std::mt19937 choices;
    int checks = 0;

    explicit Player(std::uint32_t seed) : draws(seed), choices(seed * 7919u + 1u) {}

    void check(std::int32_t movesBefore) {
        const GameState& s = game.state();
        const Piece p = currentPiece(s);
        ASSERT_TRUE(holdsFourColours(p));
        ASSERT_GE(s.moveCount, movesBefore);
        ASSERT_EQ(view.fits, fitsByTheRules(s, p));
        checkBoard(s, view);
        ++checks;
    }

    void playOneGame() {
        game.newGame();
        game.discardPiece();
        check(0);
        while (game.state().currentSlot <= 18) {
            ASSERT_TRUE(someArrangementFits(game.state(), currentPiece(game.state())));
            // Turn and mirror until the picture says it fits, then assign.
            int tries = 0;
            while (!view.fits) {
                const std::int32_t before = game.state().moveCount;
                switch (std::uniform_int_distribution<int>(0, 4)(choices)) {
                case 0:
                    game.rotateAnticlockwise();
                    break;
                case 1:
                    game.rotateClockwise();
                    break;
                case 2:
                    game.reflectHorizontal();
                    break;
                case 3:
                    game.reflectVertical();
                    break;
                default:
                    game.swapTopRight();
                    break;
                }
                check(before);
                ASSERT_LT(++tries, 1000) << "the piece never fitted";
            }
            const std::int32_t before = game.state().moveCount;
            const std::int16_t slot = game.state().currentSlot;
            game.assignPiece();
            ASSERT_EQ(game.state().currentSlot, slot + 1);
            ASSERT_EQ(game.state().moveCount, before);
            if (game.state().currentSlot <= 18) {
                check(before);
            }
        }
        ASSERT_EQ(view.status, "Hai completato il vestito di Zanfrino con " +
                                   std::to_string(game.state().moveCount) + " mosse");
        ASSERT_FALSE(view.assignEnabled);
    }
};

} // namespace

TEST(HeadlessPlayer, PlaysAThousandWholeGamesWithEveryInvariantKept) {
    for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
        Player player(seed);
        player.playOneGame();
        ASSERT_FALSE(HasFatalFailure()) << "game with seed " << seed;
        ASSERT_GT(player.checks, 18);
    }
}
