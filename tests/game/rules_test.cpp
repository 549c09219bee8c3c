#include "recorder.h"

#include "texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// Left and top as the neighbours want, right on the look-ahead colour.
Piece lookAheadTrap(const GameState& s) {
    const int k = s.currentSlot;
    Piece p{s.placedBottom[k - 6], s.placedBottom[k - 5], 0,
            (k - 1) % 6 == 0 ? 0 : s.placedRight[k - 1]};
    for (std::int32_t c = 9; c <= 13 && (p.bottom == 0 || p.left == 0); ++c) {
        if (c != p.top && c != p.right && c != p.bottom && c != p.left) {
            (p.left == 0 ? p.left : p.bottom) = c;
        }
    }
    return p;
}

// The piece with its empty (0) sides given free colours, lowest first, the
// top never `notTop`, the left never `notLeft`, the right never `notRight`.
Piece completed(Piece p, std::int32_t notTop, std::int32_t notLeft, std::int32_t notRight) {
    const auto used = [&p](std::int32_t c) {
        return p.top == c || p.right == c || p.bottom == c || p.left == c;
    };
    for (auto [side, banned] : {std::pair{&p.top, notTop}, std::pair{&p.left, notLeft},
                                std::pair{&p.right, notRight}, std::pair{&p.bottom, 0}}) {
        for (std::int32_t c = 9; c <= 13 && *side == 0; ++c) {
            if (!used(c) && c != banned) {
                *side = c;
            }
        }
    }
    return p;
}

bool allDistinct(Piece p) {
    return p.top != p.right && p.top != p.bottom && p.top != p.left && p.right != p.bottom &&
           p.right != p.left && p.bottom != p.left;
}

// Fills the board up to `slot`, then deals `piece` there instead of a fitting one.
void dealAt(Table& t, int slot, Piece piece) {
    auto fitting = t.draws.dealer;
    t.draws.dealer = [&t, slot, piece, fitting] {
        return t.state().currentSlot == slot ? piece : fitting();
    };
    t.fillUpTo(slot);
}

std::string hintFor(int slot) {
    if (slot == 1) {
        return std::string(texts::assignFirstPiece);
    }
    if (slot <= 6) {
        return std::string(texts::firstRowHint);
    }
    if (slot == 7 || slot == 13) {
        return std::string(texts::rowStartHint);
    }
    return std::string(texts::twoColoursHint);
}

} // namespace

TEST(Deal, TheFirstSlotTakesTheFirstPieceAndShowsItFits) {
    Table t;
    t.game.discardPiece();
    EXPECT_EQ(t.draws.reseeds, 1);
    EXPECT_EQ(t.view.status, texts::assignFirstPiece);
    EXPECT_TRUE(t.view.fits);
    EXPECT_EQ(t.view.fills.size(), 4u);
    EXPECT_TRUE(allDistinct(currentPiece(t.state())));
}

TEST(Deal, EveryKindOfSlotGetsItsOwnHint) {
    for (int slot = 2; slot <= 18; ++slot) {
        Table t;
        t.fillUpTo(slot);
        EXPECT_EQ(t.view.status, hintFor(slot)) << "slot " << slot;
    }
}

namespace {

// The colours of 9..13 that are none of `taken`, lowest first.
std::vector<std::int32_t> others(std::initializer_list<std::int32_t> taken) {
    std::vector<std::int32_t> rest;
    for (std::int32_t c = 9; c <= 13; ++c) {
        if (std::find(taken.begin(), taken.end(), c) == taken.end()) {
            rest.push_back(c);
        }
    }
    return rest;
}

std::function<Piece()> inTurn(std::vector<Piece> pieces) {
    return [pieces, next = std::size_t{0}]() mutable { return pieces.at(next++); };
}

} // namespace

