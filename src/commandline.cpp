#include "commandline.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

constexpr const char* usage =
    "Uso: zanfria [--help | --version | OPZIONI DI QT]\n"
    "Il vestito di Zanfrino: un gioco di pazienza con i rettangoli colorati.\n"
    "Senza opzioni apre la finestra del gioco.\n"
    "\n"
    "  --help     mostra questo aiuto ed esce\n"
    "  --version  mostra la versione ed esce\n"
    "\n"
    "Valgono anche le opzioni comuni a ogni programma Qt, come -platform NOME,\n"
    "-style NOME e -display SCHERMO.\n"
    "\n"
    "Tasti nella finestra del gioco, dovunque sia il fuoco:\n"
    "  N                NUOVO RETTANGOLO\n"
    "  A                ASSEGNA\n"
    "  Freccia destra   RUOTA ORARIO\n"
    "  Freccia sinistra RUOTA ANTIORARIO\n"
    "  O                RIFLETTI ORIZZONTALE\n"
    "  V                RIFLETTI VERTICALE\n"
    "  S                SPOSTA ALTO-DESTRO\n"
    "  Ctrl+N           Nuova partita\n"
    "  Ctrl+Z           Cancella ultimo rettangolo\n"
    "  F1               Punteggio\n"
    "  Ctrl+Q           PER USCIRE\n"
    "  R                dice che cosa chiede la prossima casella\n"
    "  M                mostra o nasconde i simboli dei colori\n"
    "  Tab, Maiusc+Tab  il pulsante seguente, quello prima\n"
    "  Spazio, Invio    preme il pulsante che ha il fuoco\n";

int unknownOption(const char* option) {
    std::fprintf(stderr, "zanfria: opzione sconosciuta: %s (prova zanfria --help)\n", option);
    return 2;
}

// Qt's messages while the application is being made, formatted as Qt would.
QStringList heldMessages;

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("zanfria: impossibile aprire la finestra del gioco: nessuno schermo "
                   "raggiungibile\n",
                   stderr);
        std::_Exit(1);
    }
    heldMessages << qFormatLogMessage(type, context, message);
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
    return std::nullopt;
}

std::optional<int> refuseLeftoverArguments(int argc, char* argv[]) {
    if (argc > 1) {
        return unknownOption(argv[1]);
    }
    return std::nullopt;
}

void catchUnreachableWindowSystem() {
    qInstallMessageHandler(holdOrFail);
}

void windowSystemReached() {
    qInstallMessageHandler(nullptr);
    for (const QString& message : std::exchange(heldMessages, {})) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}
