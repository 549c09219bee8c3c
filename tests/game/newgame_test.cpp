#include "recorder.h"

#include <gtest/gtest.h>

TEST(NewGame, StartsAtSlotOneWithNoMovesAndKeepsTheOldPieceAndBoardColours) {
    Table t;
    t.fillUpTo(9);
    t.game.rotateClockwise();
    const GameState before = t.state();

    t.game.newGame();

    const GameState& after = t.state();
    EXPECT_EQ(after.currentSlot, 1);
    EXPECT_EQ(after.moveCount, 0);
    EXPECT_EQ(currentPiece(after), currentPiece(before));
    EXPECT_EQ(after.placedTop, before.placedTop);
    EXPECT_EQ(after.placedRight, before.placedRight);
    EXPECT_EQ(after.placedBottom, before.placedBottom);
    EXPECT_EQ(after.placedLeft, before.placedLeft);
    EXPECT_EQ(after.colourFree, before.colourFree);
}

TEST(NewGame, ClearsTheDrawingThenLaysOutTheBoardAndAsksForTheFirstPiece) {
    Table t;
    t.fillUpTo(4);
    t.view.forget();

    t.game.newGame();

    std::vector<std::string> expected{"does not fit", "clear", "cue 101", "counter mosse: 0",
                                      "dock"};
    for (int k = 1; k <= 18; ++k) {
        expected.push_back("cell " + std::to_string(k));
    }
    expected.push_back("assign off");
    expected.push_back("piece buttons off");
    expected.push_back("status carica il primo rettangolo");
    EXPECT_EQ(t.view.log, expected);
}

TEST(NewGame, LaysEighteenAbuttingCellsInThreeRowsOfSixFromTheBoardCorner) {
    Table t;
    for (int k = 1; k <= 18; ++k) {
        const int row = (k - 1) / 6;
        const int column = (k - 1) % 6;
        const float left = 24.0f + 73.0f * static_cast<float>(column);
        const float top = 24.0f + 129.0f * static_cast<float>(row);
        const Cell& cell = t.view.cells[static_cast<std::size_t>(k)];
        SCOPED_TRACE(k);
        EXPECT_EQ(cell.shape, (Rect{left, top, 73, 129}));
        EXPECT_EQ(cell.line1, (Segment{left, top, left + 73, top + 129}));
        EXPECT_EQ(cell.line2, (Segment{left + 73, top, left, top + 129}));
        EXPECT_TRUE(cell.visible);
        EXPECT_EQ(t.game.Shape1()[static_cast<std::size_t>(k)], cell);
    }
    EXPECT_EQ(t.game.Shape1()[0], pieceCell);
}

TEST(NewGame, TwiceInARowGivesTheSameLayout) {
    Table t;
    const Shape1Set first = t.game.Shape1();
    t.game.newGame();
    EXPECT_EQ(t.game.Shape1(), first);
}

TEST(NewGame, FromTheMenuMidGameWaitsForThePieceToBeDealtAgain) {
    Table t;
    t.fillUpTo(3);
    ASSERT_TRUE(t.view.assignEnabled);
    ASSERT_TRUE(t.view.pieceButtonsEnabled);

    t.game.newGame();
    EXPECT_FALSE(t.view.assignEnabled);
    EXPECT_FALSE(t.view.pieceButtonsEnabled); // the old piece is no longer shown
    EXPECT_FALSE(t.view.fits);

    t.game.discardPiece(); // free again at slot 1
    EXPECT_TRUE(t.view.assignEnabled);
    EXPECT_TRUE(t.view.pieceButtonsEnabled);
    EXPECT_EQ(t.state().moveCount, 0);
    EXPECT_EQ(t.view.status, "assegna il primo rettangolo");
}

TEST(StatusLineDock, HugsTheBottomEdgeAtFullWidth) {
    const StatusLinePlace designed = dockStatusLine(792, 554, 65);
    EXPECT_EQ(designed.left, 0);
    EXPECT_EQ(designed.top, 489);
    EXPECT_EQ(designed.width, 792);

    const StatusLinePlace tiny = dockStatusLine(1, 1, 65);
    EXPECT_EQ(tiny.top, -64);
    EXPECT_EQ(tiny.width, 1);
}