TEST(Deal, RetriesUntilTheLeftAndUpperColoursAreBothInThePiece) {
    Table t;
    t.fillUpTo(8);
    const std::int32_t left = t.state().placedRight[7];
    const std::int32_t above = t.state().placedBottom[2];
    ASSERT_NE(left, above); // the look-ahead at slot 7 keeps them apart
    const auto o = others({left, above});
    const Piece noLeft{above, o[0], o[1], o[2]};
    const Piece noAbove{left, o[0], o[1], o[2]};
    const Piece both{above, o[0], left, o[1]}; // even on opposite sides
    t.draws.dealer = inTurn({noLeft, noAbove, both});
    const int reseeds = t.draws.reseeds;
    t.view.forget();

    t.game.discardPiece();

    EXPECT_EQ(t.draws.reseeds - reseeds, 3);
    EXPECT_EQ(currentPiece(t.state()), both);
    EXPECT_EQ(t.view.fills.size(), 12u); // every attempt shows in Shape1(0)
    const auto statusWrites =
        std::count_if(t.view.log.begin(), t.view.log.end(),
                      [](const std::string& e) { return e.starts_with("status"); });
    EXPECT_EQ(statusWrites, 2); // the discard warning, then the hint once
    EXPECT_EQ(t.view.status, texts::twoColoursHint);
}

TEST(Deal, AtARowStartOnlyTheUpperColourIsDemanded) {
    for (int slot : {7, 13}) {
        Table t;
        t.fillUpTo(slot);
        const std::int32_t above = t.state().placedBottom[slot - 6];
        const std::int32_t lookAhead = t.state().placedBottom[slot - 5];
        const auto o = others({above, lookAhead});
        const Piece noAbove{o[0], o[1], o[2], lookAhead};
        // Holds the upper colour; its right side repeats the look-ahead
        // colour (when that differs), which the deal does not look at.
        const Piece withAbove = above != lookAhead ? Piece{above, lookAhead, o[0], o[1]}
                                                   : Piece{above, o[0], o[1], o[2]};
        t.draws.dealer = inTurn({noAbove, withAbove});
        const int reseeds = t.draws.reseeds;

        t.game.discardPiece();

        EXPECT_EQ(t.draws.reseeds - reseeds, 2) << "slot " << slot;
        EXPECT_EQ(currentPiece(t.state()), withAbove);
        EXPECT_FALSE(t.view.fits && above != lookAhead);
    }
}

TEST(Deal, TheLargestDrawStillGivesAPieceColour) {
    EXPECT_LT(unitFloat(0xFFFFFFFFu), 1.0f);
    Table t;
    t.draws.dealer = nullptr;
    t.draws.queued = {unitFloat(0xFFFFFFFFu), 0.0f, 0.25f, 0.5f};
    t.game.discardPiece();
    EXPECT_EQ(currentPiece(t.state()), (Piece{13, 9, 10, 11}));
}

TEST(Deal, TheGameGeneratorStaysBelowOneAndMovesOnWithinOneClockTick) {
    ClockSeededDraws draws;
    std::set<float> firstDraws;
    for (int i = 0; i < 1000; ++i) {
        draws.reseed();
        const float r = draws.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        firstDraws.insert(r);
    }
    // A thousand re-seeds in a row, many inside one tick, must not repeat.
    EXPECT_GT(firstDraws.size(), 990u);
}

TEST(Assign, ALookAheadRefusalSoundsButCostsAndChangesNothing) {
    Table t;
    t.fillUpTo(9);
    const Piece trap = lookAheadTrap(t.state());
    ASSERT_TRUE(allDistinct(trap));
    Table u;
    dealAt(u, 9, trap);
    const GameState before = u.state();
    const std::string status = u.view.status;
    const std::string counter = u.view.counter;
    EXPECT_FALSE(u.view.fits);
    u.view.forget();

    u.game.assignPiece();

    EXPECT_EQ(u.view.cues, std::vector<std::int16_t>{102});
    EXPECT_EQ(u.state(), before);
    EXPECT_EQ(u.view.status, status);
    EXPECT_EQ(u.view.counter, counter);
    EXPECT_TRUE(u.view.fills.empty());
    EXPECT_FALSE(u.view.fits);
    EXPECT_TRUE(u.view.assignEnabled);
}

