#include "recorder.h"

// The rules the game plays by are checked by the players; here, that the
// counter charges what the player reads in the scoring text and the cancel warning.
TEST(Costs, AreTheOnesThePlayerIsTold) {
    const std::array<std::string, 7> words{"zero", "una", "due", "tre", "quattro", "cinque", "sei"};
    EXPECT_EQ(texts::scoringRules,
              "ogni intervento sul rettangolo vale " + std::to_string(cost::change) +
                  " mossa; ogni errore in assegnazione equivale a " +
                  std::to_string(cost::mismatch) + " mosse;\r\nscartare un rettangolo equivale a " +
                  std::to_string(cost::discard) + " mosse!");
    EXPECT_EQ(texts::cancelWarning,
              "questo errore ti costa l'equivalente di " + words.at(cost::cancel) + " mosse");
}

// The players check every deal against the numbers it drew; here, where the
// fifths part.
TEST(Deal, EachColourTakesAFifthOfTheNumbersAndATakenColourIsDrawnAgain) {
    Player p;
    p.queued = {unitFloat(0xFFFFFFFFu), 0.8f, 0.1999f, 0.2f, 0.5999f}; // at their fifths' edges
    p.press(discard);
    EXPECT_EQ(p.piece, (Piece{13, 9, 10, 11}));
}

TEST(Deal, TheGameGeneratorStaysBelowOneAndMovesOnWithinOneClockTick) {
    ClockSeededRandom random;
    std::set<float> firsts;
    for (int i = 0; i < 1000; ++i, random.reseed())
        firsts.insert(random.next());
    EXPECT_TRUE(*firsts.begin() >= 0.0f && *firsts.rbegin() < 1.0f);
    EXPECT_GT(firsts.size(), 990u); // many re-seeds fall inside one tick
}
