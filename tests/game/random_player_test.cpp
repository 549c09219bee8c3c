#include "recorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

namespace {

enum class Command {
    nuovo,
    assegna,
    orario,
    anti,
    oriz,
    verti,
    sposta,
    closeAnsweredNo,
    newGameFromMenu,
    cancelLast,
    scoring,
    count
};

// A player who presses whatever the window would let them press, and who
// likes to assign a piece once the figure says it fits.
struct RandomPlayer {
    Recorder view;
    SeededDraws draws{20261206};
    Game game{view, draws};
    std::mt19937 choices{7};
    bool dealt = false;          // the piece fields hold a dealt piece
    bool waitingForPiece = true; // a new game has not dealt yet
    bool assignEnabled = false;  // what the window's ASSEGNA should be
    int completed = 0;
    int deepest = 1;

    RandomPlayer() {
        view.keepLog = false;
        game.newGame();
    }

    Command pick() {
        if (view.fits && view.assignEnabled && choices() % 2 == 0) {
            return Command::assegna;
        }
        for (;;) {
            const auto c = static_cast<Command>(choices() % static_cast<unsigned>(Command::count));
            const bool pieceCommand = c >= Command::orario && c <= Command::sposta;
            if ((c == Command::assegna && !view.assignEnabled) ||
                (pieceCommand && !view.pieceButtonsEnabled)) {
                continue; // the window keeps these buttons disabled
            }
            // Menu commands now and then, so games get played to the end.
            if ((c == Command::newGameFromMenu || c == Command::cancelLast) && choices() % 8) {
                continue;
            }
            return c;
        }
    }

    void play(Command c) {
        if (c >= Command::orario && c <= Command::sposta) {
            waitingForPiece = false; // the piece commands judge the piece too
        }
        switch (c) {
        case Command::nuovo:
            game.discardPiece();
            dealt = dealt || game.state().currentSlot <= 18;
            waitingForPiece = false;
            assignEnabled = true;
            break;
        case Command::assegna:
            game.assignPiece();
            if (game.state().currentSlot > 18) {
                assignEnabled = false;
            }
            break;
        case Command::orario:
            game.rotateClockwise();
            break;
        case Command::anti:
            game.rotateAnticlockwise();
            break;
        case Command::oriz:
            game.reflectHorizontal();
            break;
        case Command::verti:
            game.reflectVertical();
            break;
        case Command::sposta:
            game.swapTopRight();
            break;
        case Command::closeAnsweredNo:
            break; // "No" leaves everything as it was
        case Command::newGameFromMenu:
            game.newGame();
            waitingForPiece = true;
            assignEnabled = false;
            break;
        case Command::cancelLast:
            game.cancelLastPiece();
            break;
        case Command::scoring:
            game.showScoring();
            break;
        case Command::count:
            break;
        }
    }

    void check(Command c, const GameState& before) {
        const GameState& s = game.state();
        const Piece p = currentPiece(s);
        checkBoard(s, view);
        if (dealt) {
            ASSERT_TRUE(holdsFourColours(p));
        }
        if (c == Command::newGameFromMenu) {
            ASSERT_EQ(s.moveCount, 0);
        } else {
            ASSERT_GE(s.moveCount, before.moveCount);
        }
        if (c == Command::closeAnsweredNo || c == Command::scoring) {
            ASSERT_EQ(s, before);
        }
        ASSERT_EQ(view.assignEnabled, assignEnabled);
        if (!waitingForPiece) {
            ASSERT_EQ(view.fits, fitsByTheRules(s, p));
        }
        if (s.currentSlot == 19 && before.currentSlot == 18) {
            ++completed;
        }
        deepest = std::max(deepest, static_cast<int>(s.currentSlot));
    }
};

// ZANFRIA_SOAK=n plays n times as long (make soak).
int soakFactor() {
    const char* factor = std::getenv("ZANFRIA_SOAK");
    return factor ? std::max(1, std::atoi(factor)) : 1;
}

} // namespace

TEST(RandomPlayer, AMillionCommandsKeepEveryRuleOfTheBoard) {
    RandomPlayer player;
    const long commands = 1'000'000L * soakFactor();
    for (long i = 0; i < commands; ++i) {
        const Command c = player.pick();
        const GameState before = player.game.state();
        player.view.forget();
        player.play(c);
        player.check(c, before);
        ASSERT_FALSE(HasFatalFailure()) << "command " << i;
    }
    // The run went the whole way, many times.
    EXPECT_EQ(player.deepest, 19);
    EXPECT_GT(player.completed, 10);
}