TEST(Assign, TheLookAheadComesFirstSoAPieceFailingBothCostsNothing) {
    Table t;
    t.fillUpTo(10);
    Piece trap = lookAheadTrap(t.state());
    std::swap(trap.left, trap.bottom); // now the left colour is wrong too
    Table u;
    dealAt(u, 10, trap);
    u.view.forget();

    u.game.assignPiece();

    EXPECT_EQ(u.view.cues, std::vector<std::int16_t>{102});
    EXPECT_EQ(u.state().moveCount, 0);
    EXPECT_EQ(u.state().currentSlot, 10);
}

TEST(Assign, TheLookAheadGuardsExactlyTheSlotsWithARowAboveAndARightNeighbour) {
    int guardedSeen = 0;
    int freeSeen = 0;
    for (int slot = 7; slot <= 18; ++slot) {
        Table t;
        t.fillUpTo(slot);
        const Piece trap = lookAheadTrap(t.state());
        if (!allDistinct(trap)) {
            continue; // right would repeat the top: no such piece here
        }
        ++(slot == 12 || slot == 18 ? freeSeen : guardedSeen);
        Table u;
        dealAt(u, slot, trap);
        u.game.assignPiece();
        const bool guarded = slot != 12 && slot != 18;
        EXPECT_EQ(u.state().currentSlot, guarded ? slot : slot + 1) << "slot " << slot;
        EXPECT_EQ(u.state().moveCount, 0) << "slot " << slot;
    }
    EXPECT_GE(guardedSeen, 5); // the board this dealer builds allows most traps
    EXPECT_GE(freeSeen, 1);
}

TEST(Assign, AColourMismatchSoundsAndCostsThreeMovesEachTime) {
    Table t;
    t.fillUpTo(3);
    t.game.reflectHorizontal(); // the left colour goes to the right
    ASSERT_FALSE(t.view.fits);
    const std::string status = t.view.status;
    t.view.forget();

    for (int i = 0; i < 3; ++i) {
        t.game.assignPiece();
    }

    EXPECT_EQ(t.view.cues, (std::vector<std::int16_t>{102, 102, 102}));
    EXPECT_EQ(t.state().moveCount, 1 + 9);
    EXPECT_EQ(t.view.counter, "mosse: 10");
    EXPECT_EQ(t.view.status, status);
    EXPECT_EQ(t.state().currentSlot, 3);
    EXPECT_FALSE(t.view.fits);
}

TEST(Assign, AtSlotsWithTwoNeighboursMatchingOnlyOneIsAMismatch) {
    Table t;
    t.fillUpTo(8);
    const std::int32_t left = t.state().placedRight[7];
    const std::int32_t above = t.state().placedBottom[2];
    const std::int32_t lookAhead = t.state().placedBottom[3];
    // The left neighbour met and the top not, then the other way round;
    // the right side never on the look-ahead colour.
    const Piece leftOnly = completed({0, 0, 0, left}, above, 0, lookAhead);
    const Piece topOnly = completed({above, 0, 0, 0}, 0, left, lookAhead);
    for (const Piece& p : {leftOnly, topOnly}) {
        ASSERT_TRUE(allDistinct(p)) << p;
        Table u;
        dealAt(u, 8, p);
        u.game.assignPiece();
        EXPECT_EQ(u.state().currentSlot, 8) << p;
        EXPECT_EQ(u.state().moveCount, 3) << p;
    }
}

