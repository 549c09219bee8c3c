#include "recorder.h"

// Slot 1 with the piece 9/10/11/12 dealt; any arrangement fits there. The
// new arrangement itself is checked by the players.
TEST(PieceCommands, CostOneMoveAndRepaintOnlyTheChangedTrianglesBetweenTwoVerdicts) {
    for (const PieceCommand& c : pieceCommands) {
        Table d;
        d.random.deal({9, 10, 11, 12});
        d.game.discardPiece();
        // The picture goes to "does not fit" first; the verdict comes last.
        Log expected{"does not fit", "counter mosse: 1", c.cue};
        for (std::size_t side = 0; side < 4; ++side) {
            if (c.madeOf9to12.colour(allSides[side]) != 9 + static_cast<int>(side)) {
                expected.push_back(paints("piece", c.madeOf9to12)[side]);
            }
        }
        EXPECT_EQ(d.logOf(c.press), joined({expected, {"does not fit", "fits"}}));
    }
}
