#pragma once

#include <optional>

// What the command line asks for before any window opens. The game takes no
// options of its own but these two; Qt's standard ones (-platform, -style,
// -display, ...) are Qt's to read, as in every Qt program.
//
// Returns the exit status when the program should end at once: the version
// or the usage printed (0), or an option it does not know (2). Returns
// nothing when the game should start.
std::optional<int> answerCommandLine(int argc, char* argv[]);

// After Qt has taken its own options: what is left is not ours either.
std::optional<int> refuseLeftoverArguments(int argc, char* argv[]);

// Qt ends the program with abort() and a page of advice when no window
// system can be reached: no display, one that does not answer, a platform
// that does not exist or does not start. Between these two calls, made
// around the application's construction, that ends instead in one line and
// status 1; Qt's other messages of the while are held back and shown after.
void catchUnreachableWindowSystem();
void windowSystemReached();
