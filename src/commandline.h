#pragma once

#include <optional>

// What the command line asks for before any window opens. The game takes no
// options of its own but these two; Qt's own are Qt's to read.
//
// Returns the exit status when the program should end at once: the version
// or the usage printed (0), an option it does not know (2), or no display
// to open the window on (1). Returns nothing when the game should start.
std::optional<int> answerCommandLine(int argc, char* argv[]);

// After Qt has taken its own options: what is left is not ours either.
std::optional<int> refuseLeftoverArguments(int argc, char* argv[]);
