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
