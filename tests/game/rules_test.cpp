#include "recorder.h"

TEST(Deal, ADiscardCostsFiveAndDealsAgainUntilThePieceHoldsTheColoursTheSlotDemands) {
    for (int slot = 2; slot <= slotCount; ++slot) {
        Table t(slot);
        const Board b = placedPieces(t.state());
        // Every piece lacking a demanded colour first, then the others.
        std::vector<Piece> offered = everyPiece();
        const auto first = std::stable_partition(offered.begin(), offered.end(), [&](Piece p) {
            return !holdsWhatTheSlotDemands(slot, b, p);
        });
        auto next = offered.begin();
        t.random.dealer = [&next] { return *next++; };
        const std::string_view hint = slot <= 6                 ? texts::firstRowHint
                                      : slot == 7 || slot == 13 ? texts::rowStartHint
                                                                : texts::twoColoursHint;
        Log expected{"assign on",        "piece buttons on",
                     "counter mosse: 5", statusOf(texts::discardWarning),
                     "does not fit",     statusOf(hint)};
        for (auto attempt = offered.begin(); attempt <= first; ++attempt) { // each one shown
            expected = joined({expected, paints("piece", *attempt)});
        }
        expected = joined(
            {expected, {"does not fit"}, fitsByTheRules(slot, b, *first) ? Log{"fits"} : Log{}});
        EXPECT_EQ(t.logOf(&Game::discardPiece), expected) << "slot " << slot;
        EXPECT_EQ(t.state().piece(), *first) << "slot " << slot;
    }
}

TEST(Deal, EachColourTakesAFifthOfTheNumbersAndATakenColourIsDrawnAgain) {
    Table t;
    // Each colour takes a fifth of [0, 1): the numbers sit at the edges of their fifths.
    t.random.queued = {unitFloat(0xFFFFFFFFu), 0.8f, 0.1999f, 0.2f, 0.5999f};
    t.game.discardPiece();
    EXPECT_EQ(t.state().piece(), (Piece{13, 9, 10, 11}));
}

TEST(Deal, TheGameGeneratorStaysBelowOneAndMovesOnWithinOneClockTick) {
    ClockSeededRandom random;
    std::set<float> firsts;
    for (int i = 0; i < 1000; ++i) {
        random.reseed();
        const float r = random.next();
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
        firsts.insert(r);
    }
    EXPECT_GT(firsts.size(), 990u); // many re-seeds fall inside one tick
}

TEST(Assign, ALookAheadRefusalOnlySoundsEvenWhenTheLeftColourIsWrongToo) {
    for (bool leftWrongToo : {false, true}) {
        Table t(8);
        const GameState& s = t.state();
        // Top and left as the neighbours want; right the colour slot 9 must show on top.
        const std::int32_t top = s.placedBottom[2], left = s.placedRight[7];
        const std::int32_t right = s.placedBottom[3];
        std::int32_t other = 9;
        while (other == top || other == left || other == right) {
            ++other;
        }
        t.random.deal(leftWrongToo ? Piece{top, right, left, other}
                                   : Piece{top, right, other, left});
        t.game.discardPiece();
        EXPECT_EQ(t.logOf(&Game::assignPiece), (Log{"does not fit", "cue refused"}));
    }
}

TEST(Assign, AColourMismatchSoundsAndCostsThreeMovesEachTime) {
    Table t(3);
    t.game.reflectHorizontal(); // the left colour goes to the right
    for (const char* counter : {"counter mosse: 4", "counter mosse: 7"}) {
        EXPECT_EQ(t.logOf(&Game::assignPiece), (Log{"does not fit", "cue refused", counter}));
    }
}

TEST(Assign, APlacedPieceIsPaintedOnItsSlotAndTheNextOneDealt) {
    Table t(2);
    const Piece p = t.state().piece();
    const Log log = t.logOf(&Game::assignPiece);
    EXPECT_EQ(log, joined({{"does not fit"},
                           paints("slot 2", p),
                           {"does not fit", statusOf(texts::firstRowHint)},
                           paints("piece", t.state().piece()),
                           {"does not fit", "fits"}}));
}

TEST(Assign, TheEighteenthPieceCompletesTheCostumeAndThenAssignOnlyRepeatsTheEnd) {
    Table t(18);
    t.game.rotateClockwise();
    t.game.rotateAnticlockwise();
    EXPECT_EQ(t.logOf(&Game::assignPiece),
              joined({{"does not fit"},
                      paints("slot 18", t.state().piece()),
                      {"does not fit", "does not fit", "cue completed",
                       "status Hai completato il vestito di Zanfrino con 2 mosse", "assign off"}}));
    EXPECT_EQ(t.logOf(&Game::discardPiece), // no piece is dealt
              (Log{"assign on", "piece buttons on", "counter mosse: 7",
                   statusOf(texts::discardWarning), "does not fit", "does not fit"}));
    EXPECT_EQ(t.logOf(&Game::assignPiece),
              (Log{"does not fit", "cue completed",
                   "status Hai completato il vestito di Zanfrino con 7 mosse", "assign off"}));
}

TEST(Cancel, StepsBackOneSlotForFiveMovesDownToTheSecondAndTellsTheTruthAboutIt) {
    Table t(5);
    const bool fits = fitsByTheRules(4, placedPieces(t.state()), t.state().piece());
    EXPECT_EQ(
        t.logOf(&Game::cancelLastPiece),
        joined({{"counter mosse: 5", statusOf(texts::cancelWarning), "wipe slot 4", "does not fit"},
                fits ? Log{"fits"} : Log{}}));
    t.game.cancelLastPiece();
    t.game.cancelLastPiece();
    EXPECT_EQ(t.logOf(&Game::cancelLastPiece), Log{}); // at slot 2 there is nothing to take back
}

// The counter charges what the player reads in the scoring text and the cancel warning.
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