TEST(Assign, AtARowStartOnlyTheTopIsComparedWithANeighbour) {
    Table t;
    t.fillUpTo(7);
    const std::int32_t above = t.state().placedBottom[1];
    const std::int32_t lookAhead = t.state().placedBottom[2];
    const std::int32_t endOfRowAbove = t.state().placedRight[6];
    // A left colour that slot 6 would reject: slot 7 is no neighbour of it.
    const auto o = others({above, lookAhead, endOfRowAbove});
    const auto rest = others({above, o[0]});
    const std::int32_t right = rest[0] != lookAhead ? rest[0] : rest[1];
    const std::int32_t bottom = rest[0] != lookAhead ? rest[1] : rest[0];
    const Piece p{above, right, bottom, o[0]};
    ASSERT_TRUE(allDistinct(p));
    Table u;
    dealAt(u, 7, p);
    EXPECT_TRUE(u.view.fits);
    u.game.assignPiece();
    EXPECT_EQ(u.state().currentSlot, 8);
    EXPECT_EQ(u.state().moveCount, 0);
}

TEST(Assign, APlacedPieceIsPaintedRecordedAndTheNextOneDealt) {
    Table t;
    t.fillUpTo(2);
    const Piece p = currentPiece(t.state());
    t.view.forget();

    t.game.assignPiece();

    // Slot 2 is at (97, 24): top, right, bottom and left fill points first.
    const std::vector<Recorder::Fill> slotFills(t.view.fills.begin(), t.view.fills.begin() + 4);
    EXPECT_EQ(slotFills, (std::vector<Recorder::Fill>{{134, 34, static_cast<ColourCode>(p.top)},
                                                      {144, 88, static_cast<ColourCode>(p.right)},
                                                      {134, 143, static_cast<ColourCode>(p.bottom)},
                                                      {107, 88, static_cast<ColourCode>(p.left)}}));
    const GameState& s = t.state();
    EXPECT_EQ((Piece{s.placedTop[2], s.placedRight[2], s.placedBottom[2], s.placedLeft[2]}), p);
    EXPECT_EQ(s.currentSlot, 3);
    EXPECT_TRUE(t.view.cues.empty());
    EXPECT_EQ(t.view.status, texts::firstRowHint);
    EXPECT_EQ(t.view.fills.size(), 8u); // and the next piece in Shape1(0)
    EXPECT_TRUE(t.view.fits);
}

TEST(Assign, TheEighteenthPieceCompletesTheCostumeWithAllPenaltiesCounted) {
    Table t;
    t.fillUpTo(18);
    t.game.rotateClockwise();
    t.game.rotateAnticlockwise();
    t.view.forget();

    t.game.assignPiece();

    EXPECT_EQ(t.state().currentSlot, 19);
    EXPECT_EQ(t.view.cues, std::vector<std::int16_t>{107});
    EXPECT_EQ(t.view.status, "Hai completato il vestito di Zanfrino con 2 mosse");
    EXPECT_FALSE(t.view.assignEnabled);
    EXPECT_FALSE(t.view.fits);
    EXPECT_EQ(t.view.fills.size(), 4u); // slot 18 painted, no piece dealt
}

TEST(Assign, OnACompleteBoardADiscardCostsFiveAndAssignOnlyRepeatsTheEnd) {
    Table t;
    t.fillUpTo(19);
    const Piece last = currentPiece(t.state());
    t.view.forget();

    t.game.discardPiece();
    EXPECT_EQ(t.state().moveCount, 5);
    EXPECT_EQ(t.view.status, texts::discardWarning);
    EXPECT_TRUE(t.view.assignEnabled);
    EXPECT_TRUE(t.view.fills.empty());
    EXPECT_FALSE(t.view.fits);
    EXPECT_EQ(currentPiece(t.state()), last);

    t.game.assignPiece();
    EXPECT_EQ(t.view.cues, std::vector<std::int16_t>{107});
    EXPECT_EQ(t.view.status, "Hai completato il vestito di Zanfrino con 5 mosse");
    EXPECT_FALSE(t.view.assignEnabled);
    EXPECT_EQ(t.state().currentSlot, 19);

    t.game.swapTopRight(); // the piece commands still act and count
    EXPECT_EQ(t.state().moveCount, 6);
    EXPECT_FALSE(t.view.fits);
}

