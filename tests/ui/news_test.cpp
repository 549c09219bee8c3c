#include "news.h"

#include <gtest/gtest.h>

namespace {

// A game with slots 1..filled - 1 placed, each piece blu/verde/azzurro/rosso
// (top/right/bottom/left) but slot 4's bottom, viola; the piece in hand viola
// on top.
GameState game(int filled, std::int32_t moves = 0) {
    GameState s;
    s.currentSlot = static_cast<std::int16_t>(filled);
    s.moveCount = moves;
    for (int k = 1; k <= slotCount; ++k) {
        s.placedTop[k] = 9, s.placedRight[k] = 10, s.placedBottom[k] = 11, s.placedLeft[k] = 12;
    }
    s.placedBottom[4] = 13;
    s.setPiece({13, 10, 11, 12});
    return s;
}

std::string said(const Scene& before, const Scene& after, bool refused = false,
                 const QString& request = {}) {
    return news(before, after, refused, request).toStdString();
}

} // namespace

// Each command's news tells what changed on screen and nothing else, in
// one order: refusal, status line, piece, verdict, request, slots, counter.
TEST(News, TellsWhatChangedOnceInTheOrderOfImportance) {
    const QString hint = "devi tenere conto di due colori";
    const std::string piece = "alto viola, destra verde, basso azzurro, sinistra rosso";
    const Scene waiting = sceneOf(game(1), "carica il primo rettangolo", false, false);
    const Scene dealt = sceneOf(game(1), "assegna il primo rettangolo", true, true);
    EXPECT_EQ(said(waiting, dealt, false, "R"),
              "assegna il primo rettangolo. " + piece + ". combacia. R");

    const Scene at9 = sceneOf(game(9, 4), hint, true, false);
    GameState turned = game(9, 5);
    turned.setPiece(turnedClockwise(turned.piece()));
    EXPECT_EQ(said(at9, sceneOf(turned, hint, true, true)),
              "alto rosso, destra viola, basso verde, sinistra azzurro. combacia. mosse: 5");
    EXPECT_EQ(said(at9, sceneOf(game(9, 7), hint, true, false), true),
              "rifiutato, 3 mosse. mosse: 7");
    EXPECT_EQ(said(at9, at9, true), "rifiutato senza costo: bloccherebbe la casella seguente");
    EXPECT_EQ(said(at9, at9), ""); // a cancel with nothing to take back

    // Taken back: slot 8 is empty again though its colours are kept, and the
    // piece, dealt for slot 9, is judged anew against it.
    const std::string cancel = "questo errore ti costa l'equivalente di cinque mosse";
    EXPECT_EQ(said(at9, sceneOf(game(8, 9), QString::fromStdString(cancel), true, true)),
              cancel + ". combacia. casella 8: vuota. mosse: 9");
    // Placed: the slot it filled, after what the next piece asks.
    EXPECT_EQ(said(sceneOf(game(8, 4), hint, true, true), sceneOf(game(9, 4), hint, true, false),
                   false, "R"),
              "non combacia. R. casella 8: alto blu, destra verde, basso azzurro, sinistra rosso");
    // A new game empties the costume in one word; the rules in one sentence.
    EXPECT_EQ(said(at9, sceneOf(game(1), "carica il primo rettangolo", false, false)),
              "carica il primo rettangolo. nessun rettangolo. vestito vuoto. mosse: 0");
    EXPECT_EQ(said(at9, sceneOf(game(9, 4), "prima riga\r\nseconda riga", true, false)),
              "prima riga seconda riga");
}

// The colours the neighbours show a slot: its left one's right side, its
// upper one's bottom, and the bottom of the slot above its right-hand
// neighbour, which its right side must not repeat.
TEST(News, ASlotAsksForWhatItsNeighboursShowIt) {
    const auto asks = [](int slot) { return slotRequest(game(slot)).toStdString(); };
    EXPECT_EQ(asks(1), "la casella 1 accetta ogni rettangolo");
    EXPECT_EQ(asks(3), "la casella 3 chiede sinistra verde");
    EXPECT_EQ(asks(7), "la casella 7 chiede alto azzurro, destra non azzurro");
    EXPECT_EQ(asks(9), "la casella 9 chiede sinistra verde, alto azzurro, destra non viola");
    EXPECT_EQ(asks(10), "la casella 10 chiede sinistra verde, alto viola, destra non azzurro");
    EXPECT_EQ(asks(12), "la casella 12 chiede sinistra verde, alto azzurro");
    EXPECT_EQ(asks(19), "il vestito è completo");
}
