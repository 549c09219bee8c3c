#include "recorder.h"

#include <cstdlib>

// Turns and mirrors each piece at random until the picture says it fits,
// then assigns it: no error and no discard after the first.
TEST(HeadlessPlayer, PlaysAThousandWholeGamesToTheCompletedCostume) {
    for (std::uint32_t seed = 1; seed <= 1000 && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        Player p(seed);
        for (p.press(discard); p.slot <= slotCount && !HasFatalFailure(); p.press(assign)) {
            p.arrange();
        }
    }
}

// Presses whatever the window allows: once the picture says the piece fits,
// ASSEGNA half the time; a new game or a cancel only now and then, so games
// get played to the end.
TEST(RandomPlayer, AMillionCommandsFollowTheRulesAndTheCounterAlwaysAgrees) {
    Player p(20261206);
    const auto allowed = [&p](int c) {
        return c == assign             ? p.assignOn
               : c < firstPieceCommand ? (c != newGame && c != cancelLast) || p.choices() % 8 == 0
                                       : p.pieceButtonsOn;
    };
    const char* soak = std::getenv("ZANFRIA_SOAK"); // n plays n times as long (make soak)
    const long commands = 1'000'000L * (soak ? std::max(1L, std::atol(soak)) : 1L);
    for (long i = 0; i < commands; ++i) {
        int c = p.fits && p.choices() % 2 ? assign : -1;
        while (c < 0 || !allowed(c)) {
            c = static_cast<int>(p.choices() % commandCount);
        }
        p.press(c);
        ASSERT_FALSE(HasFatalFailure()) << "command " << i << " (" << c << ")";
    }
    EXPECT_GT(p.completed, 10); // the run went the whole way, many times
}
