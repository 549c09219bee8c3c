#pragma once

#include "gamestate.h"

#include <QKeyCombination>
#include <QRect>
#include <QRgb>

#include <cstdint>

// How one of the window's eight buttons looks and where it stands, the key
// that presses it from anywhere in the window, and what a screen reader
// calls it: its caption first, so that a player who says the caption is
// understood, then what it does and what it costs.
struct ButtonDesign {
    const char* name;
    QKeyCombination key;
    const char* caption;
    const char* picture;
    QRect place;
    QRgb face;
    const char* spokenName;
    const char* spokenDescription; // "%1" stands for `cost`, where it has one
    std::int32_t cost = 0;
};

namespace buttonDesign {

// clang-format off
inline constexpr ButtonDesign nuovo{
    "nuovoCmd", Qt::Key_N, "NUOVO RETTANGOLO", "nuovo.png", {504, 264, 121, 81}, qRgb(255, 192, 255),
    "Nuovo rettangolo",
    "Scarta il rettangolo corrente e ne estrae un altro. Finché la prima casella è vuota non "
    "costa nulla, poi ogni scarto costa %1 mosse.",
    cost::discard};
inline constexpr ButtonDesign anti{
    "antiCmd", Qt::Key_Left, "RUOTA ANTIORARIO", "anti.png", {96, 424, 89, 73}, qRgb(255, 128, 128),
    "Ruota antiorario",
    "Ruota il rettangolo corrente di un quarto di giro in senso antiorario. Costa %1 mossa.",
    cost::change};
inline constexpr ButtonDesign oriz{
    "orizCmd", Qt::Key_O, "RIFLETTI ORIZZONTALE", "oriz.png", {312, 424, 105, 73}, qRgb(255, 255, 128),
    "Rifletti orizzontale",
    "Scambia i colori a sinistra e a destra del rettangolo corrente. Costa %1 mossa.",
    cost::change};
inline constexpr ButtonDesign verti{
    "vertiCmd", Qt::Key_V, "RIFLETTI VERTICALE", "verti.png", {192, 424, 105, 73}, qRgb(128, 255, 128),
    "Rifletti verticale",
    "Scambia i colori in alto e in basso del rettangolo corrente. Costa %1 mossa.",
    cost::change};
inline constexpr ButtonDesign assegna{
    "assegnaCmd", Qt::Key_A, "ASSEGNA", "assegna.png", {632, 264, 145, 81}, qRgb(192, 192, 255),
    "Assegna",
    "Mette il rettangolo corrente nella prossima casella vuota del vestito. Non costa nulla se i "
    "colori combaciano con quelli dei vicini; se non combaciano il rettangolo resta dov'è e "
    "costa %1 mosse. Un rettangolo che renderebbe impossibile la casella seguente è rifiutato "
    "senza costo.",
    cost::mismatch};
inline constexpr ButtonDesign sposta{
    "spostaCmd", Qt::Key_S, "SPOSTA   ALTO-DESTRO", "sposta.png", {432, 424, 105, 73}, qRgb(128, 255, 255),
    "Sposta alto-destro",
    "Scambia i colori in alto e a destra del rettangolo corrente. Costa %1 mossa.",
    cost::change};
inline constexpr ButtonDesign esci{
    "Command7", Qt::CTRL | Qt::Key_Q, "PER USCIRE", "esci.png", {632, 416, 153, 81}, qRgb(255, 192, 128),
    "Per uscire",
    "Chiude il gioco dopo averne chiesto conferma. Non costa mosse."};
inline constexpr ButtonDesign orario{
    "orarioCmd", Qt::Key_Right, "RUOTA ORARIO", "orario.png", {8, 424, 81, 73}, qRgb(255, 192, 128),
    "Ruota orario",
    "Ruota il rettangolo corrente di un quarto di giro in senso orario. Costa %1 mossa.",
    cost::change};
// clang-format on

} // namespace buttonDesign