TEST(Discard, IsFreeAtTheFirstSlotAndCostsFiveFromTheSecond) {
    Table t;
    for (int i = 0; i < 3; ++i) {
        t.game.discardPiece();
    }
    EXPECT_EQ(t.state().moveCount, 0);
    EXPECT_EQ(t.view.status, texts::assignFirstPiece);
    EXPECT_TRUE(t.view.assignEnabled);
    EXPECT_TRUE(t.view.pieceButtonsEnabled);

    t.fillUpTo(2);
    t.game.discardPiece();
    EXPECT_EQ(t.state().moveCount, 5);
    EXPECT_EQ(t.view.counter, "mosse: 5");
    EXPECT_EQ(t.view.status, texts::firstRowHint); // the deal's hint wins
    EXPECT_EQ(t.state().currentSlot, 2);
}

TEST(Cancel, DoesNothingBeforeTheThirdSlotOrOnACompleteBoard) {
    for (int slot : {1, 2, 19}) {
        Table t;
        t.fillUpTo(slot);
        const GameState before = t.state();
        t.view.forget();
        t.game.cancelLastPiece();
        EXPECT_EQ(t.state(), before) << "slot " << slot;
        EXPECT_TRUE(t.view.log.empty()) << "slot " << slot;
    }
}

TEST(Cancel, TakesBackPiecesOneByOneForFiveMovesDownToTheSecondSlot) {
    Table t;
    t.fillUpTo(6);
    const GameState before = t.state();

    t.game.cancelLastPiece();
    EXPECT_EQ(t.state().currentSlot, 5);
    EXPECT_EQ(t.view.wiped, std::vector<std::int16_t>{5});
    EXPECT_EQ(t.state().moveCount, 5);
    EXPECT_EQ(t.view.counter, "mosse: 5");
    EXPECT_EQ(t.view.status, texts::cancelWarning);
    EXPECT_EQ(currentPiece(t.state()), currentPiece(before));
    EXPECT_EQ(t.state().placedRight, before.placedRight); // left for the next placement

    for (int i = 0; i < 4; ++i) {
        t.game.cancelLastPiece();
    }
    EXPECT_EQ(t.view.wiped, (std::vector<std::int16_t>{5, 4, 3, 2}));
    EXPECT_EQ(t.state().currentSlot, 2);
    EXPECT_EQ(t.state().moveCount, 20);
}

TEST(Cancel, TheFitPictureThenTellsTheTruthAboutTheReopenedSlot) {
    Table t;
    t.fillUpTo(6);
    ASSERT_TRUE(t.view.fits); // the dealt piece fits slot 6
    t.game.cancelLastPiece();
    EXPECT_EQ(t.view.fits, fitsByTheRules(t.state(), currentPiece(t.state())));

    // Whatever the picture says, assigning agrees with it.
    const bool promised = t.view.fits;
    t.game.assignPiece();
    EXPECT_EQ(t.state().currentSlot, promised ? 6 : 5);
}

TEST(Cancel, AssigningToTheReopenedSlotPaintsAndRecordsItAgain) {
    Table t;
    t.fillUpTo(4);
    t.game.cancelLastPiece();
    t.game.discardPiece(); // a fresh piece for slot 3, dealt to fit
    const Piece p = currentPiece(t.state());
    t.view.forget();
    t.game.assignPiece();
    EXPECT_EQ(t.state().currentSlot, 4);
    EXPECT_EQ(t.state().placedRight[3], p.right);
    // Slot 3 starts at x 170: 170 + 36.5 rounds to the even 206.
    EXPECT_EQ(t.view.fills.front(), (Recorder::Fill{206, 34, static_cast<ColourCode>(p.top)}));
}

TEST(Scoring, ShowsTheRulesOnTwoLinesForNoMove) {
    Table t;
    t.fillUpTo(3);
    const GameState before = t.state();
    t.game.showScoring();
    EXPECT_EQ(t.view.status, "ogni intervento sul rettangolo vale 1 mossa; ogni errore in "
                             "assegnazione equivale a 3 mosse;\r\nscartare un rettangolo "
                             "equivale a 5 mosse!");
    EXPECT_EQ(t.state(), before);
}
