#include "commandline.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* usage =
    "Uso: zanfria [--help | --version]\n"
    "Il vestito di Zanfrino: un gioco di pazienza con i rettangoli colorati.\n"
    "Senza opzioni apre la finestra del gioco.\n"
    "\n"
    "  --help     mostra questo aiuto ed esce\n"
    "  --version  mostra la versione ed esce\n";

int unknownOption(const char* option) {
    std::fprintf(stderr, "zanfria: opzione sconosciuta: %s (prova zanfria --help)\n", option);
    return 2;
}

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Qt would open the window on X11 or Wayland unless told otherwise; with
// neither there, it can only abort.
bool displayReachable() {
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("zanfria %s\n", ZANFRIA_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0) {
            return unknownOption(argv[i]);
        }
    }
    if (!displayReachable()) {
        std::fprintf(stderr, "zanfria: nessuno schermo su cui aprire la finestra del gioco\n");
        return 1;
    }
    return std::nullopt;
}

std::optional<int> refuseLeftoverArguments(int argc, char* argv[]) {
    if (argc > 1) {
        return unknownOption(argv[1]);
    }
    return std::nullopt;
}
