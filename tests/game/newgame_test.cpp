#include "recorder.h"

// The state and the board shown afterwards are checked by the players.
TEST(NewGame, ClearsTheScreenThenWaitsForAFirstPieceThatIsFreeAndFits) {
    Table t(9);
    t.game.rotateClockwise();
    EXPECT_EQ(t.logOf(&Game::newGame),
              (Log{"does not fit", "clear board", "cue new game", "counter mosse: 0", "dock",
                   "lay out board", "assign off", "piece buttons off",
                   "status carica il primo rettangolo"}));
    for (int i = 0; i < 2; ++i) { // no counter: discarding at slot 1 costs nothing
        const Log log = t.logOf(&Game::discardPiece);
        EXPECT_EQ(log, joined({{"assign on", "piece buttons on", "does not fit",
                                statusOf(texts::assignFirstPiece)},
                               paints("piece", t.state().piece()),
                               {"fits", "does not fit", "fits"}}));
    }
}
