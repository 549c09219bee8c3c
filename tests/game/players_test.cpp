#include "recorder.h"

#include <cstdlib>

namespace {

// Commands 5..9 are the piece commands, in the order of pieceCommands.
enum { discard, assign, newGame, cancelLast, scoring, firstPieceCommand, commandCount = 10 };

// A player at the window who, after every press, checks the game against
// what the rules alone predict.
struct Player {
    Recorder view;
    TestRandom random;
    Game game{view, random};
    std::mt19937 choices;
    // The prediction.
    int slot = 1, moves = 0, completed = 0;
    // The piece buttons wait for each game's first piece; until then the
    // piece cell is blank.
    bool assignEnabled = false, pieceButtonsEnabled = false;
    Piece piece{};
    Board placed{};

    explicit Player(std::uint32_t seed) : random(seed), choices(seed * 7919u + 1u) {
        game.newGame();
    }

    // The game dealt for the slot: take its piece if the rules allow it.
    void dealt() {
        piece = game.state().piece();
        ASSERT_TRUE(holdsWhatTheSlotDemands(slot, placed, piece));
    }

    void press(int c) {
        view.log.clear();
        if (c == discard) {
            game.discardPiece();
            assignEnabled = pieceButtonsEnabled = true;
            moves += slot >= 2 ? cost::discard : 0;
            if (slot <= 18) {
                dealt();
            }
        } else if (c == assign) {
            game.assignPiece();
            if (slot <= 18 && !blocksNextSlot(slot, placed, piece)) {
                if (!meetsNeighbours(slot, placed, piece)) {
                    moves += cost::mismatch;
                } else if (placed[slot++] = piece; slot <= 18) {
                    dealt();
                } else {
                    ++completed;
                }
            }
            assignEnabled = slot <= 18;
        } else if (c == newGame) {
            game.newGame();
            slot = 1;
            moves = 0;
            assignEnabled = pieceButtonsEnabled = false;
        } else if (c == cancelLast) {
            game.cancelLastPiece();
            if (slot >= 3 && slot <= 18) {
                moves += cost::cancel;
                --slot;
            }
        } else if (c == scoring) {
            game.showScoring(); // for no move
            ASSERT_EQ(view.log,
                      Log{"status ogni intervento sul rettangolo vale 1 mossa; ogni errore in "
                          "assegnazione equivale a 3 mosse;\r\nscartare un rettangolo "
                          "equivale a 5 mosse!"});
        } else {
            const PieceCommand& command =
                pieceCommands.at(static_cast<std::size_t>(c - firstPieceCommand));
            (game.*command.press)();
            moves += cost::change;
            piece = rearranged(piece, command);
        }
        const GameState& s = game.state();
        ASSERT_EQ(s.currentSlot, slot);
        ASSERT_EQ(s.moveCount, moves);
        ASSERT_EQ(view.counter, "mosse: " + std::to_string(moves));
        ASSERT_EQ(s.piece(), piece);
        ASSERT_EQ(placedPieces(s), placed);
        ASSERT_EQ(view.assignEnabled, assignEnabled);
        ASSERT_EQ(view.pieceButtonsEnabled, pieceButtonsEnabled);
        ASSERT_EQ(view.fits, pieceButtonsEnabled && fitsByTheRules(slot, placed, piece));
        Board shown{pieceButtonsEnabled ? piece : Piece{}};
        std::copy(placed.begin() + 1, placed.begin() + slot, shown.begin() + 1);
        ASSERT_EQ(view.cells, shown);
    }
};

} // namespace

// Turns and mirrors each piece at random until the picture says it fits,
// then assigns it: no error and no discard after the first.
TEST(HeadlessPlayer, PlaysAThousandWholeGamesToTheCompletedCostume) {
    for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
        Player p(seed);
        p.press(discard);
        while (p.slot <= slotCount && !HasFatalFailure()) {
            for (int tries = 0; !p.view.fits && !HasFatalFailure(); ++tries) {
                ASSERT_LT(tries, 1000)
                    << "no arrangement fits; seed " << seed << " slot " << p.slot;
                p.press(firstPieceCommand + static_cast<int>(p.choices() % 5));
            }
            p.press(assign);
        }
        ASSERT_FALSE(HasFailure()) << "game with seed " << seed;
        EXPECT_EQ(p.view.status, "Hai completato il vestito di Zanfrino con " +
                                     std::to_string(p.moves) + " mosse");
    }
}

// Presses whatever the window allows: once the picture says the piece fits,
// ASSEGNA half the time; a new game or a cancel only now and then, so games
// get played to the end.
TEST(RandomPlayer, AMillionCommandsFollowTheRulesAndTheCounterAlwaysAgrees) {
    Player p(20261206);
    const auto allowed = [&p](int c) {
        return c == assign             ? p.view.assignEnabled
               : c < firstPieceCommand ? (c != newGame && c != cancelLast) || p.choices() % 8 == 0
                                       : p.view.pieceButtonsEnabled;
    };
    const char* soak = std::getenv("ZANFRIA_SOAK"); // n plays n times as long (make soak)
    const long commands = 1'000'000L * (soak ? std::max(1L, std::atol(soak)) : 1L);
    for (long i = 0; i < commands; ++i) {
        int c = p.view.fits && p.choices() % 2 ? assign : -1;
        while (c < 0 || !allowed(c)) {
            c = static_cast<int>(p.choices() % commandCount);
        }
        p.press(c);
        ASSERT_FALSE(HasFatalFailure()) << "command " << i << " (" << c << ")";
    }
    EXPECT_GT(p.completed, 10); // the run went the whole way, many times
}
