#include "recorder.h"

// A piece lacking a colour the slot demands is dealt again; each attempt is
// shown colour by colour, as the colours are drawn.
TEST(Deal, TakesEveryPieceThatHoldsTheColoursTheSlotDemandsAndNoOther) {
    std::vector<Piece> pieces; // all those of four different colours
    std::array<int, 5> c{9, 10, 11, 12, 13};
    do { // each order of the five colours, but for its last
        pieces.push_back({c[0], c[1], c[2], c[3]});
    } while (std::next_permutation(c.begin(), c.end()));
    const auto shown = [](Piece q) { return paints(GameView::pieceCell, q, true); };
    Player p;
    p.press(discard);
    for (int slot = 2; slot <= slotCount && !HasFatalFailure(); ++slot) {
        p.arrange();
        Board b = p.placed;
        b[slot - 1] = p.piece;
        const auto holds = [&](Piece q) { return holdsWhatTheSlotDemands(slot, b, q); };
        // Each piece offered, as the next one and then in place of it; if the
        // game must turn it down, one it must take comes after it.
        for (const Piece offered : pieces) {
            const Piece taken = holds(offered) ? offered : *std::ranges::find_if(pieces, holds);
            for (const Piece q : {offered, taken}) {
                for (const Side side : allSides) { // a number amid the colour's fifth
                    p.queued.push_back(static_cast<float>(q.colour(side) - 9 + 0.5) / 5.0f);
                }
            }
            p.press(p.slot < slot ? assign : discard);
            p.queued.resize(p.handedOut); // drop what the game did not draw
            EXPECT_EQ(p.dealt, shown(offered) + (taken == offered ? "" : shown(taken)))
                << "slot " << slot;
        }
    }
}

TEST(Deal, EachColourTakesAFifthOfTheNumbersAndATakenColourIsDrawnAgain) {
    Player p;
    p.queued = {unitFloat(0xFFFFFFFFu), 0.8f, 0.1999f, 0.2f, 0.5999f}; // at their fifths' edges
    p.press(discard);
    EXPECT_EQ(p.dealt, "draw; piece top 13; draw; draw; piece right 9; draw; piece bottom 10; "
                       "draw; piece left 11; ");
}

TEST(Deal, TheGameGeneratorStaysBelowOneAndMovesOnWithinOneClockTick) {
    ClockSeededRandom random;
    std::set<float> firsts;
    for (int i = 0; i < 1000; ++i, random.reseed()) {
        firsts.insert(random.next());
    }
    EXPECT_TRUE(*firsts.begin() >= 0.0f && *firsts.rbegin() < 1.0f);
    EXPECT_GT(firsts.size(), 990u); // many re-seeds fall inside one tick
}
