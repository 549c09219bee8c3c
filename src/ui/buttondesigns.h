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
    "Scarta il rettangolo e ne estrae un altro. Costa %1 mosse, nulla finché la prima casella è vuota.",
    cost::discard};
inline constexpr ButtonDesign anti{
    "antiCmd", Qt::Key_Left, "RUOTA ANTIORARIO", "anti.png", {96, 424, 89, 73}, qRgb(255, 128, 128),
    "Ruota antiorario",
    "Gira il rettangolo in senso antiorario. Costa %1 mossa.",
    cost::change};
inline constexpr ButtonDesign oriz{
    "orizCmd", Qt::Key_O, "RIFLETTI ORIZZONTALE", "oriz.png", {312, 424, 105, 73}, qRgb(255, 255, 128),
    "Rifletti orizzontale",
    "Scambia i colori a sinistra e a destra. Costa %1 mossa.",
    cost::change};
inline constexpr ButtonDesign verti{
    "vertiCmd", Qt::Key_V, "RIFLETTI VERTICALE", "verti.png", {192, 424, 105, 73}, qRgb(128, 255, 128),
    "Rifletti verticale",
    "Scambia i colori in alto e in basso. Costa %1 mossa.",
    cost::change};
inline constexpr ButtonDesign assegna{
    "assegnaCmd", Qt::Key_A, "ASSEGNA", "assegna.png", {632, 264, 145, 81}, qRgb(192, 192, 255),
    "Assegna",
    "Mette il rettangolo nella prossima casella. Se i colori non combaciano costa %1 mosse.",
    cost::mismatch};
inline constexpr ButtonDesign sposta{
    "spostaCmd", Qt::Key_S, "SPOSTA   ALTO-DESTRO", "sposta.png", {432, 424, 105, 73}, qRgb(128, 255, 255),
    "Sposta alto-destro",
    "Scambia i colori in alto e a destra. Costa %1 mossa.",
    cost::change};
inline constexpr ButtonDesign esci{
    "Command7", Qt::CTRL | Qt::Key_Q, "PER USCIRE", "esci.png", {632, 416, 153, 81}, qRgb(255, 192, 128),
    "Per uscire",
    "Chiude il gioco dopo averne chiesto conferma. Non costa mosse."};
inline constexpr ButtonDesign orario{
    "orarioCmd", Qt::Key_Right, "RUOTA ORARIO", "orario.png", {8, 424, 81, 73}, qRgb(255, 192, 128),
    "Ruota orario",
    "Gira il rettangolo in senso orario. Costa %1 mossa.",
    cost::change};
// clang-format on

} // namespace buttonDesign
